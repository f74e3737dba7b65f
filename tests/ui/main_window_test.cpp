#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/about_box.h"
#include "ui/channel_grid_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using MainWindowStartUp = MainWindowTest;

TEST_F(MainWindowStartUp, ShowsEnglishCaptionsAndStatusPanels) {
    EXPECT_EQ(main->windowTitle(), "Merivon ZT790 C1.0 series program software ");
    EXPECT_EQ(main->statusPanel(1), "State");
    EXPECT_EQ(main->statusPanel(2), "");
    EXPECT_EQ(main->statusPanel(3), "COM1");
    EXPECT_EQ(main->statusPanel(4), "  Version");
    EXPECT_EQ(main->statusPanel(5), "Ver1.2");
    EXPECT_EQ(main->statusPanel(6), "Band");
    EXPECT_EQ(main->statusPanel(7), " 400-- 470 MHZ");
    EXPECT_EQ(main->statusPanel(8), "Merivon ");
    EXPECT_TRUE(main->action("Language_eng")->isChecked());
    EXPECT_FALSE(main->action("Language_chn")->isChecked());
}

TEST_F(MainWindowStartUp, StatusPanelsShareTheWidthAsDocumented) {
    main->resize(1000, 600);
    settle();
    const int shares[] = {5, 15, 6, 8, 10, 5, 16, 35};
    int total = 0;
    for (int i = 0; i < 8; ++i)
        total += child<QLabel>(main.get(), QString("panel%1").arg(i + 1).toLatin1())->width();
    for (int i = 0; i < 8; ++i) {
        auto* panel = child<QLabel>(main.get(), QString("panel%1").arg(i + 1).toLatin1());
        EXPECT_NEAR(panel->width(), total * shares[i] / 100.0, 8.0) << "panel " << i + 1;
    }
}

TEST_F(MainWindowStartUp, MenuTreeHidesWhatTheRadioDoesNotOffer) {
    const char* shown[] = {"File",      "File_New",  "File_Open",  "File_save",    "File_saveas",
                           "File_exit", "proc_type", "Edit",       "Channel_edit", "Optional_edit",
                           "divider1",  "Test_edit", "Program",    "Prog_read",    "Prog_write",
                           "Adjust",    "Adj_Txp",   "proc_setup", "Menu_About",   "Menu_exit"};
    for (const char* name : shown) EXPECT_TRUE(main->action(name)->isVisible()) << name;
    const char* hidden[] = {"key_edit", "Scan_edit",    "Dtmf_edit", "Fleetsync_edit",
                            "divider2", "Message_edit", "Prog_test", "Language_Setup"};
    for (const char* name : hidden) {
        EXPECT_FALSE(main->action(name)->isVisible()) << name;
        EXPECT_FALSE(main->action(name)->isEnabled()) << name;
    }
    // The visible divider can never run anything.
    EXPECT_FALSE(main->action("divider1")->isEnabled());
    EXPECT_EQ(main->action("File_New")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(main->action("File_Open")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(main->action("File_save")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(main->action("Prog_read")->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(main->action("Prog_write")->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(main->action("Channel_edit")->text(), "Channel Information ");
}

TEST_F(MainWindowStartUp, AboutReopensAFreshBoxEachTime) {
    main->action("Menu_About")->trigger();
    QWidget* first = main->window(WindowId::About);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(state->Windows.AboutIsOpen);
    EXPECT_EQ(child<QLabel>(first, "lblVersion")->text().left(6), "Ver1.2");
    EXPECT_EQ(child<QLabel>(first, "lblTitle")->text(),
              "Merivon ZT790 C1.0 series program software. ");

    main->action("Menu_About")->trigger();
    QWidget* second = main->window(WindowId::About);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(state->Windows.AboutIsOpen);

    child<QPushButton>(second, "cmdOK")->click();
    settle();
    EXPECT_FALSE(state->Windows.AboutIsOpen);
    EXPECT_EQ(main->window(WindowId::About), nullptr);
}

TEST_F(MainWindowStartUp, SystemInformationButtonHidesWithoutATool) {
    main->action("Menu_About")->trigger();
    auto* about = static_cast<AboutBox*>(main->window(WindowId::About));
    about->setSystemInfoTool({});
    EXPECT_TRUE(child<QPushButton>(about, "cmdSysInfo")->isHidden());
    about->setSystemInfoTool({"/nonexistent/sysinfo-tool", {}});
    auto* button = child<QPushButton>(about, "cmdSysInfo");
    EXPECT_FALSE(button->isHidden());
    button->click();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "此时系统信息不可用");
    EXPECT_EQ(presenter.messages[0].title, "Operate prompt");
}

}  // namespace
}  // namespace zt::test

namespace zt::test {
namespace {

// Every window of the shell carries the Chinese captions too.
TEST_F(MainWindowStartUp, WindowsOpenInChineseWhenTheFlagSaysSo) {
    main->action("Language_chn")->trigger();
    settle();
    EXPECT_EQ(main->windowTitle(), "Merivon  ZT790 C1.0 系列对讲机编程软件 ");
    EXPECT_EQ(main->statusPanel(1), "状态");
    EXPECT_EQ(main->action("Prog_read")->text(), "从对讲机读取数据");
    ASSERT_NE(main->channelGrid(), nullptr);
    EXPECT_EQ(main->channelGrid()->windowTitle(), "信道参数编辑 [ 信道 - 1 ]");
    const std::pair<const char*, WindowId> windows[] = {{"proc_setup", WindowId::Setup},
                                                        {"proc_type", WindowId::Type},
                                                        {"File_Open", WindowId::OpenChann},
                                                        {"File_save", WindowId::SaveChann},
                                                        {"Menu_About", WindowId::About}};
    const char* titles[] = {"通讯端口设置", "机型选择", "打开信道参数文件", "保存信道参数文件",
                            "关于"};
    for (std::size_t i = 0; i < std::size(windows); ++i) {
        main->action(windows[i].first)->trigger();
        QWidget* w = main->window(windows[i].second);
        ASSERT_NE(w, nullptr) << windows[i].first;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(titles[i]));
        w->close();
        settle();
    }
    child<QPushButton>(main->channelGrid(), "Command_Edit")->click();
    EXPECT_EQ(main->window(WindowId::ChannEdit)->windowTitle(), "信道编辑");
}

}  // namespace
}  // namespace zt::test
