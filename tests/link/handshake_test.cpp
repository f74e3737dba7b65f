// The link machinery shared by every exchange: the handshake, the pump and the
// time-outs, the identification search, port failures and the busy guards.
#include "link_fixture.h"

namespace zt::testing {
namespace {

class HandshakeTest : public LinkTest {
  protected:
    void SetUp() override { Make(LinkMode::Read); }
};

// The pump, reply and pause times show in the failure test's total; the window
// tests check the busy texts.
TEST_F(HandshakeTest, StartAndCancelAreGuardedWhileBusyAndDuringTheRetryPause) {
    AddFault("silent@ident:always");
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(observer.messages.back().kind, LinkMessageKind::Busy);
    EXPECT_FALSE(link->Cancel());
    EXPECT_EQ(observer.messages.back().kind, LinkMessageKind::DontClose);
    clock.RunFor(Ms(kPumpMs + kReplyMs));
    ASSERT_EQ(link->State(), LinkState::Pausing);
    // The pause is not busy for Cancel, but a second start would race the retry.
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_TRUE(link->Cancel());
    clock.RunFor(Ms(30'000));
    EXPECT_EQ(port.OpenCount(), 1);  // the pending retry was cancelled too
    EXPECT_TRUE(observer.outcomes.empty());
    ExpectTimersStopped();
}

TEST_F(HandshakeTest, TheIdentifierIsAcceptedWithinTheNineBytesOnly) {
    const struct {
        Bytes reply;
        bool accepted;
    } cases[] = {
        {{'Z', 'T', '7', '9', '0', 1, 2, 3, 4}, true},
        {{0, 'Z', 'T', '7', '9', '0', 1, 2, 3}, true},
        {{0, 0, 0, 0, 'Z', 'T', '7', '9', '0'}, true},
        {{0, 0, 0, 0, 0, 'Z', 'T', '7', '9'}, false},  // cut off; the stale byte is not '0'
        {{'Z', 'T', '7', '9', '1', 1, 2, 3, 4}, false},
        {{'z', 't', '7', '9', '0', 1, 2, 3, 4}, false},
        {{'Z', 'T', '7', '9', '0', 1, 2, 3}, false},  // eight bytes wait for the time-out
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.reply));
        SimPort& bare = StartBare(LinkMode::Read);
        bare.Inject(c.reply);
        clock.RunFor(Ms(kReplyMs - 1));
        EXPECT_EQ(bare.Sent(), (c.accepted ? Bytes{0x06, 'R', 0, 0, 0x10} : Bytes{}));
        // Found past position 0, the identifier is moved to the front of RxBytes.
        if (c.accepted) {
            EXPECT_EQ(Bytes(link->Vars().RxBytes.begin(), link->Vars().RxBytes.begin() + 5),
                      Bytes(frame::kIdentifier.begin(), frame::kIdentifier.end()));
        }
        EXPECT_EQ(link->State(), c.accepted ? LinkState::Transferring : LinkState::Connecting);
        clock.RunFor(Ms(1));  // a refused one waits for the reply time-out
        EXPECT_EQ(link->State(), c.accepted ? LinkState::Transferring : LinkState::Pausing);
    }
}

TEST_F(HandshakeTest, APortThatWillNotOpenShowsThePortMessageAndStaysIdle) {
    port.FailOpen(true);
    app.ComPort = 5;
    app.ComDevice = "/dev/ttyUSB3";
    EXPECT_EQ(link->Start(), StartResult::PortFailed);
    const PortSettings& settings = *port.LastSettings();
    EXPECT_EQ(settings.choice.number, 5);
    EXPECT_EQ(settings.choice.device, "/dev/ttyUSB3");
    EXPECT_EQ(settings.baud, 9600);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::PortError);
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PortFailed});
    EXPECT_TRUE(observer.statuses.empty());  // no "Connecting" label
    EXPECT_EQ(link->State(), LinkState::Idle);
    EXPECT_FALSE(link->InProgress());
    ExpectTimersStopped();
}

// Regression (found by the fault-injection campaign): bytes that arrive before
// a request goes out are not part of its reply, or every later block comes out
// shifted. Here the identification, found three bytes into the nine read,
// trails its last three bytes in at 9600 baud after it was accepted.
TEST_F(HandshakeTest, BytesArrivingBeforeARequestGoesOutAreNotPartOfItsReply) {
    AddFault("noise@ident");
    port.SetByteTimeMicros(1042);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(port.OpenCount(), 1);
    for (int r = 0; r < kRadioRows; ++r) ASSERT_EQ(app.ChannelTable[r], radio.Memory()[r]) << r;
}

// Regression (found by the campaign): a read or write whose port closes
// mid-transfer (a pulled cable) fails at the reply time-out, without pausing to
// retry a port that is gone. (The campaign checks the message and the image.)
TEST_F(HandshakeTest, APortClosedUnderTheExchangeEndsItAtTheReplyTimeOut) {
    for (const LinkMode mode : {LinkMode::Read, LinkMode::Write}) {
        SCOPED_TRACE(mode == LinkMode::Read ? "read" : "write");
        observer = RecordingObserver{};
        Make(mode);
        const int opens = port.OpenCount();
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(clock.RunUntil([&] { return link->Vars().BlockIndex >= 100; }, Ms(60'000)));
        port.Close();
        const auto pulledAt = clock.Now();
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
        EXPECT_LE(observer.finishedAt - pulledAt, Ms(kPumpMs + kReplyMs));
        EXPECT_EQ(port.OpenCount(), opens + 1);  // no retry
        EXPECT_EQ(link->State(), LinkState::Idle);
    }
}

}  // namespace
}  // namespace zt::testing
