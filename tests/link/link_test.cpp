// SPDX-License-Identifier: GPL-3.0-or-later
// The serial link against the in-process simulated radio: every frame kind byte
// for byte, the identification, the regressions the fault campaign found, and
// the clock in absolute milliseconds: the 15 ms pump, the reply timer at 2000 ms
// per byte and 1000 ms after the frame, the 5000 ms pause, three retries, and
// the power window's 500 ms watchdog.
#include <gtest/gtest.h>

#include "link/frames.h"
#include "link_rig.h"
#include "model/freq_codec.h"

namespace zt::testing {
namespace {

class LinkTest : public LinkRig {
  protected:
    LinkTest() {
        // Channels, frequency mode and band edges as blank (400..470 MHz) but
        // channel 7 in use pass the write's checks; the rest tells its address.
        const Image blank = BlankImage();
        app.ChannelTable = PatternImage(1);
        for (int r = 0; r <= 128; ++r) app.ChannelTable[r] = blank[r];
        app.ChannelTable[153] = blank[153];
        (void)StoreFreqText(app.ChannelTable, "462", 7, 0);
        for (int f = 0; f < 16; ++f) app.ChannelTable[239][f] = static_cast<std::uint8_t>(f * 0x11);
        before = app.ChannelTable;
    }
    // A link with no radio behind it, started and its first frame sent.
    void StartBare(LinkMode mode) {
        Make(mode, true);
        EXPECT_EQ(mode == LinkMode::Power ? link->Connect() : link->Start(), StartResult::Started);
        clock.RunFor(Ms(15));
    }
    // Rows 254..255 are not the radio's to read.
    void ExpectReadOf(Image memory) {
        std::copy(before.begin() + 254, before.end(), memory.begin() + 254);
        EXPECT_EQ(app.ChannelTable, memory);
    }

    Image before;
};

// The identifier is looked for in the nine bytes read and the stale bytes of
// the scratch after them, after stale bytes that nearly match; a start past
// position 9 does not count.
TEST(Identification, FoundAtPositionsZeroToNineOnly) {
    for (int p = 0; p <= 16; ++p) {
        Bytes rx(2001, 0);
        for (int i = 0; i < p; ++i) rx[i] = "ZT79Z"[i % 5];
        std::copy_n("ZT790", 5, rx.begin() + p);
        EXPECT_EQ(frame::FindIdentifier(rx), p <= 9 ? p : -1) << p;
    }
    EXPECT_EQ(frame::FindIdentifier(Bytes(2001, 0)), -1);
}

TEST_F(LinkTest, TheIdentificationIsFoundAfterStaleBytesWhereverItFits) {
    const struct {
        Bytes reply;
        bool accepted;
    } cases[] = {
        {{'Z', 'T', '7', '9', '0', 50, 100, 200, 2}, true},
        {{0x15, 'Z', 'T', '7', '9', '0', 50, 100, 200}, true},
        {{'Z', 'T', '7', '9', 'Z', 'T', '7', '9', '0'}, true},
        {{0, 0, 0, 0, 0, 'Z', 'T', '7', '9'}, false},  // cut off; the stale byte is not '0'
        {{'Z', 'T', '7', '9', '1', 1, 2, 3, 4}, false},
        {{'Z', 'T', '7', '9', '0', 1, 2, 3}, false},  // eight bytes wait for the time-out
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.reply));
        StartBare(LinkMode::Read);
        sim->Inject(c.reply);
        clock.RunFor(Ms(999));
        EXPECT_EQ(log->Only({"sent"}).size(), c.accepted ? 2u : 1u);
        EXPECT_EQ(link->State(), c.accepted ? LinkState::Transferring : LinkState::Connecting);
        if (c.accepted) {
            EXPECT_EQ(Sent().back(), "06 52 00 00 10");
            // The identifier is moved to the front of the scratch.
            EXPECT_EQ(Bytes(link->Vars().RxBytes.begin(), link->Vars().RxBytes.begin() + 5),
                      (Bytes{'Z', 'T', '7', '9', '0'}));
        }
        clock.RunFor(Ms(1));
        EXPECT_EQ(link->State(), c.accepted ? LinkState::Transferring : LinkState::Pausing);
    }
    // The power link takes the three bytes after the identifier as its values.
    StartBare(LinkMode::Power);
    sim->Inject({0x15, 'Z', 'T', '7', '9', '0', 50, 100, 200});
    clock.RunFor(Ms(1));
    EXPECT_EQ(observer.powerValues, (std::vector{50, 100, 200}));
}

