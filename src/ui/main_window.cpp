// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "link/link_texts.h"
#include "model/app_state.h"
#include "model/bitext.h"
#include "model/catalogue.h"
#include "model/startup.h"
#include "ui/about_box.h"
#include "ui/channel_edit_dialog.h"
#include "ui/channel_file_window.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"
#include "ui/editor_placement.h"
#include "ui/fm_presets_window.h"
#include "ui/key_window.h"
#include "ui/message_presenter.h"
#include "ui/message_window.h"
#include "ui/model_select_dialog.h"
#include "ui/option_window.h"
#include "ui/port_setup_dialog.h"
#include "ui/power_adjust_window.h"
#include "ui/qt_text.h"
#include "ui/scan_window.h"
#include "ui/window_support.h"

namespace zt {

namespace {

// Captions of the main window's own items by control name.
struct Caption {
    const char* name;
    BiText text;
};
constexpr Caption kCaptions[] = {
    {"File", {"File", "文件"}},
    {"File_New", {"New", "新建"}},
    {"File_Open", {"Open", "打开"}},
    {"File_save", {"Save", "保存"}},
    {"File_saveas", {"Save As", "另存为"}},
    {"File_exit", {"Exit", "退出"}},
    {"proc_type", {"Model", "机型"}},
    {"Edit", {"Edit", "编辑"}},
    {"Channel_edit", {"Channel Information ", "信道信息"}},
    {"Optional_edit", {"Optional Features", "可选功能"}},
    {"key_edit", {"Key Assignment", "键设定"}},
    {"Scan_edit", {"Scan Information", "扫描信息"}},
    {"Dtmf_edit", {"DTMF", "DTMF(双音多频)"}},
    {"Fleetsync_edit", {"FleetSync", "FleetSync(队列同步)"}},
    {"Test_edit", {"Radio", "收音机编辑"}},
    {"Message_edit", {"Embedded Message", "嵌入信息"}},
    {"Program", {"Program", "编程"}},
    {"Prog_read", {"Read from radio", "从对讲机读取数据"}},
    {"Prog_write", {"Write to radio", "向对讲机写入数据"}},
    {"Prog_test", {"Test Mode", "测试模式"}},
    {"Adjust", {"Adjust", "调整"}},
    {"Adj_Txp", {"Power Adjust", "发射功率调整"}},
    {"proc_setup", {"Communication", "端口设置"}},
    {"Language_Setup", {"Language", "语言"}},
    {"Language_chn", {"中文", "中文"}},
    {"Language_eng", {"English", "English"}},
    {"Menu_About", {"About", "关于"}},
    {"Menu_exit", {"Exit", "退出"}},
};

constexpr BiText kTitle{"Merivon ZT790 C1.0 series program software ",
                        "Merivon  ZT790 C1.0 系列对讲机编程软件 "};
constexpr BiText kPanelState{"State", "状态"};
constexpr BiText kPanelVersion{"  Version", "软件版本"};
constexpr BiText kPanelBand{"Band", "频段"};
constexpr BiText kPanelMaker{"Merivon ", "Merivon"};

// Shares of the main window's width, in hundredths, of the eight status panels.
constexpr std::array<int, kStatusPanels> kPanelShares{5, 15, 6, 8, 10, 5, 16, 35};

// Toolbar buttons by key, with the menu command each stands for and its icon.
struct ToolButton {
    const char* key;
    const char* command;
    QStyle::StandardPixmap icon;
};
constexpr ToolButton kToolButtons[] = {
    {"open", "File_Open", QStyle::SP_DialogOpenButton},
    {"save", "File_save", QStyle::SP_DialogSaveButton},
    {"edit_chann", "Channel_edit", QStyle::SP_FileDialogDetailedView},
    {"read", "Prog_read", QStyle::SP_ArrowDown},
    {"write", "Prog_write", QStyle::SP_ArrowUp},
    {"Exit", "File_exit", QStyle::SP_DialogCloseButton},
};

// The window each menu command reopens.
struct Command {
    const char* name;
    WindowId window;
};
constexpr Command kCommands[] = {
    {"File_Open", WindowId::OpenChann},   {"File_save", WindowId::SaveChann},
    {"File_saveas", WindowId::SaveChann}, {"proc_type", WindowId::Type},
    {"Channel_edit", WindowId::Chann},    {"Optional_edit", WindowId::Option},
    {"key_edit", WindowId::Key},          {"Scan_edit", WindowId::Scan},
    {"Test_edit", WindowId::Test},        {"Message_edit", WindowId::Message},
    {"Prog_read", WindowId::CommRead},    {"Prog_write", WindowId::CommWrite},
    {"Adj_Txp", WindowId::Adjust},        {"proc_setup", WindowId::Setup},
    {"Menu_About", WindowId::About},
};

}  // namespace

MainWindow::MainWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QMainWindow(parent), state_(state), presenter_(presenter), mdi_(new QMdiArea(this)) {
    setObjectName("MDImain");
    mdi_->setObjectName("mdi");
    setCentralWidget(mdi_);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
    exchangeRunning = [this] {
        for (WindowId id : {WindowId::CommRead, WindowId::CommWrite}) {
            auto* comm = qobject_cast<CommWindow*>(window(id));
            if (comm && comm->exchangeRunning()) return true;
        }
        return false;
    };
}

MainWindow::~MainWindow() {
    // Unload the windows while the state their open flags live in still exists.
    for (auto& [id, window] : windows_) {
        if (!window) continue;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
            delete sub;
        } else {
            delete window.data();
        }
    }
}

