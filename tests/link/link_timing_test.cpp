// SPDX-License-Identifier: GPL-3.0-or-later
// The link's clock in absolute milliseconds: the 15 ms pump, the reply timer at
// 2000 ms per byte and 1000 ms after the frame, the 5000 ms pause, three
// retries, and the power window's 500 ms watchdog.
#include "link_rig.h"

namespace zt::testing {
namespace {

const std::string kProgram = "sent 50 52 4F 47 52 41 4D 02";

class LinkTiming : public LinkRig {};

TEST_F(LinkTiming, NoAnswerRetriesThreeTimesOnTheDocumentedSchedule) {
    AddFault("silent@ident:always");
    Make(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(log.Only({"opened", "closed", "sent", "Failed"}),
              (Lines{"0 opened", "15 " + kProgram, "1015 closed",       //
                     "6015 opened", "6030 " + kProgram, "7030 closed",  //
                     "12030 opened", "12045 " + kProgram, "13045 closed", "18045 opened",
                     "18060 " + kProgram, "19060 closed", "24060 Failed"}));
    Lines timers{"0 Pump 15"};
    timers.insert(timers.end(), 8, "15 Reply 2000");  // restarted with each byte sent
    timers.insert(timers.end(), {"15 Reply 1000", "1015 Pause 5000", "6015 Pump 15"});
    const Lines started = log.Only({"Pump", "Reply", "Pause", "Close"});
    EXPECT_EQ(Lines(started.begin(), started.begin() + 12), timers);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text,
              (LinkText{"Fail connect with transceiver.", "与对讲机联络失败 ！"}));
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(observer.statuses.back(), (LinkText{"Communication fault.", "与对讲机通讯故障 ！"}));
    EXPECT_EQ(observer.progress.back(), 0);
    using K = LinkStep::Kind;
    EXPECT_EQ(observer.steps, (std::vector<LinkStep>{{K::Connecting, 0, 0},
                                                     {K::Retrying, 2, 4},
                                                     {K::Connecting, 0, 0},
                                                     {K::Retrying, 3, 4},
                                                     {K::Connecting, 0, 0},
                                                     {K::Retrying, 4, 4},
                                                     {K::Connecting, 0, 0},
                                                     {K::NoAnswer, 4, 4}}));

    // Each start grants three retries anew. The pause refuses a start, which
    // would race the retry, but not a cancel, which stops the retry.
    log.lines.clear();
    observer.outcomes.clear();
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(1500));
    EXPECT_EQ(link->State(), LinkState::Pausing);
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(observer.messages.back().text.chinese, "正在与对讲机进行读写操作 ！");
    EXPECT_TRUE(link->Cancel());
    clock.RunFor(Ms(30'000));
    EXPECT_EQ(log.Only({"opened", "Failed"}), Lines{"24060 opened"});
    ASSERT_EQ(link->Start(), StartResult::Started);
    const auto began = clock.Now() / 1000;
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(clock.Now() / 1000 - began, 24060);
    EXPECT_EQ(log.Only({"opened"}).size(), 5u);
}

TEST_F(LinkTiming, PowerWatchdogEndsALinkThatNeverCameUpOrWasLost) {
    const struct {
        const char* fault;
        Lines ending;
    } cases[] = {
        // No identification by the first watchdog tick: the end byte 'b', then closed.
        {"silent@ident:always",
         {"0 opened", "15 " + kProgram, "500 sent 62", "500 closed", "500 PowerEnded",
          "500 close due"}},
        // A power frame not acknowledged: the reply time-out closes the port and
        // the next tick ends the link without a byte.
        {"silent@power:always", {"1030 closed", "1500 PowerEnded", "1500 close due"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        radio.ClearFaults();
        AddFault(c.fault);
        Make(LinkMode::Power);
        ASSERT_EQ(link->Connect(), StartResult::Started);
        EXPECT_EQ(log.Only({"Close"}).front(), "0 Close 500");
        ASSERT_TRUE(clock.RunUntil([&] { return !observer.outcomes.empty(); }, Ms(10'000)));
        clock.RunFor(Ms(1));
        const Lines all = log.Only({"opened", "closed", "sent", "Power", "close due"});
        ASSERT_GE(all.size(), c.ending.size());
        EXPECT_EQ(Lines(all.end() - static_cast<long>(c.ending.size()), all.end()), c.ending);
    }
}

// A healthy power link: the radio's values on the bars, one frame at once per
// move, the watchdog leaving it alone, and 'b' before the port closes.
TEST_F(LinkTiming, PowerLinkSendsAtOnceAndEndsWithItsEndByte) {
    radio.Memory()[240] = {50, 100, 200, 0, 1, 2};
    app.ChannelTable[240] = {9, 9, 9, 9, 21, 22};
    Make(LinkMode::Power);
    ASSERT_EQ(link->Connect(), StartResult::Started);
    clock.RunFor(Ms(1000));
    EXPECT_EQ(observer.powerValues, (std::vector{50, 100, 200}));
    ASSERT_TRUE(link->SetPowerLevel(2, 201));
    ASSERT_TRUE(link->SetPowerLevel(1, 120));  // replaces the frame not yet out
    clock.RunFor(Ms(3000));
    EXPECT_TRUE(observer.outcomes.empty());
    link->ClosePower();
    const std::string row = "32 64 C8 09 15 16 00 00 00 00 00 00 00 00 00 00";
    EXPECT_EQ(log.Only({"sent", "closed", "Power"}),
              (Lines{"15 " + kProgram, "30 sent 06 67 0F 00 10 " + row,
                     "1015 sent 06 67 0F 00 10 32 78 C9 01 15 16 00 00 00 00 00 00 00 00 00 00",
                     "4000 sent 62", "4000 closed", "4000 PowerEnded"}));
    EXPECT_EQ(radio.SessionsCompleted(), 1);

    // A link dropped while up (its window destroyed, the program quitting)
    // still sends 'b' before the port closes.
    Make(LinkMode::Power);
    ASSERT_EQ(link->Connect(), StartResult::Started);
    clock.RunFor(Ms(1000));
    link->Abort();
    const Lines dropped = log.Only({"sent", "closed"});
    EXPECT_EQ(Lines(dropped.end() - 2, dropped.end()), (Lines{"1000 sent 62", "1000 closed"}));
}

}  // namespace
}  // namespace zt::testing
