// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its small dialogs: captions in both languages, the about
// box, the model choice and the port choice.
#include <QPointer>
#include <map>

#include "model/band_edges.h"
#include "ui/about_box.h"
#include "ui/announcer.h"
#include "ui/window_table.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using MainWindowShell = MainWindowTest;

// The status panels; the language switch reloads every window that keeps an
// open flag in the other language, the channel grid included, and comes back
// the same way. (The menus: the desktop tests; the write window's and the port
// dialog's: the accessibility walk, which finds them by these captions.)
TEST_F(MainWindowShell, LanguageSwitchReloadsOpenWindowsAndBack) {
    QStringList panels;
    for (int p = 1; p <= 8; ++p) panels << main->statusPanel(p);
    EXPECT_EQ(panels.join('|'), "State||COM1|  Version|Ver1.2|Band| 400-- 470 MHZ|Merivon ");
    struct Caption {
        WindowId id;
        const char* control;  // nullptr: the window's title
        const char* english;
        const char* chinese;
    };
    const Caption captions[] = {
        {WindowId::About, nullptr, "About", "关于"},
        {WindowId::Option, nullptr, "Optional Features", "可选参数"},
        {WindowId::Chann, nullptr, "Channel Information [ Channel - 1 ]",
         "信道参数编辑 [ 信道 - 1 ]"},
        {WindowId::Type, nullptr, "Model Select", "机型选择"},
        {WindowId::SaveChann, nullptr, "Save Channel File", "保存信道参数文件"},
        {WindowId::OpenChann, nullptr, "Open Channcle File", "打开信道参数文件"},
        {WindowId::CommRead, nullptr, "Read Data From Radio", "从对讲机读取数据"},
        {WindowId::CommRead, "Command_read", "Read", "读取"},
        {WindowId::CommRead, "Command_Cancel", "Cancel", "取消"},
        {WindowId::CommRead, "Command_Help", "Help", "帮助"},
        {WindowId::Test, nullptr, "Radio Frequency", "收音机编辑"},
        {WindowId::Message, nullptr, "Embedded Message", "嵌入信息"},
        {WindowId::Adjust, nullptr, "Power Adjust", "发射功率调整"},
        {WindowId::Adjust, "Command_Close", "Close", "关闭"},
        {WindowId::Adjust, "Label_Low", "Low Power", "低功率"},
        {WindowId::Adjust, "Label_Mid", "Mid Power", "中功率"},
        {WindowId::Adjust, "Label_High", "High Power", "高功率"},
    };
    std::map<WindowId, QPointer<QWidget>> opened;
    for (const Caption& c : captions) {
        if (!opened.contains(c.id)) main->reopen(c.id);
        opened[c.id] = main->window(c.id);
    }

    for (bool chinese : {true, false}) {
        SCOPED_TRACE(chinese);
        command(chinese ? "Language_chn" : "Language_eng");
        for (auto& [id, window] : opened) {
            EXPECT_TRUE(window.isNull()) << int(id);
            EXPECT_TRUE(*openFlag(*state, id)) << int(id);
            window = main->window(id);
        }
        for (const Caption& c : captions) {
            QWidget* w = main->window(c.id);
            ASSERT_NE(w, nullptr) << c.english;
            EXPECT_EQ(c.control ? child<QWidget>(w, c.control)->property("text").toString()
                                : w->windowTitle(),
                      QString::fromUtf8(chinese ? c.chinese : c.english));
        }
    }
    // The main window's own captions, and windows opened afterwards (the key
    // window keeps no open flag, so the switch does not reload it).
    command("Language_chn");
    main->reopen(WindowId::Key);
    EXPECT_EQ(main->window(WindowId::Key)->windowTitle(), "键设定");
    EXPECT_EQ(QStringList({main->windowTitle(), main->statusPanel(1), main->statusPanel(3),
                           main->statusPanel(6), main->action("Optional_edit")->text(),
                           main->action("Prog_read")->text()})
                  .join('|'),
              "Merivon  ZT790 C1.0 系列对讲机编程软件 |状态|COM1|频段|可选功能|从对讲机读取数据");
    EXPECT_EQ(child<QComboBox>(main->window(WindowId::Option), "Combo_Scan")->itemText(0), "时间");
    child<QPushButton>(main->channelGrid(), "Command_Edit")->click();
    EXPECT_EQ(main->window(WindowId::ChannEdit)->windowTitle(), "信道编辑");
}

