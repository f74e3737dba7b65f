// SPDX-License-Identifier: GPL-3.0-or-later
// The serial link on a virtual clock against the in-process simulated radio:
// the handshake, whole reads and writes frame by frame, retries and failures,
// and what the power windows' tests cannot reach. The windows' tests run the
// same link for the guards' texts, the close, port failures and the power bars.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/frames.h"
#include "link/serial_link.h"
#include "model/blank_image.h"
#include "model/freq_codec.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RecordingObserver : ExchangeObserver {
    std::vector<int> progress;
    std::vector<LinkText> statuses;
    std::vector<LinkMessage> messages;
    std::vector<ExchangeOutcome> outcomes;

    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnStatus(const LinkText& label) override { statuses.push_back(label); }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnFinished(ExchangeOutcome outcome) override { outcomes.push_back(outcome); }
};

// A radio memory where every byte tells its address, so misplaced blocks show.
Image PatternImage(int salt = 0) {
    Image image{};
    for (int r = 0; r < kImageRows; ++r) {
        for (int f = 0; f < kRowBytes; ++f)
            image[r][f] = static_cast<std::uint8_t>(r * 7 + f * 13 + salt);
    }
    return image;
}

class LinkTest : public ::testing::Test {
  protected:
    LinkTest() {
        // Channels, frequency mode and band edges as blank (400..470 MHz) but
        // channel 7 in use pass the write's checks; the rest tells its address.
        const Image blank = BlankImage();
        app.ChannelTable = PatternImage(1);
        for (int r = 0; r <= 128; ++r) app.ChannelTable[r] = blank[r];
        app.ChannelTable[kBandEdgeRow] = blank[kBandEdgeRow];
        (void)StoreFreqText(app.ChannelTable, "462", 7, 0);
        before = app.ChannelTable;
    }
    // A new link with a fresh observer. The old link goes first, as it unhooks
    // itself from the port and timers.
    void Make(LinkMode mode, Port* over = nullptr) {
        link.reset();
        observer = RecordingObserver{};
        link = std::make_unique<SerialLink>(mode, app, over ? *over : port, timers, observer);
    }
    // A link over a port with no radio behind it, for tests that play the
    // radio's part themselves, started and its first frame sent.
    SimPort& StartBare(LinkMode mode) {
        link.reset();
        barePort = std::make_unique<SimPort>(clock);
        Make(mode, barePort.get());
        EXPECT_EQ(link->Start(), StartResult::Started);
        clock.RunFor(Ms(kPumpMs));
        barePort->ClearSent();
        return *barePort;
    }
    void AddFault(const char* spec) {
        std::string error;
        const auto plan = ParseFaultSpec(spec, error);
        ASSERT_TRUE(plan) << error;
        radio.AddFault(*plan);
    }
    bool RunUntilFinished(VirtualClock::Micros limit = Ms(60'000)) {
        return clock.RunUntil([this] { return !observer.outcomes.empty(); }, limit);
    }
    // A read leaves rows 0..253 of the image as the radio's and keeps rows 254..255.
    void ExpectReadOf(Image memory) {
        std::copy(before.begin() + kRadioRows, before.end(), memory.begin() + kRadioRows);
        EXPECT_EQ(app.ChannelTable, memory);
    }

    AppState app;
    Image before;
    VirtualClock clock;
    SimRadio radio{PatternImage()};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    RecordingObserver observer;
    std::unique_ptr<SimPort> barePort;
    std::unique_ptr<SerialLink> link;
};

TEST_F(LinkTest, TheIdentifierIsAcceptedWithinTheNineBytesOnly) {
    const struct {
        Bytes reply;
        bool accepted;
    } cases[] = {
        {{'Z', 'T', '7', '9', '0', 1, 2, 3, 4}, true},
        {{0, 'Z', 'T', '7', '9', '0', 1, 2, 3}, true},
        {{0, 0, 0, 0, 'Z', 'T', '7', '9', '0'}, true},
        {{0, 0, 0, 0, 0, 'Z', 'T', '7', '9'}, false},  // cut off; the stale byte is not '0'
        {{'Z', 'T', '7', '9', '1', 1, 2, 3, 4}, false},
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

// Regression (found by the fault-injection campaign): bytes that arrive before
// a request goes out are not part of its reply, or every later block comes out
// shifted. Here the identification, found three bytes into the nine read,
// trails its last three bytes in at 9600 baud after it was accepted.
TEST_F(LinkTest, BytesArrivingBeforeARequestGoesOutAreNotPartOfItsReply) {
    AddFault("noise@ident");
    port.SetByteTimeMicros(1042);
    Make(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(port.OpenCount(), 1);
    ExpectReadOf(radio.Memory());
}

// The write's twin: an acknowledgement that comes before its frame is out does
// not count for it.
TEST_F(LinkTest, AnAcknowledgementBeforeTheFrameIsOutDoesNotCount) {
    SimPort& bare = StartBare(LinkMode::Write);
    const auto answer = [&](const Bytes& reply) {
        bare.Inject(reply);
        clock.RunFor(Ms(1));
        return link->Vars().BlockIndex;
    };
    EXPECT_EQ(answer({'Z', 'T', '7', '9', '0', 1, 2, 3, 4}), 1);
    EXPECT_EQ(answer({0x06}), 1);  // early: the first write frame still waits for the pump
    clock.RunFor(Ms(kPumpMs));
    EXPECT_EQ(answer({0x15}), 1);
    EXPECT_EQ(answer({0x06}), 2);
}

// Regression (found by the campaign): a read or write whose port closes
// mid-transfer (a pulled cable) fails at the reply time-out, without pausing to
// retry a port that is gone.
TEST_F(LinkTest, APortClosedUnderTheExchangeEndsItAtTheReplyTimeOut) {
    for (const LinkMode mode : {LinkMode::Read, LinkMode::Write}) {
        SCOPED_TRACE(mode == LinkMode::Read ? "read" : "write");
        Make(mode);
        const int opens = port.OpenCount();
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(clock.RunUntil([&] { return link->Vars().BlockIndex >= 100; }, Ms(60'000)));
        port.Close();
        const auto pulledAt = clock.Now();
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
        EXPECT_LE(clock.Now() - pulledAt, Ms(kPumpMs + kReplyMs));
        EXPECT_EQ(port.OpenCount(), opens + 1);  // no retry
        EXPECT_EQ(link->State(), LinkState::Idle);
    }
}

// Every frame of a whole read and write byte for byte (a read request per block,
// or block 0..239 with its address, then 'E'), the labels and every progress
// value. A write first completes the image's derived rows.
TEST_F(LinkTest, AWholeReadOrWriteSendsEveryFrameAndReportsEachStep) {
    radio.Memory() = PatternImage(50);
    const struct {
        LinkMode mode;
        std::size_t steps;  // labels and progress values: connecting, one a block, done
        const char *second, *secondChinese, *last, *lastChinese;
        std::size_t shift, divisor;  // progress: (i + shift) * 100 / divisor
    } cases[] = {{LinkMode::Read, 255, "Reading 2 Data Block", "正在读取 2 数据块",
                  "Read Data in gear. ", "数据读出正常 ！", 1, 255},
                 {LinkMode::Write, 241, "Writing  0  Data Block", "正在写入  0  数据块",
                  "Complete writing Data ", "数据写入完毕 ！", 0, 240}};
    for (const auto& c : cases) {
        const bool read = c.mode == LinkMode::Read;
        SCOPED_TRACE(read ? "read" : "write");
        port.ClearSent();
        app.ChannelTable = before;
        Make(c.mode);
        ASSERT_EQ(link->Start(), StartResult::Started);
        EXPECT_EQ(port.LastSettings()->discardOutput, !read);
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
        Bytes frames(frame::kProgramRequest.begin(), frame::kProgramRequest.end());
        for (int b = 0; b < (read ? kReadBlocks : kWriteBlocks); ++b) {
            if (b == 0 || read) frames.push_back(0x06);
            frames.insert(frames.end(), {read ? std::uint8_t{'R'} : std::uint8_t{'W'},
                                         frame::AddressHigh(b), frame::AddressLow(b), 0x10});
            const ImageRow& row = app.ChannelTable[b];
            if (!read) frames.insert(frames.end(), row.begin(), row.end());
        }
        frames.push_back(read ? 0x06 : 'E');
        EXPECT_EQ(port.Sent(), frames);
        if (read) {
            ExpectReadOf(radio.Memory());
            ASSERT_EQ(observer.messages.size(), 1u);
            EXPECT_EQ(observer.messages[0].text.chinese, "从对讲机中读取数据完毕 ！");
        } else {
            EXPECT_TRUE(std::equal(app.ChannelTable.begin(), app.ChannelTable.begin() + kWriteRows,
                                   radio.Memory().begin()));
            EXPECT_TRUE(observer.messages.empty());
            EXPECT_EQ(app.ChannelTable[kOptionRow][12], 7);      // first used channel
            EXPECT_EQ(app.ChannelTable[kPresenceRow][0], 0xBF);  // channel 7 in use
        }
        ASSERT_EQ(observer.statuses.size(), c.steps);
        EXPECT_EQ(observer.statuses[0].chinese, "正在与对讲机联络 ！");
        EXPECT_EQ(observer.statuses[1], (LinkText{c.second, c.secondChinese}));
        EXPECT_EQ(observer.statuses.back(), (LinkText{c.last, c.lastChinese}));
        ASSERT_EQ(observer.progress.size(), read ? c.steps : c.steps - 1);
        for (std::size_t i = 1; i + 1 < c.steps; ++i) {  // whole percent of the blocks done
            EXPECT_EQ(observer.progress[i], static_cast<int>((i + c.shift) * 100 / c.divisor)) << i;
        }
    }
}

// No answer: four attempts of the 15 ms pump, the 1 s wait and the 5 s pause,
// then the failure; each start grants three retries anew. The pause refuses a
// start, which would race the retry, but not a cancel, which stops the retry.
// (The window tests check the guards while a transfer runs.)
TEST_F(LinkTest, NoAnswerFailsAfterThreeRetriesAndThePauseIsGuarded) {
    AddFault("silent@ident:always");
    Make(LinkMode::Read);
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(kPumpMs + kReplyMs));
    ASSERT_EQ(link->State(), LinkState::Pausing);
    ASSERT_EQ(link->Start(), StartResult::Busy);
    EXPECT_EQ(observer.messages.back().text.chinese, "正在与对讲机进行读写操作 ！");
    EXPECT_TRUE(link->Cancel());
    clock.RunFor(Ms(30'000));
    EXPECT_EQ(port.OpenCount(), 1);
    EXPECT_TRUE(observer.outcomes.empty());

    const auto began = clock.Now();
    for (int round = 1; round <= 2; ++round) {
        observer = RecordingObserver{};
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
        EXPECT_EQ(port.OpenCount(), 1 + 4 * round);
    }
    EXPECT_EQ(clock.Now() - began, 8 * Ms(kPumpMs + kReplyMs + kPauseMs));
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text,
              (LinkText{"Fail connect with transceiver.", "与对讲机联络失败 ！"}));
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(observer.statuses.back(), (LinkText{"Communication fault.", "与对讲机通讯故障 ！"}));
}

// The power window's tests run this exchange for the radio's values on the
// bars, one frame a bar move, 'b' at the close, a lost acknowledgement, no
// answer and a port that will not open. Here what they cannot reach.
TEST_F(LinkTest, PowerMovesAreUnguardedAndAHealthyLinkStaysUp) {
    radio.Memory()[frame::kPowerBlock] = {50, 100, 200, 0, 1, 2};
    ImageRow& row = app.ChannelTable[frame::kPowerBlock];
    row = {9, 9, 9, 9, 21, 22};
    Make(LinkMode::Power);
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Ready; }, Ms(400)));
    EXPECT_EQ(row, (ImageRow{50, 100, 200, 9, 21, 22}));  // the rest of the row as it was
    port.ClearSent();
    ASSERT_TRUE(link->SetPowerLevel(1, 99));
    ASSERT_TRUE(link->SetPowerLevel(1, 120));  // the second frame follows at once
    clock.RunFor(Ms(100));
    Bytes sent{0x06, 'g', 0x0F, 0x00, 0x10};
    sent.insert(sent.end(), row.begin(), row.end());
    EXPECT_EQ(port.Sent(), sent);  // one frame: the second start replaced the first
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    EXPECT_EQ(row, (ImageRow{50, 120, 200, 1, 21, 22}));
    clock.RunFor(Ms(2000));  // the watchdog leaves a healthy link alone
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(observer.outcomes.empty());
}

}  // namespace
}  // namespace zt::testing