QAction* MainWindow::addCommand(QWidget* menu, const char* name, const char* shortcut) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    if (shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    menu->addAction(a);
    actions_[QString::fromLatin1(name)] = a;
    for (const Command& c : kCommands) {
        if (qstrcmp(c.name, name) == 0) {
            const WindowId id = c.window;
            connect(a, &QAction::triggered, this, [this, id] { reopen(id); });
        }
    }
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name) {
        auto* m = new QMenu(bar);
        m->setObjectName(name);
        bar->addMenu(m);
        actions_[QString::fromLatin1(name)] = m->menuAction();
        return m;
    };
    auto hide = [](QAction* a) {
        a->setVisible(false);
        a->setEnabled(false);
    };

    QMenu* file = addMenu("File");
    addCommand(file, "File_New", "Ctrl+N");  // no action
    addCommand(file, "File_Open", "Ctrl+O");
    addCommand(file, "File_save", "Ctrl+S");
    addCommand(file, "File_saveas");
    connect(addCommand(file, "File_exit"), &QAction::triggered, this, &QWidget::close);

    addCommand(bar, "proc_type");

    QMenu* edit = addMenu("Edit");
    addCommand(edit, "Channel_edit");
    addCommand(edit, "Optional_edit");
    hide(addCommand(edit, "key_edit"));
    hide(addCommand(edit, "Scan_edit"));
    hide(addCommand(edit, "Dtmf_edit"));
    hide(addCommand(edit, "Fleetsync_edit"));
    // The first divider shows but can never run a command; the second is hidden.
    QAction* divider1 = edit->addSeparator();
    divider1->setObjectName("divider1");
    divider1->setEnabled(false);
    actions_["divider1"] = divider1;
    addCommand(edit, "Test_edit");
    QAction* divider2 = edit->addSeparator();
    divider2->setObjectName("divider2");
    hide(divider2);
    actions_["divider2"] = divider2;
    hide(addCommand(edit, "Message_edit"));

    QMenu* program = addMenu("Program");
    addCommand(program, "Prog_read", "Ctrl+R");
    addCommand(program, "Prog_write", "Ctrl+W");
    hide(addCommand(program, "Prog_test", "Ctrl+T"));

    QMenu* adjust = addMenu("Adjust");
    addCommand(adjust, "Adj_Txp");

    addCommand(bar, "proc_setup");

    QMenu* language = addMenu("Language_Setup");
    auto* languages = new QActionGroup(this);
    for (const char* name : {"Language_chn", "Language_eng"}) {
        QAction* a = addCommand(language, name);
        a->setCheckable(true);
        languages->addAction(a);
        const bool chinese = qstrcmp(name, "Language_chn") == 0;
        connect(a, &QAction::triggered, this, [this, chinese] { switchLanguage(chinese); });
    }
    actions_["Language_eng"]->setChecked(true);
    hide(language->menuAction());

    addCommand(bar, "Menu_About");
    connect(addCommand(bar, "Menu_exit"), &QAction::triggered, this, &QWidget::close);
}

void MainWindow::buildToolbar() {
    auto* toolbar = addToolBar(QString());
    toolbar->setObjectName("Toolbar1");
    toolbar->setMovable(false);
    for (const ToolButton& b : kToolButtons) {
        auto* a = toolbar->addAction(style()->standardIcon(b.icon), QString());
        a->setObjectName(b.key);
        const QString key = QString::fromLatin1(b.key);
        actions_[key] = a;
        connect(a, &QAction::triggered, this, [this, key] { toolbarClicked(key); });
    }
}

void MainWindow::toolbarClicked(const QString& key) {
    for (const ToolButton& b : kToolButtons) {
        if (key == QLatin1String(b.key)) {
            actions_.at(QString::fromLatin1(b.command))->trigger();
            return;
        }
    }
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString("panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Ignored size hints let the stretch factors alone share out the width.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        label->setMinimumWidth(1);
        bar->addWidget(label, kPanelShares[static_cast<std::size_t>(i)]);
        panels_[static_cast<std::size_t>(i)] = label;
    }
}