TEST_F(MainWindowShell, AboutReopensAFreshBoxEachTime) {
    QPointer<QWidget> first = open("Menu_About", WindowId::About);
    EXPECT_EQ(child<QLabel>(first, "lblTitle")->text(),
              "Merivon ZT790 C1.0 series program software. ");
    auto* about = open<AboutBox>("Menu_About", WindowId::About);
    EXPECT_TRUE(first.isNull());  // deleted, not shown again
    // The system information button hides without a tool and says so when its
    // tool cannot run.
    auto* sysInfo = child<QPushButton>(about, "cmdSysInfo");
    about->setSystemInfoTool({"/nonexistent/sysinfo-tool", {}});
    EXPECT_FALSE(sysInfo->isHidden());
    sysInfo->click();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text + "|" + presenter.messages[0].title,
              "此时系统信息不可用|Operate prompt");
    press(about, "cmdOK");
    EXPECT_FALSE(state->Windows.AboutIsOpen);
    EXPECT_EQ(main->window(WindowId::About), nullptr);
}

TEST_F(MainWindowShell, ModelChoiceWritesTheBandEdgesAndTheStartFrequency) {
    WriteBandEdges(state->ChannelTable, {420, 450});
    QWidget* dialog = open("proc_type", WindowId::Type);
    auto* type = child<QComboBox>(dialog, "Combo_type");
    auto bands = [&] {
        return child<QLabel>(dialog, "Label_band")->text() + " / " +
               child<QLabel>(dialog, "Label_SubBand")->text();
    };
    EXPECT_EQ(type->currentText(), "ZT790 C1.0 UHF");
    // Opening takes the edges of the image.
    EXPECT_EQ(bands(), "UHF 420 --  450 MHZ / VHF 136 --  174 MHZ");
    type->setCurrentIndex(1);
    press(dialog, "Command_enter");
    EXPECT_EQ(ReadBandEdges(state->ChannelTable), (BandEdges{136, 174}));
    const ImageRow& start = state->ChannelTable[0];  // 136.625 MHz
    EXPECT_EQ(std::vector<int>(start.begin(), start.begin() + 4),
              (std::vector<int>{0x00, 0x25, 0x66, 0x13}));
    EXPECT_EQ(state->ModelIndex, 1);
    EXPECT_EQ(main->statusPanel(7), " 136-- 174 MHZ");
    EXPECT_EQ(announcements(main.get()).back(), "Band 136-- 174 MHZ");
    EXPECT_FALSE(state->Windows.TypeIsOpen);
}

// Choosing by number and the refused-port case are in the exchange tests.
TEST_F(MainWindowShell, PortChoiceByTypedPathShowsInPanelThree) {
    QWidget* dialog = open("proc_setup", WindowId::Setup);
    QTest::mouseClick(child<QRadioButton>(dialog, "Option_device"), Qt::LeftButton);
    press(dialog, "Command_ok");
    EXPECT_EQ(presenter.take(), Texts{"Please input the device path of the serial port."});
    EXPECT_EQ(state->ComDevice, "");
    QTest::keyClicks(child<QLineEdit>(dialog, "Text_device"), "/dev/pts/7");
    press(dialog, "Command_ok");
    EXPECT_EQ(state->ComDevice, "/dev/pts/7");
    EXPECT_EQ(main->findChild<QLabel*>("panel3")->toolTip(), "/dev/pts/7");
    EXPECT_FALSE(state->Windows.SetupIsOpen);
    dialog = open("proc_setup", WindowId::Setup);  // a number forgets it
    QTest::mouseClick(child<QRadioButton>(dialog, "Option3"), Qt::LeftButton);
    press(dialog, "Command_ok");
    EXPECT_EQ(state->ComDevice, "");
    EXPECT_EQ(main->statusPanel(3), "COM3");
}

