#include "link/frames.h"
#include "link_fixture.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PowerTest : public LinkTest {
  protected:
    void SetUp() override {
        radio.Memory()[frame::kPowerBlock] =
            ImageRow{50, 100, 200, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        app.ChannelTable[frame::kPowerBlock] =
            ImageRow{9, 9, 9, 9, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
        Make(LinkMode::Power);
        // The window sets its bars from the radio's values; that must send nothing.
        observer.onPower = [this](int low, int mid, int high) {
            const auto before = port.Sent().size();
            link->SetPowerLevel(0, low);
            link->SetPowerLevel(1, mid);
            link->SetPowerLevel(2, high);
            EXPECT_EQ(port.Sent().size(), before);
        };
    }
    Bytes PowerFrame() const {
        Bytes frame{0x06, 'g', 0x0F, 0x00, 0x10};
        const auto& row = app.ChannelTable[frame::kPowerBlock];
        frame.insert(frame.end(), row.begin(), row.end());
        return frame;
    }
    void ConnectReady() {
        ASSERT_EQ(link->Connect(), StartResult::Started);
        ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Ready; }, Ms(400)));
    }
};

TEST_F(PowerTest, TheRadioValuesComeWithTheIdentificationAndGoBackAtOnce) {
    ConnectReady();
    ASSERT_EQ(observer.powerValues.size(), 1u);
    EXPECT_EQ(observer.powerValues[0], (std::array<int, 3>{50, 100, 200}));
    const auto& row = app.ChannelTable[frame::kPowerBlock];
    EXPECT_EQ(row[0], 50);
    EXPECT_EQ(row[2], 200);
    EXPECT_EQ(row[3], 2);   // the bar set last
    EXPECT_EQ(row[4], 21);  // the rest of the row is sent as it is
    const Bytes& sent = port.Sent();
    EXPECT_EQ(Bytes(sent.end() - 21, sent.end()), PowerFrame());
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(link->Vars().Busy);
}

TEST_F(PowerTest, MovingABarSendsThePowerFrameAndCloseEndsWithB) {
    ConnectReady();
    port.ClearSent();
    ASSERT_TRUE(link->SetPowerLevel(2, 200 - 1));
    ASSERT_TRUE(link->SetPowerLevel(2, 200));  // unguarded: the second frame follows at once
    clock.RunFor(Ms(100));
    const auto& row = app.ChannelTable[frame::kPowerBlock];
    EXPECT_EQ(row[2], 200);
    EXPECT_EQ(row[3], 2);
    EXPECT_EQ(port.Sent(), PowerFrame());  // one frame: the second start replaced the first
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock][2], 200);
    EXPECT_FALSE(link->SetPowerLevel(3, 1));
    EXPECT_FALSE(link->SetPowerLevel(0, 256));

    clock.RunFor(Ms(2000));  // the watchdog leaves a healthy link alone
    EXPECT_EQ(observer.closeDue, 0);
    port.ClearSent();
    link->ClosePower();
    EXPECT_EQ(port.Sent(), Bytes{'b'});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PowerEnded});
    EXPECT_EQ(observer.closeDue, 1);
}

TEST_F(PowerTest, ALostAcknowledgementClosesTheWindowWithoutSendingB) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@power:always", error));
    ASSERT_EQ(link->Connect(), StartResult::Started);
    clock.RunFor(Ms(100));
    EXPECT_TRUE(link->Vars().LinkUp);
    port.ClearSent();
    ASSERT_TRUE(clock.RunUntil([&] { return observer.closeDue > 0; }, Ms(3000)));
    EXPECT_TRUE(port.Sent().empty());
    EXPECT_TRUE(observer.messages.empty());  // no message of its own
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PowerEnded});
    for (int t = 1; t <= 4; ++t) EXPECT_FALSE(timers.IsRunning(static_cast<LinkTimer>(t)));
}

TEST_F(PowerTest, NoAnswerByTheFirstWatchdogTickEndsTheLink) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@ident:always", error));
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return observer.closeDue > 0; }, Ms(3000)));
    EXPECT_EQ(clock.Now(), Ms(kPowerWatchdogMs));
    EXPECT_EQ(port.Sent().back(), 'b');  // the port was still open
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PowerTest, APortThatWillNotOpenClosesTheWindowAfterTheMessage) {
    port.FailOpen(true);
    EXPECT_EQ(link->Connect(), StartResult::PortFailed);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::PortError);
    ASSERT_TRUE(clock.RunUntil([&] { return observer.closeDue > 0; }, Ms(1000)));
    EXPECT_TRUE(port.Sent().empty());
}

}  // namespace
}  // namespace zt::testing
