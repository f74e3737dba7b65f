// The link machinery shared by every exchange: the handshake, the pump and the
// time-outs, the identification search, port failures and the busy guards.
#include "link/frames.h"
#include "link_fixture.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class HandshakeTest : public LinkTest {
  protected:
    void SetUp() override { Make(LinkMode::Read); }
};

TEST_F(HandshakeTest, ThePumpSendsTheWholeFrameOn15MsTickAndWaits1000MsFromTheLastByte) {
    SimPort& bare = UseBarePort(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_TRUE(bare.Sent().empty());  // nothing goes out before the tick
    EXPECT_EQ(link->State(), LinkState::Connecting);
    EXPECT_TRUE(link->Vars().Busy);
    clock.RunFor(Ms(kPumpMs));
    EXPECT_EQ(bare.Sent(), Bytes(frame::kProgramRequest.begin(), frame::kProgramRequest.end()));
    EXPECT_TRUE(link->Vars().TxDone);
    EXPECT_FALSE(timers.IsRunning(LinkTimer::Pump));
    EXPECT_EQ(timers.Interval(LinkTimer::Reply), kReplyMs);
    clock.RunFor(Ms(kReplyMs - 1));
    EXPECT_TRUE(bare.IsOpen());
    clock.RunFor(Ms(1));
    EXPECT_FALSE(bare.IsOpen());
    EXPECT_EQ(link->State(), LinkState::Pausing);
    EXPECT_FALSE(link->Vars().Busy);
    EXPECT_EQ(timers.Interval(LinkTimer::Pause), kPauseMs);
    clock.RunFor(Ms(kPauseMs));
    EXPECT_TRUE(bare.IsOpen());
    EXPECT_EQ(link->Vars().Retries, 2);
    clock.RunFor(Ms(kPumpMs));
    EXPECT_EQ(bare.Sent().size(), 16u);  // the programming request again
}

TEST_F(HandshakeTest, TheIdentifierIsAcceptedWithinTheNineBytesOnly) {
    struct Case {
        Bytes reply;
        bool accepted;
    };
    const Case cases[] = {
        {{'Z', 'T', '7', '9', '0', 1, 2, 3, 4}, true},
        {{0, 'Z', 'T', '7', '9', '0', 1, 2, 3}, true},
        {{0, 0, 0, 0, 'Z', 'T', '7', '9', '0'}, true},
        {{0, 0, 0, 0, 0, 'Z', 'T', '7', '9'}, false},  // cut off; the stale byte is not '0'
        {{'Z', 'T', '7', '9', '1', 1, 2, 3, 4}, false},
        {{'z', 't', '7', '9', '0', 1, 2, 3, 4}, false},
    };
    for (const Case& c : cases) {
        SimPort& bare = UseBarePort(LinkMode::Read);
        ASSERT_EQ(link->Start(), StartResult::Started);
        clock.RunFor(Ms(kPumpMs));
        bare.ClearSent();
        bare.Inject(c.reply);
        clock.RunFor(Ms(kPumpMs));
        EXPECT_EQ(link->Vars().LinkUp, c.accepted) << int(c.reply[0]) << int(c.reply[4]);
        if (c.accepted) {
            EXPECT_EQ(bare.Sent(), (Bytes{0x06, 'R', 0, 0, 0x10}));
            EXPECT_EQ(Bytes(link->Vars().RxBytes.begin(), link->Vars().RxBytes.begin() + 5),
                      Bytes(frame::kIdentifier.begin(), frame::kIdentifier.end()));
        } else {
            EXPECT_TRUE(bare.Sent().empty());
            clock.RunFor(Ms(kReplyMs));
            EXPECT_EQ(link->State(), LinkState::Pausing);
        }
        link->Abort();
    }
}

TEST_F(HandshakeTest, FewerThanNineBytesWaitForTheTimeOut) {
    SimPort& bare = UseBarePort(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(kPumpMs));
    bare.Inject({'Z', 'T', '7', '9', '0', 1, 2, 3});
    clock.RunFor(Ms(kReplyMs - 1));
    EXPECT_FALSE(link->Vars().LinkUp);
    EXPECT_EQ(link->State(), LinkState::Connecting);
    clock.RunFor(Ms(1));
    EXPECT_EQ(link->State(), LinkState::Pausing);
}

TEST_F(HandshakeTest, NoiseBeforeTheIdentifierIsSkipped) {
    std::string error;
    auto plan = ParseFaultSpec("noise@ident", error);
    ASSERT_TRUE(plan);
    plan->noiseBytes = 4;
    radio.AddFault(*plan);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(port.OpenCount(), 1);
}

TEST_F(HandshakeTest, APortThatWillNotOpenShowsThePortMessageAndStaysIdle) {
    port.FailOpen(true);
    app.ComPort = 5;
    EXPECT_EQ(link->Start(), StartResult::PortFailed);
    EXPECT_TRUE(app.PortOpenFailed);
    EXPECT_EQ(port.LastSettings()->choice.number, 5);
    EXPECT_EQ(port.LastSettings()->baud, 9600);
    EXPECT_FALSE(port.LastSettings()->discardOutput);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::PortError);
    EXPECT_EQ(observer.messages[0].text.english,
              "Communication port is error, please setting right communication port . ！");
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PortFailed});
    EXPECT_TRUE(observer.statuses.empty());  // no "Connecting" label
    EXPECT_FALSE(link->Vars().Busy);
    EXPECT_EQ(link->State(), LinkState::Idle);
    for (int t = 1; t <= 4; ++t) EXPECT_FALSE(timers.IsRunning(static_cast<LinkTimer>(t)));

    port.FailOpen(false);
    EXPECT_EQ(link->Start(), StartResult::Started);
    EXPECT_FALSE(app.PortOpenFailed);
}

TEST_F(HandshakeTest, ThePortNamedByDeviceIsPassedOn) {
    app.ComDevice = "/dev/ttyUSB3";
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_EQ(port.LastSettings()->choice.device, "/dev/ttyUSB3");
}

TEST_F(HandshakeTest, StartAndCancelAreGuardedWhileBusyAndDuringTheRetryPause) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@ident:always", error));
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(observer.messages.back().text.english, "Read-write operating with transceiver .");
    EXPECT_FALSE(link->Cancel());
    EXPECT_EQ(observer.messages.back().kind, LinkMessageKind::DontClose);

    clock.RunUntil([&] { return link->State() == LinkState::Pausing; }, Ms(5000));
    // The pause is not busy for Cancel, but a second start would race the retry.
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(port.OpenCount(), 1);
    EXPECT_TRUE(link->Cancel());
    EXPECT_FALSE(port.IsOpen());
    clock.RunFor(Ms(30'000));
    EXPECT_EQ(port.OpenCount(), 1);  // the pending retry was cancelled too
    EXPECT_TRUE(observer.outcomes.empty());
}

}  // namespace
}  // namespace zt::testing