// Every window of the window table closes whole by its Close (or Cancel)
// button, clicked or pressed with Enter, Ctrl+F4, its frame's close box and
// Escape: no frame stays behind. The dialogs close by their close box and
// Escape. Enter where a window opens its focus runs its default button.
TEST_F(MainWindowShell, EveryWindowClosesEveryWayAndEnterRunsItsDefault) {
    enum Way { Button, EnterOnButton, CtrlF4, Frame, Escape, Enter };
    enum Outcome { Stays, Closes, Starts, Refuses };
    const std::map<WindowId, Outcome> enter{
        {WindowId::About, Closes},      {WindowId::Setup, Closes},
        {WindowId::Type, Closes},       {WindowId::SaveChann, Refuses},  // the empty name
        {WindowId::OpenChann, Refuses}, {WindowId::CommRead, Starts},
        {WindowId::CommWrite, Starts},  {WindowId::Doctor, Closes}};
    for (const WindowSpec& spec : Windows()) {
        for (Way way : {Button, EnterOnButton, CtrlF4, Frame, Escape, Enter}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(spec.id)) + " way " + std::to_string(way));
            main->reopen(spec.id);
            QWidget* w = main->window(spec.id);
            auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
            if (!frame && (way == Button || way == EnterOnButton || way == CtrlF4)) continue;
            w->activateWindow();
            for (auto* c : w->findChildren<QWidget*>()) {
                if (c->focusPolicy() != Qt::NoFocus && c->isEnabled() &&
                    !w->isAncestorOf(QApplication::focusWidget()))
                    c->setFocus();
            }
            QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            if (way == Button || way == EnterOnButton) {
                // The first button found closes the window, deleting it at once.
                for (const char* name : {"Command_Close", "Command_close", "Command_Cancel"}) {
                    if (auto* b = w->findChild<QAbstractButton*>(name)) {
                        b->setFocus();
                        way == Button ? b->click() : QTest::keyClick(b, Qt::Key_Return);
                        break;
                    }
                }
            }
            if (way == CtrlF4) QTest::keyClick(focus, Qt::Key_F4, Qt::ControlModifier);
            if (way == Frame) (frame ? frame : w)->close();
            if (way == Escape) QTest::keyClick(focus, Qt::Key_Escape);
            const auto it = enter.find(spec.id);
            const Outcome outcome = way != Enter ? Closes : it == enter.end() ? Stays : it->second;
            if (way == Enter) QTest::keyClick(focus, Qt::Key_Return);
            settle();
            EXPECT_EQ(main->window(spec.id) == nullptr, outcome == Closes);
            EXPECT_EQ(main->exchangeRunning(), outcome == Starts);
            EXPECT_EQ(presenter.take().size(), outcome == Refuses ? 1U : 0U);
            main->unload(spec.id);
            main->unload(WindowId::Chann);  // the read and write windows open it
            EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
        }
        main->unload(spec.id);
    }
}

// As opening in fixed mode does.
TEST_F(MainWindowShell, ScanPriorityBoxLooksEnabledWhenItIs) {
    state->ChannelTable[213][0] = 2;  // Selected
    const auto base = [&] {
        return child<QLineEdit>(main->window(WindowId::Scan), "Text_prich")
            ->palette()
            .color(QPalette::Base);
    };
    main->reopen(WindowId::Scan);
    const QColor grey = base();
    auto* priority = child<QComboBox>(main->window(WindowId::Scan), "Combo_pri");
    priority->setCurrentIndex(1);
    emit priority->activated(1);
    const QColor switched = base();
    EXPECT_NE(switched, grey);
    main->reopen(WindowId::Scan);
    EXPECT_EQ(base(), switched);  // opened in fixed mode
}

// Panel 3 shows a port's whole name; in a narrow window only its folders are
// shortened, and what it shows fits the panel.
TEST_F(MainWindowShell, PortPanelKeepsTheWholeNameInView) {
    auto* panel = main->findChild<QLabel*>("panel3");
    const QString longPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    for (const QString& path : {QString("/dev/ttyUSB0"), longPath}) {
        for (int width : {1800, 500}) {
            SCOPED_TRACE(path.toStdString() + " " + std::to_string(width));
            main->resize(width, 600);
            state->ComDevice = path.toStdString();
            main->showPortPanel();
            settle();
            const QString shown = panel->text();
            EXPECT_TRUE(shown.endsWith(path.mid(path.lastIndexOf('/')))) << shown.toStdString();
            EXPECT_LE(panel->fontMetrics().horizontalAdvance(shown), panel->contentsRect().width());
            EXPECT_TRUE(width == 500 || path == longPath || shown == path);
        }
    }
}

}  // namespace
}  // namespace zt::test