void MainWindow::load() {
    StartUp(state_);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(static_cast<int>(screen.width() / 1.5), static_cast<int>(screen.height() / 1.5));
    move(screen.left() + (screen.width() - width()) / 2,
         screen.top() + (screen.height() - height()) / 2);
    show();

    applyCaptions();
    setStatusPanel(2, QString());
    setStatusPanel(5, qs(state_.SoftwareVersion));
    showBandPanel();
    reopen(WindowId::Chann);
}

void MainWindow::applyCaptions() {
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kTitle, chinese));
    for (const Caption& c : kCaptions) {
        if (QAction* a = action(QString::fromLatin1(c.name))) a->setText(qs(c.text, chinese));
    }
    for (const ToolButton& b : kToolButtons) {
        QAction* command = action(QString::fromLatin1(b.command));
        action(QString::fromLatin1(b.key))->setToolTip(command->text().trimmed());
    }
    actions_.at("Language_chn")->setChecked(chinese);
    actions_.at("Language_eng")->setChecked(!chinese);
    setStatusPanel(1, qs(kPanelState, chinese));
    showPortPanel();
    setStatusPanel(4, qs(kPanelVersion, chinese));
    setStatusPanel(6, qs(kPanelBand, chinese));
    setStatusPanel(8, qs(kPanelMaker, chinese));
}

void MainWindow::switchLanguage(bool chinese) {
    // The about box builds its texts from the flag when it loads, so setting the
    // flag is all its texts need.
    state_.LanguageChinese = chinese;
    applyCaptions();
    reloadOpenWindows();
}

void MainWindow::reloadOpenWindows() {
    for (WindowId id : kReloadedOnLanguageSwitch) {
        const bool* open = openFlag(state_, id);
        if (open && *open) reopen(id);
    }
}

void MainWindow::setStatusPanel(int panel, const QString& text) {
    panels_.at(static_cast<std::size_t>(panel - 1))->setText(text);
}

QString MainWindow::statusPanel(int panel) const {
    return panels_.at(static_cast<std::size_t>(panel - 1))->text();
}

void MainWindow::showPortPanel() {
    QLabel* panel = panels_[2];
    if (state_.ComDevice.empty()) {
        panel->setText(QString("COM%1").arg(state_.ComPort));
        panel->setToolTip(QString());
        return;
    }
    QString device = qs(state_.ComDevice);
    panel->setToolTip(device);
    if (device.startsWith("/dev/")) device = device.mid(5);
    panel->setText(device);
}

void MainWindow::showBandPanel() {
    setStatusPanel(7, qs(BandPanelText(state_.BandLowMHz, state_.BandHighMHz)));
}

