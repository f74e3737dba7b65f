// What a faulty line does to an exchange, found by the fault-injection
// campaign: bytes that arrive before a frame goes out, and a port that closes
// under the exchange (a pulled cable).
#include "link/frames.h"
#include "link_fixture.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class LineFaultTest : public LinkTest {};

Bytes ReadReply(int block, std::uint8_t salt) {
    Bytes reply{'R', frame::AddressHigh(block), frame::AddressLow(block), 0x10, 0x00};
    for (int i = 0; i < kRowBytes; ++i) reply.push_back(static_cast<std::uint8_t>(salt + i));
    return reply;
}

// The identification found three bytes into the nine read, so its last three
// bytes arrive after it was accepted, before the first request goes out; a
// stray byte arrives likewise after a block. Neither may be taken as the start
// of the next reply.
TEST_F(LineFaultTest, BytesArrivingBeforeARequestGoesOutAreNotPartOfItsReply) {
    SimPort& bare = UseBarePort(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(kPumpMs));
    bare.Inject({0xEE, 0xEE, 0xEE, 'Z', 'T', '7', '9', '0', 50});
    clock.RunFor(Ms(2));
    ASSERT_TRUE(link->Vars().LinkUp);
    bare.Inject({100, 200, 0x02});  // the rest of the identification
    clock.RunFor(Ms(kPumpMs));
    ASSERT_EQ(link->Vars().TxDone, true);
    bare.Inject(ReadReply(0, 0x40));
    clock.RunFor(Ms(2));
    bare.Inject({0x99});  // a stray byte behind the reply
    clock.RunFor(Ms(kPumpMs));
    bare.Inject(ReadReply(1, 0x80));
    clock.RunFor(Ms(2));
    for (int i = 0; i < kRowBytes; ++i) {
        EXPECT_EQ(app.CommBuffer[1][5 + i], 0x40 + i) << i;
        EXPECT_EQ(app.CommBuffer[2][5 + i], 0x80 + i) << i;
    }
    EXPECT_EQ(link->Vars().BlockIndex, 3);
}

// A read and a write whose port closes mid-transfer end at the reply time-out
// with the failure message, without pausing to retry a port that is gone.
TEST_F(LineFaultTest, APortClosedUnderTheExchangeEndsItAtTheReplyTimeOut) {
    for (const LinkMode mode : {LinkMode::Read, LinkMode::Write}) {
        observer = RecordingObserver{};
        Make(mode);
        const Image before = app.ChannelTable;
        const int opens = port.OpenCount();
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(clock.RunUntil([&] { return link->Vars().BlockIndex >= 100; }, Ms(60'000)));
        port.Close();  // the adapter drops the port when the cable goes
        const auto pulledAt = clock.Now();
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
        EXPECT_LE(observer.finishedAt - pulledAt, Ms(kPumpMs + kReplyMs));
        ASSERT_EQ(observer.messages.size(), 1u);
        EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::FailConnect);
        EXPECT_EQ(observer.statuses.back().english, "Communication fault.");
        EXPECT_EQ(port.OpenCount(), opens + 1);  // no retry
        EXPECT_EQ(link->State(), LinkState::Idle);
        EXPECT_FALSE(link->InProgress());
        for (int t = 1; t <= kLinkTimerCount; ++t) {
            EXPECT_FALSE(timers.IsRunning(static_cast<LinkTimer>(t))) << t;
        }
        if (mode == LinkMode::Read) {
            EXPECT_EQ(app.ChannelTable, before);
        }
        link.reset();
    }
}

}  // namespace
}  // namespace zt::testing
