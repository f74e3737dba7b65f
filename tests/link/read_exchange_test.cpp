#include <algorithm>

#include "link/frames.h"
#include "link_fixture.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ReadTest : public LinkTest {
  protected:
    void SetUp() override {
        for (auto& row : app.ChannelTable) row.fill(0xAA);
        Make(LinkMode::Read);
    }
    // The image must hold rows 0..253 of `memory` and keep rows 254..255.
    void ExpectImageEquals(const Image& memory) {
        for (int r = 0; r < kRadioRows; ++r) ASSERT_EQ(app.ChannelTable[r], memory[r]) << r;
        for (int r = kRadioRows; r < kImageRows; ++r) {
            EXPECT_TRUE(std::all_of(app.ChannelTable[r].begin(), app.ChannelTable[r].end(),
                                    [](std::uint8_t b) { return b == 0xAA; }))
                << r;
        }
    }
};

TEST_F(ReadTest, FullReadCopiesTheRadioMemoryAndReportsEachStep) {
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    ExpectImageEquals(radio.Memory());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(link->State(), LinkState::Completed);
    EXPECT_FALSE(link->Vars().Busy);
    EXPECT_TRUE(link->Vars().Finished);

    // Labels: connecting, blocks 2..254, then done.
    ASSERT_EQ(observer.statuses.size(), 1u + 253u + 1u);
    EXPECT_EQ(observer.statuses.front().english, "Connecting with transceiver. ");
    EXPECT_EQ(observer.statuses[1].english, "Reading 2 Data Block");
    EXPECT_EQ(observer.statuses[1].chinese, "正在读取 2 数据块");
    EXPECT_EQ(observer.statuses[253].english, "Reading 254 Data Block");
    EXPECT_EQ(observer.statuses.back(), (LinkText{"Read Data in gear. ", "数据读出正常 ！"}));
    // Progress: 0 at start, floor(n / 255 * 100) per block, 99 before the last, 100 after.
    ASSERT_EQ(observer.progress.size(), 1u + 253u + 1u);
    EXPECT_EQ(observer.progress[0], 0);
    EXPECT_EQ(observer.progress[253], 99);
    EXPECT_EQ(observer.progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(observer.progress.begin(), observer.progress.end()));

    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::ReadComplete);
    EXPECT_EQ(observer.messages[0].text.english, "Complete reading the data from transceiver.");
    EXPECT_EQ(observer.messages[0].title.english, "Operate Prompt");

    // The window closes at the next close check.
    clock.RunFor(Ms(300));
    EXPECT_EQ(observer.closeDue, 1);
    EXPECT_EQ(observer.closeDueAt - observer.finishedAt, Ms(kReadCloseCheckMs));
}

TEST_F(ReadTest, SendsEveryFrameByteForByte) {
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    Bytes expected{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02, 0x06, 'R', 0x00, 0x00, 0x10};
    for (int b = 1; b < kReadBlocks; ++b) {
        expected.push_back(0x06);
        expected.insert(expected.end(), {'R', frame::AddressHigh(b), frame::AddressLow(b), 0x10});
    }
    expected.push_back(0x06);
    EXPECT_EQ(port.Sent(), expected);
    // The last request is for block 253 at address 0FD0.
    EXPECT_EQ(Bytes(expected.end() - 5, expected.end() - 1), (Bytes{'R', 0x0F, 0xD0, 0x10}));
}

TEST_F(ReadTest, TimeOutAtBlock200RetriesAndKeepsOnlyTheSecondPass) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@200", error));
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Pausing; }, Ms(60'000)));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(link->Vars().Busy);
    // Nothing of the broken pass reached the image.
    EXPECT_EQ(app.ChannelTable[0][0], 0xAA);

    const Image second = PatternImage(99);
    radio.Memory() = second;
    const auto pausedAt = clock.Now();
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    ExpectImageEquals(second);
    EXPECT_EQ(port.OpenCount(), 2);
    EXPECT_EQ(link->Vars().Retries, kRetries - 1);
    // The retry began with a fresh programming request after the 5 s pause.
    EXPECT_GE(clock.Now() - pausedAt, Ms(kPauseMs));
}

TEST_F(ReadTest, FourFailedAttemptsReportFailureAndLeaveTheImage) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@ident:always", error));
    const Image before = app.ChannelTable;
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
    EXPECT_EQ(port.OpenCount(), 4);
    // Four attempts: each 15 ms pump, 8 bytes, 1 s wait and a 5 s pause.
    EXPECT_EQ(clock.Now(), 4 * Ms(kPumpMs + kReplyMs + kPauseMs));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text.english, "Fail connect with transceiver.");
    EXPECT_EQ(observer.messages[0].text.chinese, "与对讲机联络失败 ！");
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(observer.statuses.back().english, "Communication fault.");
    EXPECT_EQ(observer.progress.back(), 0);
    EXPECT_EQ(app.ChannelTable, before);
    EXPECT_EQ(link->State(), LinkState::Idle);
    for (int t = 1; t <= 4; ++t) EXPECT_FALSE(timers.IsRunning(static_cast<LinkTimer>(t)));

    // Starting again grants three retries anew.
    observer.outcomes.clear();
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(port.OpenCount(), 8);
}

TEST_F(ReadTest, AReplyInPiecesWaitsForAll21BytesAndDropsTheRest) {
    SimPort& bare = UseBarePort(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(20));
    bare.Inject({'Z', 'T', '7', '9', '0', 1, 2, 3, 4});
    clock.RunFor(Ms(20));  // the first read request goes out
    bare.ClearSent();
    Bytes reply{'R', 0, 0, 0x10, 0};
    for (int i = 0; i < 16; ++i) reply.push_back(static_cast<std::uint8_t>(0x40 + i));
    bare.Inject(Bytes(reply.begin(), reply.begin() + 10));
    clock.RunFor(Ms(5));
    EXPECT_TRUE(bare.Sent().empty());
    EXPECT_EQ(link->Vars().BlockIndex, 1);
    Bytes rest(reply.begin() + 10, reply.end());
    rest.insert(rest.end(), {0xEE, 0xEE, 0xEE});
    bare.Inject(rest);
    clock.RunFor(Ms(1));
    EXPECT_EQ(bare.Sent(), Bytes{0x06});  // acknowledged at once
    EXPECT_EQ(bare.BytesWaiting(), 0);    // the extra bytes were dropped
    EXPECT_EQ(app.CommBuffer[1][5], 0x40);
    EXPECT_EQ(app.CommBuffer[1][20], 0x4F);
    clock.RunFor(Ms(kPumpMs));
    EXPECT_EQ(bare.Sent(), (Bytes{0x06, 'R', 0x00, 0x10, 0x10}));
}

TEST_F(ReadTest, AbortMidwayLeavesTheImageAndStopsEverything) {
    const Image before = app.ChannelTable;
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunUntil([&] { return link->Vars().BlockIndex > 100; }, Ms(60'000));
    EXPECT_FALSE(link->Cancel());  // refused while busy
    EXPECT_EQ(observer.messages.back().text.english,
              "Read-write operating，don't close the window. ,");
    link->Abort();
    EXPECT_FALSE(port.IsOpen());
    for (int t = 1; t <= 4; ++t) EXPECT_FALSE(timers.IsRunning(static_cast<LinkTimer>(t)));
    clock.RunFor(Ms(30'000));
    EXPECT_EQ(app.ChannelTable, before);
    EXPECT_TRUE(observer.outcomes.empty());
}

}  // namespace
}  // namespace zt::testing