QAction* MainWindow::action(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

ChannelGridWindow* MainWindow::channelGrid() const {
    return qobject_cast<ChannelGridWindow*>(window(WindowId::Chann));
}

QWidget* MainWindow::window(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.data();
}

bool MainWindow::unload(WindowId id) {
    QWidget* w = window(id);
    if (!w) return true;
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : w;
    // A command reopening an exchange window stops its exchange rather than wait.
    if (auto* forced = dynamic_cast<ForcedUnload*>(w)) forced->prepareForcedUnload();
    if (!frame->close()) return false;
    // Deleted at once rather than later, so the window's unload handler has run
    // before its successor loads.
    delete frame;
    windows_.erase(id);
    return true;
}

void MainWindow::reopen(WindowId id) {
    if (!unload(id)) return;
    QWidget* w = createWindow(id);
    if (!w) return;
    windows_[id] = w;
    showWindow(id, w);
}

QWidget* MainWindow::createWindow(WindowId id) {
    switch (id) {
        case WindowId::About:
            return new AboutBox(state_, presenter_);
        case WindowId::Setup: {
            auto* w = new PortSetupDialog(state_, presenter_, AvailableSerialPorts());
            connect(w, &PortSetupDialog::portChanged, this, &MainWindow::showPortPanel);
            return w;
        }
        case WindowId::Chann: {
            auto* w = new ChannelGridWindow(state_, presenter_);
            w->exchangeRunning = [this] { return exchangeRunning(); };
            connect(w, &ChannelGridWindow::editChannelRequested, this,
                    [this] { reopen(WindowId::ChannEdit); });
            connect(w, &ChannelGridWindow::closeRequested, this, [this] {
                for (WindowId id : {WindowId::ChannEdit, WindowId::OpenChann, WindowId::SaveChann})
                    unload(id);
                unload(WindowId::Chann);
            });
            return w;
        }
        case WindowId::Type: {
            auto* w = new ModelSelectDialog(state_);
            connect(w, &ModelSelectDialog::bandChanged, this, &MainWindow::showBandPanel);
            // Opening shows the selected entry's catalogue band; the edges of the
            // image's frequency-limit row are in force from then on.
            const auto i = static_cast<std::size_t>(state_.ModelIndex);
            setStatusPanel(
                7, qs(BandPanelText(state_.BandLimits[i], state_.BandLimits[i + kModelCount])));
            return w;
        }
        case WindowId::OpenChann: {
            auto* w = new ChannelFileWindow(ChannelFileWindow::Mode::Open, state_, presenter_);
            connect(w, &ChannelFileWindow::imageLoaded, this, [this] {
                if (ChannelGridWindow* grid = channelGrid()) grid->showAllRows();
            });
            return w;
        }
        case WindowId::SaveChann:
            // A name still being typed in the grid goes into the file too.
            if (ChannelGridWindow* grid = channelGrid()) grid->commitPendingName();
            return new ChannelFileWindow(ChannelFileWindow::Mode::Save, state_, presenter_);
        case WindowId::ChannEdit: {
            auto* w = new ChannelEditDialog(state_, presenter_);
            connect(w, &ChannelEditDialog::currentChannelChanged, this, [this] {
                if (ChannelGridWindow* grid = channelGrid()) grid->updateCaption();
            });
            return w;
        }
        case WindowId::Option:
            return new OptionWindow(state_, presenter_);
        case WindowId::Test:
            return new FmPresetsWindow(state_, presenter_);
        case WindowId::Message:
            return new MessageWindow(state_);
        case WindowId::Key:
            return new KeyWindow(state_);
        case WindowId::Scan:
            return new ScanWindow(state_, presenter_);
        case WindowId::CommRead:
        case WindowId::CommWrite: {
            const LinkMode mode = id == WindowId::CommRead ? LinkMode::Read : LinkMode::Write;
            auto* w = new CommWindow(mode, state_, presenter_, linkDevices());
            commitPendingGridEdit(mode == LinkMode::Write);
            return w;
        }
        case WindowId::Adjust:
            return new PowerAdjustWindow(state_, presenter_, linkDevices());
    }
    return nullptr;
}

void MainWindow::showWindow(WindowId id, QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::ApplicationModal);
        if (id == WindowId::Setup) placeOverMainWindow(dialog, this, 2, 1.8, kDialogRaisePx);
        if (id == WindowId::Type) placeOverMainWindow(dialog, this, 1.8, 1.6, kDialogRaisePx);
        if (id == WindowId::About) placeOverMainWindow(dialog, this, 1.6, 2.2, 0);
        dialog->show();
        return;
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    keepWriteShortcut(sub);
    sub->setWindowIcon(QApplication::windowIcon());
    placeEditor(id, sub, mdi_);
    w->show();
    const QSize area = mdi_->viewport()->size();
    if (id == WindowId::Chann) {
        // The grid takes the whole working area.
        sub->setGeometry(QRect(QPoint(0, 0), area));
    } else if (id == WindowId::OpenChann || id == WindowId::SaveChann) {
        // Centred across the top of the main window.
        const int width = std::min(static_cast<int>(this->width() / 1.5), area.width());
        const int height = std::min(static_cast<int>(this->height() / 1.3), area.height());
        sub->setGeometry((area.width() - width) / 2, 0, width, height);
    } else if (id == WindowId::ChannEdit) {
        sub->adjustSize();
        sub->move(std::max(0, (area.width() - sub->width()) / 2),
                  std::max(0, (area.height() - sub->height()) / 3));
    }
    sub->show();
    mdi_->setActiveSubWindow(sub);
    // The power window talks to the radio from the moment it shows.
    if (auto* power = qobject_cast<PowerAdjustWindow*>(w)) power->connectToRadio();
}

void MainWindow::commitPendingGridEdit(bool frequencyToo) {
    if (!channelGrid()) reopen(WindowId::Chann);
    ChannelGridWindow* grid = channelGrid();
    if (!grid) return;
    if (frequencyToo) {
        grid->commitPendingEdit();
    } else {
        grid->commitPendingName();
    }
}

void MainWindow::keepWriteShortcut(QMdiSubWindow* sub) {
    const QKeySequence write(QStringLiteral("Ctrl+W"));
    if (!sub->systemMenu()) return;
    for (QAction* a : sub->systemMenu()->actions()) {
        QList<QKeySequence> keys = a->shortcuts();
        if (keys.removeAll(write) > 0) a->setShortcuts(keys);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exchangeRunning()) {
        presenter_.show(link_text::kDontClose, state_.LanguageChinese);
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::subWindowActivated(QMdiSubWindow* sub) {
    // Activation also arrives when the whole program regains the focus, for
    // example after a message box; only a change of editor rebuilds a view.
    if (!sub || sub == lastActive_) return;
    lastActive_ = sub;
    if (auto* editor = dynamic_cast<ActivationRefresh*>(sub->widget())) editor->windowActivated();
}

}  // namespace zt