// Regression (found by the fault-injection campaign): bytes that arrive before
// a request goes out are not part of its reply, or every later block comes out
// shifted. Here the identification, found three bytes into the nine read,
// trails its last three bytes in at 9600 baud after it was accepted.
TEST_F(LinkTest, BytesArrivingBeforeARequestGoesOutAreNotPartOfItsReply) {
    AddFault("noise@ident");
    Make(LinkMode::Read);
    sim->SetByteTimeMicros(1042);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(log->Only({"opened"}).size(), 1u);
    ExpectReadOf(radio.Memory());
}

// The write's twin: an acknowledgement that comes before its frame is out does
// not count for it, nor does any other byte.
TEST_F(LinkTest, AnAcknowledgementBeforeTheFrameIsOutDoesNotCount) {
    StartBare(LinkMode::Write);
    const auto answer = [&](const Bytes& reply) {
        sim->Inject(reply);
        clock.RunFor(Ms(1));
        return link->Vars().BlockIndex;
    };
    EXPECT_EQ(answer({'Z', 'T', '7', '9', '0', 1, 2, 3, 4}), 1);
    EXPECT_EQ(answer({0x06}), 1);  // early: the first write frame still waits for the pump
    clock.RunFor(Ms(15));
    EXPECT_EQ(answer({0x15}), 1);
    EXPECT_EQ(answer({0x06}), 2);
    // A read's reply that comes twice at once answers its own request only.
    StartBare(LinkMode::Read);
    EXPECT_EQ(answer({'Z', 'T', '7', '9', '0', 1, 2, 3, 4}), 1);
    clock.RunFor(Ms(15));
    Bytes twice(42, 0x5A);
    twice[0] = twice[21] = 'R';
    EXPECT_EQ(answer(twice), 2);
}

