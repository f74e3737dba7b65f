// The programming cable pulled out in the middle of a read, for real: the
// simulated radio behind a pseudo-terminal, the program on QSerialPort and
// QTimer. Closing the terminal's far end is what the system shows when a USB
// adapter goes away; the read must end within two seconds and the port must
// open again for the next read.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <optional>

#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/startup.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "radio_on_pty.h"

namespace zt {
namespace {

struct Outcome : ExchangeObserver {
    void OnMessage(const LinkMessage& m) override { messages.push_back(m.kind); }
    void OnFinished(ExchangeOutcome o) override { outcome = o; }
    std::optional<ExchangeOutcome> outcome;
    std::vector<LinkMessageKind> messages;
};

TEST(PulledCable, ARealPortClosedMidReadEndsWithinTwoSecondsAndOpensAgain) {
    TestApp();

    AppState app;
    StartUp(app);
    for (auto& row : app.ChannelTable) row.fill(0x5A);
    const Image before = app.ChannelTable;
    QtSerialPort port;
    QtLinkTimers timers;
    Outcome observer;
    SerialLink link(LinkMode::Read, app, port, timers, observer);

    auto radio = std::make_unique<RadioOnPty>(true);
    app.ComDevice = radio->Path();
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(RunEventsUntil([&] { return link.Vars().BlockIndex >= 20; }, 20'000));
    ASSERT_FALSE(observer.outcome.has_value());

    QElapsedTimer sincePull;
    sincePull.start();
    radio->Pull();
    ASSERT_TRUE(RunEventsUntil([&] { return observer.outcome.has_value(); }, 10'000));
    EXPECT_LT(sincePull.elapsed(), 2000);
    EXPECT_EQ(observer.outcome, ExchangeOutcome::Failed);
    EXPECT_EQ(observer.messages, std::vector{LinkMessageKind::FailConnect});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(link.InProgress());
    EXPECT_EQ(app.ChannelTable, before);

    // Plugged back in (a new terminal): the same port and link read again.
    radio = std::make_unique<RadioOnPty>(false);
    app.ComDevice = radio->Path();
    observer = Outcome{};
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(RunEventsUntil([&] { return observer.outcome.has_value(); }, 60'000));
    EXPECT_EQ(observer.outcome, ExchangeOutcome::Completed);
    for (int r = 0; r < kRadioRows; ++r) {
        ASSERT_EQ(app.ChannelTable[r], radio->Radio().Memory()[r]) << r;
    }
}

}  // namespace
}  // namespace zt
