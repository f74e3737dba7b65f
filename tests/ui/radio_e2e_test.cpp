// The desktop program as a user drives it, against zt790sim on a pseudo-terminal
// over the real serial port and timers: choose the radio's device in the port
// dialog, read, edit a channel in the grid, write, adjust the power.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "support/sim_process.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"
#include "ui/power_adjust_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;

// Runs the real event loop until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the loop now and then so the deadline is seen
    tick.start(50);
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

using RadioEndToEnd = MainWindowTest;

TEST_F(RadioEndToEnd, ChooseTheDeviceReadEditWriteAndAdjustThePower) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString start = dir.filePath("radio.chann");
    const QString end = dir.filePath("after.chann");
    Image memory = BlankImage();
    StoreRxText(memory, 1, "446.00625");
    ApplyGridDefaults(memory, 1);
    WriteName(memory, 1, "BASE");
    memory[240][0] = 30;
    memory[240][1] = 90;
    memory[240][2] = 160;
    ASSERT_TRUE(SaveChannelFile(start.toStdString(), memory).ok);

    zt::testing::SimProcess sim({"--load", start, "--save", end});
    ASSERT_FALSE(sim.Device().isEmpty()) << "zt790sim did not start";

    // The port dialog's device path.
    main->action("proc_setup")->trigger();
    QWidget* setup = main->window(WindowId::Setup);
    ASSERT_NE(setup, nullptr);
    QTest::keyClicks(child<QLineEdit>(setup, "Text_device"), sim.Device());
    child<QPushButton>(setup, "Command_ok")->click();
    settle();
    ASSERT_EQ(main->window(WindowId::Setup), nullptr);
    EXPECT_EQ(state->ComDevice, sim.Device().toStdString());

    // Read.
    main->action("Prog_read")->trigger();
    auto* read = qobject_cast<CommWindow*>(main->window(WindowId::CommRead));
    ASSERT_NE(read, nullptr);
    child<QPushButton>(read, "Command_read")->click();
    ASSERT_TRUE(waitFor([&] { return main->window(WindowId::CommRead) == nullptr; }, 30'000));
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Complete reading the data from transceiver."});
    for (int r = 0; r < 254; ++r) EXPECT_EQ(state->ChannelTable[r], memory[r]) << r;

    // Edit channel 2 in the grid.
    ChannelGridWindow* grid = main->channelGrid();
    ASSERT_NE(grid, nullptr);
    grid->showAllRows();
    QTableWidget* table = grid->grid();
    const QRect cell = table->visualItemRect(table->item(1, Col::ColRx));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    grid->textEditor()->clear();
    QTest::keyClicks(grid->textEditor(), "445.5");
    QTest::keyClick(grid->textEditor(), Qt::Key_Return);
    settle();
    ASSERT_EQ(RxText(state->ChannelTable, 2), "445.50000");

    // Write.
    main->action("Prog_write")->trigger();
    auto* write = qobject_cast<CommWindow*>(main->window(WindowId::CommWrite));
    ASSERT_NE(write, nullptr);
    child<QPushButton>(write, "Command_Write")->click();
    ASSERT_TRUE(waitFor([&] { return main->window(WindowId::CommWrite) == nullptr; }, 30'000));
    EXPECT_TRUE(presenter.take().empty());

    // Power.
    main->action("Adj_Txp")->trigger();
    auto* power = qobject_cast<PowerAdjustWindow*>(main->window(WindowId::Adjust));
    ASSERT_NE(power, nullptr);
    ASSERT_TRUE(waitFor([&] { return power->link().State() == LinkState::Ready; }, 5'000));
    EXPECT_EQ(power->bar(2)->value(), 160);
    power->bar(2)->setValue(175);
    ASSERT_TRUE(waitFor([&] { return power->link().State() == LinkState::Ready; }, 5'000));
    child<QPushButton>(power, "Command_Close")->click();
    ASSERT_TRUE(waitFor([&] { return main->window(WindowId::Adjust) == nullptr; }, 5'000));
    EXPECT_TRUE(presenter.take().empty());

    // What the radio holds now.
    sim.Stop();
    Image after{};
    ASSERT_TRUE(LoadChannelFile(end.toStdString(), after).ok);
    EXPECT_EQ(RxText(after, 1), "446.00625");
    EXPECT_EQ(ReadName(after, 1), "BASE");
    EXPECT_EQ(RxText(after, 2), "445.50000");
    EXPECT_EQ(after[240][2], 175);
    EXPECT_EQ(after[240][3], 2);
}

}  // namespace
}  // namespace zt::test
