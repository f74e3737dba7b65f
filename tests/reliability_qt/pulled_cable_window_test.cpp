// SPDX-License-Identifier: GPL-3.0-or-later
// The cable pulled out during a read started from the program's read window,
// over the real serial port and timers: the window reports the failure within
// two seconds, the event loop never stalls meanwhile, the image is untouched,
// and the same window reads again once a radio is back (the first twenty blocks
// of the new radio are enough to show it; whole reads have their own tests).
// Stopping zt790sim closes the terminal's far end, which is what the system
// shows when a USB adapter goes away.
#include <algorithm>
#include <functional>

#include "support/sim_process.h"
#include "ui/comm_window.h"
#include "ui/exchange_support.h"
#include "ui/ui_test_support.h"

namespace zt::test {
namespace {

// Runs the event loop until `done` holds or `limitMs` have passed; the longest
// pause between two turns of the loop meanwhile goes to `longestPauseMs`.
bool RunEventsUntil(const std::function<bool()>& done, int limitMs,
                    qint64* longestPauseMs = nullptr) {
    QElapsedTimer timer, turn;
    timer.start();
    turn.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (longestPauseMs) *longestPauseMs = std::max(*longestPauseMs, turn.restart());
    }
    return true;
}

using PulledCable = MainWindowTest;

TEST_F(PulledCable, TheReadWindowFailsPromptlyStaysResponsiveAndReadsAgain) {
    main->linkDevices = SerialLinkDevices;
    for (auto& row : state->ChannelTable) row.fill(0x5A);
    const Image before = state->ChannelTable;

    auto radio = std::make_unique<testing::SimProcess>(QStringList{"--pace"});
    state->ComDevice = radio->Device().toStdString();
    auto* read = open<CommWindow>("Prog_read", WindowId::CommRead);
    ASSERT_NE(read, nullptr);
    auto* status = read->findChild<QLabel*>("Label_tr_count");
    press(read, "Command_read");
    ASSERT_TRUE(RunEventsUntil([&] { return read->link().Vars().BlockIndex >= 20; }, 20'000));

    QElapsedTimer sincePull;
    sincePull.start();
    qint64 longestPauseMs = 0;
    radio->Stop();
    ASSERT_TRUE(
        RunEventsUntil([&] { return !presenter.messages.empty(); }, 10'000, &longestPauseMs));
    EXPECT_LT(sincePull.elapsed(), 2000);
    EXPECT_EQ(presenter.take(), Texts{"Fail connect with transceiver."});
    RunEventsUntil([] { return false; }, 300, &longestPauseMs);  // and a little after
    EXPECT_LT(longestPauseMs, 500) << "the event loop stalled";
    EXPECT_FALSE(read->exchangeRunning());
    EXPECT_FALSE(read->link().InProgress());
    EXPECT_EQ(state->ChannelTable, before);
    ASSERT_EQ(main->window(WindowId::CommRead), read);  // stays for another try

    // Plugged back in: the same window reads the new terminal, block after block
    // (a reply is R, the address, 10, 00 and the row's 16 bytes).
    Image other{};  // a radio the first read never saw
    for (std::size_t r = 0; r < other.size(); ++r) other[r].fill(static_cast<std::uint8_t>(r));
    radio = std::make_unique<testing::SimProcess>(
        QStringList{"--load", saveImage("other.chann", other)});
    state->ComDevice = radio->Device().toStdString();
    press(read, "Command_read");
    ASSERT_TRUE(RunEventsUntil([&] { return read->link().Vars().BlockIndex >= 21; }, 20'000))
        << status->text().toStdString();
    for (std::size_t b = 1; b <= 20; ++b) {
        const auto& reply = state->CommBuffer[b];
        EXPECT_TRUE(std::equal(reply.begin() + 5, reply.begin() + 21, other[b - 1].begin())) << b;
    }
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(state->ChannelTable, before);  // until the last block is in
}

}  // namespace
}  // namespace zt::test
