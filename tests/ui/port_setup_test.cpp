#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/port_setup_dialog.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using PortSetup = MainWindowTest;

std::vector<SerialPortEntry> twoAdapters() {
    return OrderSerialPorts(
        {{"ttyS0", "/dev/ttyS0", "", false}, {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", true}});
}

TEST_F(PortSetup, ButtonsShowTheDeviceEachNumberStandsFor) {
    PortSetupDialog dialog(*state, presenter, twoAdapters());
    EXPECT_TRUE(state->Windows.SetupIsOpen);
    EXPECT_TRUE(child<QRadioButton>(&dialog, "Option1")->isChecked());
#if !defined(Q_OS_WIN)
    EXPECT_TRUE(child<QLabel>(&dialog, "Label_port1")->text().startsWith("ttyUSB0"));
    EXPECT_TRUE(child<QLabel>(&dialog, "Label_port2")->text().startsWith("ttyS0"));
    EXPECT_EQ(child<QLabel>(&dialog, "Label_port3")->text(), "(not available)");
#endif
    EXPECT_EQ(child<QRadioButton>(&dialog, "Option8")->text(), "COM8");
}

TEST_F(PortSetup, ConfirmStoresTheNumberAndPanelThreeFollows) {
    main->action("proc_setup")->trigger();
    QWidget* dialog = main->window(WindowId::Setup);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(child<QRadioButton>(dialog, "Option3"), Qt::LeftButton);
    child<QPushButton>(dialog, "Command_ok")->click();
    settle();
    EXPECT_EQ(state->ComPort, 3);
    EXPECT_EQ(main->statusPanel(3), "COM3");
    EXPECT_EQ(main->window(WindowId::Setup), nullptr);
    EXPECT_FALSE(state->Windows.SetupIsOpen);

    // Cancel keeps the port.
    main->action("proc_setup")->trigger();
    dialog = main->window(WindowId::Setup);
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option3")->isChecked());
    QTest::mouseClick(child<QRadioButton>(dialog, "Option5"), Qt::LeftButton);
    child<QPushButton>(dialog, "Command1")->click();
    settle();
    EXPECT_EQ(state->ComPort, 3);
    EXPECT_EQ(main->statusPanel(3), "COM3");
}

TEST_F(PortSetup, ATypedDevicePathIsUsedAndShownInPanelThree) {
    main->action("proc_setup")->trigger();
    QWidget* dialog = main->window(WindowId::Setup);
    auto* path = child<QLineEdit>(dialog, "Text_device");
    QTest::keyClicks(path, "/dev/pts/7");
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option_device")->isChecked());
    child<QPushButton>(dialog, "Command_ok")->click();
    settle();
    EXPECT_EQ(state->ComDevice, "/dev/pts/7");
    EXPECT_EQ(main->statusPanel(3), "pts/7");

    // Going back to a number forgets the path.
    main->action("proc_setup")->trigger();
    dialog = main->window(WindowId::Setup);
    EXPECT_EQ(child<QLineEdit>(dialog, "Text_device")->text(), "/dev/pts/7");
    QTest::mouseClick(child<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
    child<QPushButton>(dialog, "Command_ok")->click();
    EXPECT_EQ(state->ComDevice, "");
    EXPECT_EQ(main->statusPanel(3), "COM2");
}

TEST_F(PortSetup, EmptyDevicePathIsRefusedWithAMessage) {
    PortSetupDialog dialog(*state, presenter, {});
    QTest::mouseClick(child<QRadioButton>(&dialog, "Option_device"), Qt::LeftButton);
    dialog.confirm();
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Please input the device path of the serial port."});
    EXPECT_EQ(state->ComDevice, "");
    EXPECT_EQ(state->ComPort, 1);
}

TEST_F(PortSetup, AfterAFailedOpeningConfirmStoresButStaysOpen) {
    state->PortOpenFailed = true;
    main->action("proc_setup")->trigger();
    QWidget* dialog = main->window(WindowId::Setup);
    QTest::mouseClick(child<QRadioButton>(dialog, "Option4"), Qt::LeftButton);
    child<QPushButton>(dialog, "Command_ok")->click();
    settle();
    EXPECT_EQ(state->ComPort, 4);
    EXPECT_EQ(main->statusPanel(3), "COM4");
    EXPECT_EQ(main->window(WindowId::Setup), dialog);
    EXPECT_TRUE(state->Windows.SetupIsOpen);
}

}  // namespace
}  // namespace zt::test
