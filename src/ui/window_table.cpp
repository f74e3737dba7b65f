// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_table.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "link/frames.h"
#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/catalogue.h"
#include "qtio/serial_ports.h"
#include "ui/about_box.h"
#include "ui/channel_edit_dialog.h"
#include "ui/channel_file_window.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"
#include "ui/connection_check_window.h"
#include "ui/fm_presets_window.h"
#include "ui/history_window.h"
#include "ui/image_recorder.h"
#include "ui/key_window.h"
#include "ui/main_window.h"
#include "ui/message_window.h"
#include "ui/model_select_dialog.h"
#include "ui/option_window.h"
#include "ui/port_setup_dialog.h"
#include "ui/power_adjust_window.h"
#include "ui/qt_text.h"
#include "ui/scan_window.h"

namespace zt {

namespace {

using Size = Placement::Size;

// A command that reopens a window, in the submenu `parent` ("" the menu bar).
constexpr MenuItem Command(const char* name, const char* parent, BiText caption,
                           const char* shortcut = nullptr, Shown shown = Shown::Yes) {
    return {
        .name = name, .parent = parent, .caption = caption, .shortcut = shortcut, .shown = shown};
}

// The small dialogs sit 500 twips above the main window's centre.
constexpr int RaisedCentre(int space, int own) { return Centred(space, own) - kDialogRaisePx; }

QWidget* CreateCommWindow(MainWindow& main, LinkMode mode) {
    auto* w = new CommWindow(mode, main.state(), main.presenter(), main.linkDevices(), [&main] {
        if (main.rememberSettings) main.rememberSettings();
    });
    w->imageFile = [&main] { return main.imageFile(); };
    // What the radio holds after a read or a write counts as unchanged; a read
    // is taken in as a loaded file is, and the image no longer comes from a
    // file.
    QObject::connect(w, &CommWindow::exchangeCompleted, &main, [&main, mode](const Image& image) {
        if (mode == LinkMode::Read) {
            main.imageLoaded();
        } else {
            main.recorder().markSaved(image);
        }
    });
    // A name still being typed in the grid goes to the radio too, and for a
    // write a frequency as well.
    main.commitPendingGridEdit(mode == LinkMode::Write);
    return w;
}

// In the order the language switch reloads the open ones.
constexpr WindowSpec kWindows[] = {
    {.id = WindowId::About,
     .command = Command("Menu_About", "", {"About", "关于"}),
     .openFlag = &WindowFlags::AboutIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         return new AboutBox(main.state(), main.presenter());
     },
     .placement = {Size::ShareOfMain, 1.6, 2.2, Centred, Centred},
     .manualSection = "about"},
    {.id = WindowId::Option,
     .command = Command("Optional_edit", "Edit", {"Optional Features", "可选功能"}),
     .openFlag = &WindowFlags::OptionIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         return new OptionWindow(main.state(), main.presenter());
     },
     .placement = {Size::ShareOfArea, 1.04, 1.25,
                   [](int space, int own) { return Centred(space, own) - 100 / kTwipsPerPixel; },
                   AtStart},
     .manualSection = "optional-features"},
    {.id = WindowId::Chann,
     .command = Command("Channel_edit", "Edit", {"Channel Information ", "信道信息"}),
     .openFlag = &WindowFlags::ChannIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         auto* w = new ChannelGridWindow(main.state(), main.presenter());
         w->exchangeRunning = [&main] { return main.exchangeRunning(); };
         main.attachEditCommands(w);
         QObject::connect(w, &ChannelGridWindow::editChannelRequested, &main,
                          [&main] { main.reopen(WindowId::ChannEdit); });
         // The windows that work on the grid's channels close with it.
         QObject::connect(w, &ChannelGridWindow::closeRequested, &main, [&main] {
             for (WindowId id : {WindowId::ChannEdit, WindowId::OpenChann, WindowId::SaveChann})
                 main.unload(id);
             main.unload(WindowId::Chann);
         });
         return w;
     },
     .placement = {Size::WholeArea, 1, 1, AtStart, AtStart},
     .manualSection = "channel-grid"},
    {.id = WindowId::Setup,
     .command = Command("proc_setup", "", {"Communication", "端口设置"}),
     .openFlag = &WindowFlags::SetupIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         auto* w = new PortSetupDialog(main.state(), main.presenter(), AvailableSerialPorts());
         QObject::connect(w, &PortSetupDialog::portChanged, &main, &MainWindow::showPortPanel);
         QObject::connect(w, &PortSetupDialog::checkRequested, &main,
                          [&main] { main.reopen(WindowId::Doctor); });
         return w;
     },
     .placement = {Size::ShareOfMain, 2, 1.8, Centred, RaisedCentre},
     .manualSection = "port-setup"},
    {.id = WindowId::Type,
     .command = Command("proc_type", "", {"Model", "机型"}),
     .openFlag = &WindowFlags::TypeIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         AppState& state = main.state();
         auto* w = new ModelSelectDialog(state);
         QObject::connect(w, &ModelSelectDialog::bandChanged, &main, &MainWindow::showBandPanel);
         // Opening shows the selected entry's catalogue band; the edges of the
         // image's frequency-limit row are in force from then on.
         const auto i = static_cast<std::size_t>(state.ModelIndex);
         main.setStatusPanel(
             7, qs(BandPanelText(state.BandLimits[i], state.BandLimits[i + kModelCount])));
         return w;
     },
     .placement = {Size::ShareOfMain, 1.8, 1.6, Centred, RaisedCentre},
     .manualSection = "model-select"},
    {.id = WindowId::SaveChann,
     .command = Command("File_save", "File", {"Save", "保存"}, "Ctrl+S"),
     .openFlag = &WindowFlags::SaveChannIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         // A name still being typed in the grid goes into the file too.
         if (ChannelGridWindow* grid = main.channelGrid()) grid->commitPendingName();
         main.recorder().settle();  // an edit of its own, not part of opening
         auto* w =
             new ChannelFileWindow(ChannelFileWindow::Mode::Save, main.state(), main.presenter());
         QObject::connect(w, &ChannelFileWindow::imageSaved, &main, &MainWindow::imageSaved);
         return w;
     },
     .placement = {Size::ShareOfMainInArea, 1.5, 1.3, Centred, AtStart},
     .manualSection = "channel-files"},
    {.id = WindowId::OpenChann,
     .command = Command("File_Open", "File", {"Open", "打开"}, "Ctrl+O"),
     .openFlag = &WindowFlags::OpenChannIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         auto* w =
             new ChannelFileWindow(ChannelFileWindow::Mode::Open, main.state(), main.presenter());
         QObject::connect(w, &ChannelFileWindow::imageLoaded, &main, &MainWindow::imageLoaded);
         return w;
     },
     .placement = {Size::ShareOfMainInArea, 1.5, 1.3, Centred, AtStart},
     .manualSection = "channel-files"},
    {.id = WindowId::CommRead,
     .command = Command("Prog_read", "Program", {"Read from radio", "从对讲机读取数据"}, "Ctrl+R"),
     .openFlag = &WindowFlags::CommReadIsOpen,
     .create = [](MainWindow& main) { return CreateCommWindow(main, LinkMode::Read); },
     .placement = {Size::ShareOfArea, 1.6, 3, Centred,
                   [](int space, int own) { return static_cast<int>((space - own) / 1.45); }},
     .manualSection = "read-radio"},
    {.id = WindowId::CommWrite,
     .command = Command("Prog_write", "Program", {"Write to radio", "向对讲机写入数据"}, "Ctrl+W"),
     .openFlag = &WindowFlags::CommWriteIsOpen,
     .create = [](MainWindow& main) { return CreateCommWindow(main, LinkMode::Write); },
     .placement = {Size::ShareOfArea, 1.6, 3, Centred,
                   [](int space, int own) { return static_cast<int>((space - own) / 1.45); }},
     .manualSection = "write-radio"},
    {.id = WindowId::Test,
     .command = Command("Test_edit", "Edit", {"Radio", "收音机编辑"}),
     .openFlag = &WindowFlags::TestIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         return new FmPresetsWindow(main.state(), main.presenter());
     },
     .placement = {Size::ShareOfArea, 2, 1.3, Centred,
                   [](int space, int own) { return (space - own) / 10; }},
     .manualSection = "broadcast-fm"},
    {.id = WindowId::Message,
     .command = Command("Message_edit", "Edit", {"Embedded Message", "嵌入信息"}, nullptr,
                        Shown::Advanced),
     .openFlag = &WindowFlags::MessageIsOpen,
     .create = [](MainWindow& main) -> QWidget* { return new MessageWindow(main.state()); },
     .placement = {Size::ShareOfArea, 2, 2.8, Centred,
                   [](int space, int own) { return (space - own) / 4; }},
     .manualSection = "embedded-message"},
    {.id = WindowId::Adjust,
     .command = Command("Adj_Txp", "Adjust", {"Power Adjust", "发射功率调整"}),
     .openFlag = &WindowFlags::AdjustIsOpen,
     .create = [](MainWindow& main) -> QWidget* {
         auto* w = new PowerAdjustWindow(main.state(), main.presenter(), main.linkDevices());
         // Each value a bar shows is in the radio already: the power row is
         // no unsaved change.
         for (int level = 0; level < PowerAdjustWindow::kLevels; ++level) {
             QObject::connect(w->bar(level), &QScrollBar::valueChanged, &main, [&main] {
                 main.recorder().markRowSaved(static_cast<std::size_t>(frame::kPowerBlock));
             });
         }
         // It talks to the radio from the moment it shows.
         QObject::connect(&main, &MainWindow::windowShown, w, [w](QWidget* shown) {
             if (shown == w) w->connectToRadio();
         });
         return w;
     },
     .placement = {Size::ShareOfArea, 1.8, 2, Centred,
                   [](int space, int own) { return (space - own) / 3; }},
     .manualSection = "power-adjust"},
    {.id = WindowId::ChannEdit,
     .command = {},  // opened by the grid's Edit button
     .openFlag = nullptr,
     .create = [](MainWindow& main) -> QWidget* {
         auto* w = new ChannelEditDialog(main.state(), main.presenter());
         QObject::connect(w, &ChannelEditDialog::currentChannelChanged, &main, [&main] {
             if (ChannelGridWindow* grid = main.channelGrid()) grid->updateCaption();
         });
         return w;
     },
     .placement = {Size::Own, 1, 1, Centred, [](int space, int own) { return (space - own) / 3; }},
     .manualSection = "channel-dialog"},
    {.id = WindowId::Key,
     .command = Command("key_edit", "Edit", {"Key Assignment", "键设定"}, nullptr, Shown::Advanced),
     .create = [](MainWindow& main) -> QWidget* { return new KeyWindow(main.state()); },
     .placement = {Size::ShareOfArea, 1.5, 1.4, Centred,
                   [](int, int) { return 200 / kTwipsPerPixel; }},
     .manualSection = "key-assignment"},
    {.id = WindowId::Scan,
     .command =
         Command("Scan_edit", "Edit", {"Scan Information", "扫描信息"}, nullptr, Shown::Advanced),
     .create = [](MainWindow& main) -> QWidget* {
         return new ScanWindow(main.state(), main.presenter());
     },
     .placement = {Size::ShareOfArea, 1.8, 1.4, Centred,
                   [](int space, int own) { return (space - own) / 8; }},
     .manualSection = "scan-information"},
    {.id = WindowId::Doctor,
     .command = {},  // opened by the port setup dialog's Check Connection... button
     .openFlag = nullptr,
     .create = [](MainWindow& main) -> QWidget* {
         // The port chosen in the dialog, confirmed or not; else the one in force.
         const auto* setup = qobject_cast<PortSetupDialog*>(main.window(WindowId::Setup));
         const PortChoice port = setup ? setup->selectedPort()
                                       : PortChoice{main.state().ComPort, main.state().ComDevice};
         auto* w = new ConnectionCheckWindow(main.state().LanguageChinese, port, main.linkDevices,
                                             ThisMachine());
         QTimer::singleShot(0, w, &ConnectionCheckWindow::start);
         return w;
     },
     .placement = {Size::ShareOfMain, 1.3, 1.5, Centred, RaisedCentre},
     .manualSection = "check-connection"},
    {.id = WindowId::History,
     .command = Command("File_history", "File", {"History...", "历史记录..."}),
     .create = [](MainWindow& main) -> QWidget* {
         auto* w = new HistoryWindow(main.state(), main.presenter());
         w->exchangeRunning = [&main] { return main.exchangeRunning(); };
         // An entry opened is an edit, one undo step, from no file; the radio's
         // band comes into force with it.
         QObject::connect(w, &HistoryWindow::imageOpened, &main, [&main] {
             main.setImageFile({});
             RecomputeBandEdges(main.state());
             main.showBandPanel();
             main.imageReplaced();
         });
         return w;
     },
     .placement = {Size::ShareOfArea, 1.2, 1.4, Centred, AtStart},
     .manualSection = "history"},
};

}  // namespace

std::span<const WindowSpec> Windows() { return kWindows; }

const WindowSpec& Window(WindowId id) {
    const auto* it = std::find_if(std::begin(kWindows), std::end(kWindows),
                                  [id](const WindowSpec& w) { return w.id == id; });
    if (it == std::end(kWindows)) qFatal("window %d has no entry in the window table", int(id));
    return *it;
}

const WindowSpec* WindowOfCommand(const QString& command) {
    for (const WindowSpec& w : kWindows) {
        if (w.command.name && command == QLatin1String(w.command.name)) return &w;
    }
    return nullptr;
}

bool* openFlag(AppState& state, WindowId id) {
    const WindowSpec& w = Window(id);
    return w.openFlag ? &(state.Windows.*w.openFlag) : nullptr;
}

}  // namespace zt
