// The read, write and power exchanges against the simulated radio.
#include "link_fixture.h"
#include "model/blank_image.h"
#include "model/freq_codec.h"

namespace zt::testing {
namespace {

class ExchangeTest : public LinkTest {
  protected:
    void SetUp() override {
        // Channels, frequency mode and band edges as blank (400..470 MHz, no
        // channel in use) pass the write's checks; the rest tells its address.
        const Image blank = BlankImage();
        app.ChannelTable = PatternImage(1);
        for (int r = 0; r <= 128; ++r) app.ChannelTable[r] = blank[r];
        app.ChannelTable[kBandEdgeRow] = blank[kBandEdgeRow];
        before = app.ChannelTable;
    }
    // A read leaves rows 0..253 of the image as the radio's and keeps rows 254..255.
    void ExpectReadOf(Image memory) {
        std::copy(before.begin() + kRadioRows, before.end(), memory.begin() + kRadioRows);
        EXPECT_EQ(app.ChannelTable, memory);
    }
    void ExpectWritten(int rows = kWriteRows) {
        for (int r = 0; r < rows; ++r) ASSERT_EQ(radio.Memory()[r], app.ChannelTable[r]) << r;
    }
    Image before;
};

// Every frame of a whole read and write byte for byte (a read request per block,
// or block 0..239 with its address, then 'E'), the labels, the progress and the
// close of the window.
TEST_F(ExchangeTest, AWholeReadOrWriteSendsEveryFrameAndReportsEachStep) {
    radio.Memory() = PatternImage(50);
    const struct {
        LinkMode mode;
        std::size_t steps;  // labels and progress values: connecting, one a block, done
        const char *second, *secondChinese, *last, *lastChinese;
        std::size_t shift, divisor;  // progress: (i + shift) * 100 / divisor
        int closeMs;
    } cases[] = {{LinkMode::Read, 255, "Reading 2 Data Block", "正在读取 2 数据块",
                  "Read Data in gear. ", "数据读出正常 ！", 1, 255, kReadCloseCheckMs},
                 {LinkMode::Write, 241, "Writing  0  Data Block", "正在写入  0  数据块",
                  "Complete writing Data ", "数据写入完毕 ！", 0, 240, kWriteCloseDelayMs}};
    for (const auto& c : cases) {
        const bool read = c.mode == LinkMode::Read;
        SCOPED_TRACE(read ? "read" : "write");
        observer = RecordingObserver{};
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
        EXPECT_EQ(observer.messages.size(), read ? 1u : 0u);  // a write ends without one
        if (read) {
            ExpectReadOf(radio.Memory());
        } else {
            ExpectWritten();  // and, by the frames, nothing beyond block 239
        }
        ASSERT_EQ(observer.statuses.size(), c.steps);
        EXPECT_EQ(observer.statuses[1], (LinkText{c.second, c.secondChinese}));
        EXPECT_EQ(observer.statuses.back(), (LinkText{c.last, c.lastChinese}));
        ASSERT_EQ(observer.progress.size(), read ? c.steps : c.steps - 1);
        for (std::size_t i = 1; i + 1 < c.steps; ++i) {  // whole percent of the blocks done
            EXPECT_EQ(observer.progress[i], static_cast<int>((i + c.shift) * 100 / c.divisor)) << i;
        }
        clock.RunFor(Ms(600));
        EXPECT_EQ(observer.closeDue, 1);
        EXPECT_EQ(observer.closeDueAt - observer.finishedAt, Ms(c.closeMs));
    }
}

// A read request left unanswered, or a write frame answered with 0x15, waits
// for the time-out and the pause, and the retry starts again from block 0:
// nothing of the broken pass counts.
TEST_F(ExchangeTest, ATimedOutBlockRetriesTheWholeExchange) {
    for (const auto& [mode, fault, stuckAt] :
         {std::tuple{LinkMode::Read, "silent@200", 201}, {LinkMode::Write, "bad-ack@17", 18}}) {
        SCOPED_TRACE(fault);
        radio.ClearFaults();
        AddFault(fault);
        app.ChannelTable = before;
        Make(mode);
        const int opens = port.OpenCount();
        ASSERT_EQ(link->Start(), StartResult::Started);
        const Image image = app.ChannelTable;  // as the write completed its derived rows
        ASSERT_TRUE(
            clock.RunUntil([&] { return link->State() == LinkState::Pausing; }, Ms(60'000)));
        EXPECT_EQ(link->Vars().BlockIndex, stuckAt);
        EXPECT_EQ(app.ChannelTable, image);
        radio.Memory() = PatternImage(99);
        observer.outcomes.clear();
        ASSERT_TRUE(RunUntilFinished());
        EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
        EXPECT_EQ(port.OpenCount(), opens + 2);
        if (mode == LinkMode::Read) {
            ExpectReadOf(PatternImage(99));
        } else {
            ExpectWritten();
        }
    }
}

TEST_F(ExchangeTest, NoAnswerAfterThreeRetriesFailsWithTheMessage) {
    AddFault("silent@ident:always");
    Make(LinkMode::Read);
    for (int round = 1; round <= 2; ++round) {  // starting again grants three retries anew
        observer.outcomes.clear();
        ASSERT_EQ(link->Start(), StartResult::Started);
        ASSERT_TRUE(RunUntilFinished(Ms(120'000)));
        EXPECT_EQ(port.OpenCount(), 4 * round);
    }
    // Each attempt: the 15 ms pump, the 1 s wait and the 5 s pause.
    EXPECT_EQ(observer.finishedAt, 8 * Ms(kPumpMs + kReplyMs + kPauseMs));
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
    ASSERT_EQ(observer.messages.size(), 2u);
    EXPECT_EQ(observer.messages[0].text,
              (LinkText{"Fail connect with transceiver.", "与对讲机联络失败 ！"}));
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(observer.statuses.back(), (LinkText{"Communication fault.", "与对讲机通讯故障 ！"}));
    EXPECT_EQ(link->State(), LinkState::Idle);

    // A write that loses the acknowledgement of block 100 keeps what it wrote.
    radio = SimRadio{PatternImage()};  // out of its programming mode
    AddFault("silent@100:always");
    observer.outcomes.clear();
    Make(LinkMode::Write);
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(200'000)));
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
    ExpectWritten(100);
    EXPECT_EQ(radio.SessionsCompleted(), 0);  // no 'E' after a failure
}

TEST_F(ExchangeTest, AnAcknowledgementBeforeTheFrameIsOutDoesNotCount) {
    SimPort& bare = StartBare(LinkMode::Write);
    bare.Inject({'Z', 'T', '7', '9', '0', 1, 2, 3, 4});
    clock.RunFor(Ms(1));
    ASSERT_TRUE(link->Vars().LinkUp);
    bare.Inject({0x06});  // early: the first write frame is still waiting for the pump
    clock.RunFor(Ms(1));
    EXPECT_EQ(link->Vars().BlockIndex, 1);
    clock.RunFor(Ms(kPumpMs));
    bare.Inject({0x15});
    clock.RunFor(Ms(1));
    EXPECT_EQ(link->Vars().BlockIndex, 1);
    bare.Inject({0x06});
    clock.RunFor(Ms(1));
    EXPECT_EQ(link->Vars().BlockIndex, 2);
}

// Start completes the derived rows and runs the frequency checks before any
// handshake; a refusal names the channel and opens nothing. (The rows and the
// texts themselves are the model's, tested there.)
TEST_F(ExchangeTest, AWriteCompletesTheDerivedRowsAndChecksTheLimitsBeforeTheHandshake) {
    Make(LinkMode::Write);
    (void)StoreFreqText(app.ChannelTable, "471", 7, 0);  // limits 400..470
    EXPECT_EQ(link->Start(), StartResult::CheckFailed);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::LimitCheck);
    EXPECT_EQ(observer.messages[0].text.english.rfind("Channel 7that", 0), 0u);
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(port.OpenCount(), 0);
    EXPECT_FALSE(link->InProgress());

    (void)StoreFreqText(app.ChannelTable, "462", 7, 0);
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(app.ChannelTable[kOptionRow][12], 7);      // first used channel
    EXPECT_EQ(app.ChannelTable[kPresenceRow][0], 0xBF);  // channel 7 in use
    ASSERT_TRUE(RunUntilFinished());
    ExpectWritten();
}

class PowerTest : public LinkTest {
  protected:
    void SetUp() override {
        radio.Memory()[frame::kPowerBlock] = {50, 100, 200, 0, 1, 2};
        row = {9, 9, 9, 9, 21, 22};
        Make(LinkMode::Power);
    }
    Bytes PowerFrame() const {
        Bytes frame{0x06, 'g', 0x0F, 0x00, 0x10};
        frame.insert(frame.end(), row.begin(), row.end());
        return frame;
    }
    ImageRow& row = app.ChannelTable[frame::kPowerBlock];
};

// The power window's tests run this exchange through the link: the radio's
// values on the bars without a frame, one frame a bar move, 'b' at the close, a
// lost acknowledgement and a port that will not open. Here what they cannot reach.
TEST_F(PowerTest, BarMovesAreUnguardedAndRangeCheckedAndAHealthyLinkStaysUp) {
    observer.onPower = [](int, int, int) {};
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Ready; }, Ms(400)));
    EXPECT_EQ(row, (ImageRow{50, 100, 200, 9, 21, 22}));  // the rest of the row as it was
    port.ClearSent();
    ASSERT_TRUE(link->SetPowerLevel(1, 99));
    ASSERT_TRUE(link->SetPowerLevel(1, 120));  // the second frame follows at once
    clock.RunFor(Ms(100));
    EXPECT_EQ(port.Sent(), PowerFrame());  // one frame: the second start replaced the first
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    for (const auto& [level, value] : {std::pair{3, 1}, {-1, 1}, {0, 256}, {0, -1}}) {
        EXPECT_FALSE(link->SetPowerLevel(level, value)) << level << " " << value;
    }
    EXPECT_EQ(row, (ImageRow{50, 120, 200, 1, 21, 22}));
    clock.RunFor(Ms(2000));  // the watchdog leaves a healthy link alone
    EXPECT_EQ(observer.closeDue, 0);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PowerTest, NoAnswerByTheFirstWatchdogTickEndsTheLinkWithB) {
    AddFault("silent@ident:always");
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return observer.closeDue > 0; }, Ms(3000)));
    EXPECT_EQ(clock.Now(), Ms(kPowerWatchdogMs));
    EXPECT_EQ(port.Sent().back(), 'b');  // the port was still open
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PowerEnded});
    ExpectTimersStopped();
}

}  // namespace
}  // namespace zt::testing
