// SPDX-License-Identifier: GPL-3.0-or-later
// Check Connection...: the port setup dialog's button opens the doctor on the
// port chosen there, and the doctor's report in the language in force.

#include "ui/announcer.h"
#include "ui/connection_check_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using ConnectionCheck = MainWindowTest;

QString Cell(QWidget* w, int row, int column) {
    auto* table = w->findChild<QTableWidget*>("Grid_checks");
    return table && table->item(row, column) ? table->item(row, column)->text() : QString();
}

// The port typed in the dialog is checked without being stored.
TEST_F(ConnectionCheck, TheSetupDialogChecksThePortChosenThere) {
    QWidget* setup = open("proc_setup", WindowId::Setup);
    QTest::mouseClick(child<QRadioButton>(setup, "Option_device"), Qt::LeftButton);
    type(child<QLineEdit>(setup, "Text_device"), "/nonexistent/ttyZT9");
    // Enter presses it, as it would Confirm elsewhere in the dialog.
    QTest::keyClick(child<QPushButton>(setup, "Command_check"), Qt::Key_Return);
    settle();
    QWidget* check = main->window(WindowId::Doctor);
    ASSERT_NE(check, nullptr);
    settle();
    EXPECT_EQ(Cell(check, 0, 0), "/nonexistent/ttyZT9");
    EXPECT_EQ(Cell(check, 0, 2), "failed");
    EXPECT_EQ(Cell(check, 0, 3), "no such serial port");
    EXPECT_EQ(state->ComDevice, "");
    EXPECT_EQ(main->window(WindowId::Setup), setup);
}

// Against the simulated radio, in Chinese.
TEST_F(ConnectionCheck, TheRadioAnswersInTheReport) {
    SimRadio radio;
    simRadio = &radio;
    const Host host{"/nonexistent-zt-root", {}, [](const std::string&) {
                        return DeviceNode{true, true, "root", "dialout", 0660};
                    }};
    ConnectionCheckWindow w(true, {1, "/dev/ttyZT"}, main->linkDevices, host);
    w.start();
    EXPECT_TRUE(w.running());
    clock.RunFor(Ms(100));
    settle();
    EXPECT_FALSE(w.running());
    EXPECT_EQ(Cell(&w, 5, 1), "对讲机");
    EXPECT_EQ(Cell(&w, 5, 3), "对讲机已应答：ZT790");
    EXPECT_EQ(w.findChild<QLabel*>("Label_status")->text(), "对讲机已应答。");
    EXPECT_EQ(announcements(&w), QStringList{"对讲机已应答。"});
    EXPECT_EQ(radio.SessionsCompleted(), 1);
}

}  // namespace
}  // namespace zt::test