// Regression (found by the campaign): a read or write whose port closes
// mid-transfer (a pulled cable) fails at the reply time-out, without pausing to
// retry a port that is gone.
TEST_F(LinkTest, APortClosedUnderTheExchangeEndsItAtTheReplyTimeOut) {
    for (const LinkMode mode : {LinkMode::Read, LinkMode::Write}) {
        SCOPED_TRACE(mode == LinkMode::Read ? "read" : "write");
        Make(mode);
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(clock.RunUntil([&] { return link->Vars().BlockIndex >= 100; }, Ms(60'000)));
        sim->Close();
        const auto pulledAt = clock.Now();
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
        EXPECT_LE(clock.Now() - pulledAt, Ms(1015));
        EXPECT_EQ(log->Only({"opened"}).size(), 1u);  // no retry
        EXPECT_EQ(link->State(), LinkState::Idle);
    }
}

// Every kind of frame a whole read or write sends (block b is at 16 b, high
// byte first); a write first completes the derived rows. Each frame waits one
// 15 ms pump tick; the window may close 200 ms after a read, 500 ms after a write.
TEST_F(LinkTest, AWholeReadOrWriteFrameByFrameAndStepByStep) {
    radio.Memory() = PatternImage(50);
    const std::string ff = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";
    const struct {
        LinkMode mode;
        std::size_t index;  // of the run of bytes sent
        std::string bytes;
    } kinds[] = {
        {LinkMode::Read, 0, "50 52 4F 47 52 41 4D 02"},  // PROGRAM 02
        {LinkMode::Read, 1, "06 52 00 00 10"},           // first request, block 0
        {LinkMode::Read, 2, "06"},                       // acknowledges the reply
        {LinkMode::Read, 3, "52 00 10 10"},              // block 1
        {LinkMode::Read, 33, "52 01 00 10"},             // block 16
        {LinkMode::Read, 507, "52 0F D0 10"},            // block 253, the last
        {LinkMode::Read, 508, "06"},
        {LinkMode::Write, 0, "50 52 4F 47 52 41 4D 02"},
        {LinkMode::Write, 1, "06 57 00 00 10 50 12 20 46 00 00 00 01 FF FF FF FF 02 20 FF FF"},
        {LinkMode::Write, 2, "57 00 10 10 " + ff},  // block 1
        {LinkMode::Write, 17, "57 01 00 10 " + ff},
        {LinkMode::Write, 240,
         "57 0E F0 10 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF"},  // block 239, the last
        {LinkMode::Write, 241, "45"},                                     // 'E'
    };
    const struct {
        LinkMode mode;
        std::size_t runs;
        Lines end;
        std::size_t steps;
        LinkText second, last;
        std::size_t shift, divisor;  // progress: (i + shift) * 100 / divisor
    } cases[] = {
        {LinkMode::Read,
         509,
         {"3825 Close 200", "3825 Completed", "4025 close due"},
         255,
         {"Reading 2 Data Block", "正在读取 2 数据块"},
         {"Read Data in gear. ", "数据读出正常 ！"},
         1,
         255},
        {LinkMode::Write,
         242,
         {"3615 Close 500", "3615 Completed", "4115 close due"},
         241,
         {"Writing  0  Data Block", "正在写入  0  数据块"},
         {"Complete writing Data ", "数据写入完毕 ！"},
         0,
         240},
    };
    for (const auto& c : cases) {
        const bool read = c.mode == LinkMode::Read;
        SCOPED_TRACE(read ? "read" : "write");
        app.ChannelTable = before;
        Make(c.mode);
        ASSERT_EQ(link->Start(), StartResult::Started);
        EXPECT_EQ(sim->LastSettings()->discardOutput, !read);
        clock.RunFor(Ms(5000));
        EXPECT_EQ(log->Only({"Completed", "Close", "close due", "Pause", "Failed"}), c.end);
        const Lines sent = Sent();
        ASSERT_EQ(sent.size(), c.runs);
        for (const auto& k : kinds) {
            if (k.mode == c.mode) {
                EXPECT_EQ(sent[k.index], k.bytes) << k.index;
            }
        }
        if (read) {
            ExpectReadOf(radio.Memory());
            ASSERT_EQ(observer.messages.size(), 1u);
            EXPECT_EQ(observer.messages[0].text.chinese, "从对讲机中读取数据完毕 ！");
        } else {
            EXPECT_TRUE(std::equal(app.ChannelTable.begin(), app.ChannelTable.begin() + 240,
                                   radio.Memory().begin()));
            EXPECT_EQ(app.ChannelTable[208][12], 7);      // first used channel
            EXPECT_EQ(app.ChannelTable[210][0], 0xBF);    // channel 7 in use
            EXPECT_NE(radio.Memory()[240], before[240]);  // the power row is not written
            EXPECT_TRUE(observer.messages.empty());
        }
        ASSERT_EQ(observer.statuses.size(), c.steps);
        EXPECT_EQ(observer.statuses[0].chinese, "正在与对讲机联络 ！");
        EXPECT_EQ(observer.statuses[1], c.second);
        EXPECT_EQ(observer.statuses.back(), c.last);
        ASSERT_EQ(observer.progress.size(), read ? c.steps : c.steps - 1);
        for (std::size_t i = 1; i + 1 < c.steps; ++i) {  // whole percent of the blocks done
            EXPECT_EQ(observer.progress[i], static_cast<int>((i + c.shift) * 100 / c.divisor)) << i;
        }
    }
}

const std::string kProgram = "sent 50 52 4F 47 52 41 4D 02";

TEST_F(LinkTest, NoAnswerRetriesThreeTimesOnTheDocumentedSchedule) {
    AddFault("silent@ident:always");
    Make(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(log->Only({"opened", "closed", "sent", "Failed"}),
              (Lines{"0 opened", "15 " + kProgram, "1015 closed",       //
                     "6015 opened", "6030 " + kProgram, "7030 closed",  //
                     "12030 opened", "12045 " + kProgram, "13045 closed", "18045 opened",
                     "18060 " + kProgram, "19060 closed", "24060 Failed"}));
    Lines timers{"0 Pump 15"};
    timers.insert(timers.end(), 8, "15 Reply 2000");  // restarted with each byte sent
    timers.insert(timers.end(), {"15 Reply 1000", "1015 Pause 5000", "6015 Pump 15"});
    const Lines started = log->Only({"Pump", "Reply", "Pause", "Close"});
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
    const std::size_t seen = log->Only({"opened", "Failed"}).size();
    observer.outcomes.clear();
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(1500));
    EXPECT_EQ(link->State(), LinkState::Pausing);
    EXPECT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(observer.messages.back().text.chinese, "正在与对讲机进行读写操作 ！");
    EXPECT_TRUE(link->Cancel());
    clock.RunFor(Ms(30'000));
    const Lines since = log->Only({"opened", "Failed"});
    EXPECT_EQ(Lines(since.begin() + static_cast<long>(seen), since.end()), Lines{"24060 opened"});
    ASSERT_EQ(link->Start(), StartResult::Started);
    const auto began = clock.Now() / 1000;
    ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
    EXPECT_EQ(clock.Now() / 1000 - began, 24060);
    EXPECT_EQ(log->Only({"opened"}).size(), 9u);  // four, one cancelled, four
}

TEST_F(LinkTest, PowerWatchdogEndsALinkThatNeverCameUpOrWasLost) {
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
        EXPECT_EQ(log->Only({"Close"}).front(), "0 Close 500");
        ASSERT_TRUE(clock.RunUntil([&] { return !observer.outcomes.empty(); }, Ms(10'000)));
        clock.RunFor(Ms(1));
        const Lines all = log->Only({"opened", "closed", "sent", "Power", "close due"});
        ASSERT_GE(all.size(), c.ending.size());
        EXPECT_EQ(Lines(all.end() - static_cast<long>(c.ending.size()), all.end()), c.ending);
    }
}

// A healthy power link: the radio's values on the bars, one frame at once per
// move, the watchdog leaving it alone, and 'b' before the port closes.
TEST_F(LinkTest, PowerLinkSendsAtOnceAndEndsWithItsEndByte) {
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
    EXPECT_EQ(log->Only({"sent", "closed", "Power"}),
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
    const Lines dropped = log->Only({"sent", "closed"});
    EXPECT_EQ(Lines(dropped.end() - 2, dropped.end()), (Lines{"1000 sent 62", "1000 closed"}));
}

// The identification check: a radio that answers, one that is silent, one that
// answers something else, and a cable that sends the program's own bytes back.
TEST_F(LinkTest, TheIdentificationCheckTellsAnswerSilenceEchoAndGarbleApart) {
    const Bytes request{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};
    // The end byte 'E' only after the identification; no retry either way.
    const Lines answered{"15 sent 50 52 4F 47 52 41 4D 02", "15 sent 45", "15 closed",
                         "15 Completed"};
    const Lines unanswered{"15 sent 50 52 4F 47 52 41 4D 02", "1015 closed", "1015 Failed"};
    const struct {
        const char* fault;  // nullptr: a healthy radio
        bool echo;          // no radio: the line brings the request back
        IdentifyReply reply;
        char firstHeard;  // 0: nothing heard
    } cases[] = {
        {nullptr, false, IdentifyReply::Identified, 'Z'},
        {"silent@ident:always", false, IdentifyReply::Silent, 0},
        {"bad-ack@ident:always", false, IdentifyReply::Garbled, 'X'},
        {nullptr, true, IdentifyReply::Echo, 'P'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault ? c.fault : c.echo ? "echo" : "healthy");
        radio = SimRadio{PatternImage()};
        if (c.fault) AddFault(c.fault);
        Make(LinkMode::Identify, c.echo);
        ASSERT_EQ(link->Start(), StartResult::Started);
        if (c.echo) {
            clock.RunFor(Ms(15));
            sim->Inject(request);
        }
        ASSERT_TRUE(RunUntilFinished());
        clock.RunFor(Ms(10'000));
        const bool identified = c.reply == IdentifyReply::Identified;
        EXPECT_EQ(log->Only({"sent", "closed", "Completed", "Failed"}),
                  identified ? answered : unanswered);
        if (identified) {
            EXPECT_EQ(log->Only({"received"}), Lines{"15 received 5A 54 37 39 30 90 9D AA 02"});
        }
        EXPECT_EQ(link->IdentifyResult(), c.reply);
        const Bytes heard = link->Heard();
        EXPECT_EQ(heard.empty() ? 0 : heard[0], c.firstHeard);
        if (c.echo) {
            EXPECT_EQ(heard, request);
        }
        // The end byte took the radio out of programming mode, with nothing stored.
        EXPECT_EQ(radio.SessionsCompleted(), identified ? 1 : 0);
        EXPECT_EQ(radio.Memory(), PatternImage());
    }
}

}  // namespace
}  // namespace zt::testing
