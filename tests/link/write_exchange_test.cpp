#include "link/frames.h"
#include "link_fixture.h"
#include "model/blank_image.h"

namespace zt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class WriteTest : public LinkTest {
  protected:
    void SetUp() override {
        radio.Memory() = PatternImage(50);
        app.ChannelTable = PatternImage(1);
        // Keep the frequency checks happy: no channels in use, frequency mode at
        // 462.0125 MHz, limits 400..470 MHz.
        for (int c = 0; c <= 128; ++c) app.ChannelTable[c].fill(0xFF);
        app.ChannelTable[0] = ImageRow{0x50, 0x12, 0x20, 0x46, 0,    0,    0,    0,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x20, 0xFF, 0xFF};
        app.ChannelTable[153] = ImageRow{0x00, 0x40, 0x00, 0x47, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        Make(LinkMode::Write);
    }
};

TEST_F(WriteTest, FullWriteSendsRows0To239ThenTheEndByte) {
    const Image radioBefore = radio.Memory();
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_TRUE(port.LastSettings()->discardOutput);
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    for (int r = 0; r < kWriteRows; ++r) ASSERT_EQ(radio.Memory()[r], app.ChannelTable[r]) << r;
    for (int r = kWriteRows; r < kImageRows; ++r) EXPECT_EQ(radio.Memory()[r], radioBefore[r]) << r;
    EXPECT_EQ(radio.SessionsCompleted(), 1);  // the radio saw 'E'
    EXPECT_EQ(port.Sent().back(), 'E');
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(observer.messages.empty());  // a write ends without a message box

    ASSERT_EQ(observer.statuses.size(), 1u + 239u + 1u);
    EXPECT_EQ(observer.statuses[1].english, "Writing  0  Data Block");
    EXPECT_EQ(observer.statuses[1].chinese, "正在写入  0  数据块");
    EXPECT_EQ(observer.statuses[239].english, "Writing  238  Data Block");
    EXPECT_EQ(observer.statuses.back(), (LinkText{"Complete writing Data ", "数据写入完毕 ！"}));
    EXPECT_EQ(observer.progress[1], 0);
    EXPECT_EQ(observer.progress.back(), 99);

    clock.RunFor(Ms(600));
    EXPECT_EQ(observer.closeDue, 1);
    EXPECT_EQ(observer.closeDueAt - observer.finishedAt, Ms(kWriteCloseDelayMs));
}

TEST_F(WriteTest, FramesCarryAddressLengthAndData) {
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished());
    const Bytes& sent = port.Sent();
    ASSERT_EQ(sent.size(), 8u + 21u + 239u * 20u + 1u);
    Bytes first{0x06, 'W', 0, 0, 0x10};
    first.insert(first.end(), app.ChannelTable[0].begin(), app.ChannelTable[0].end());
    EXPECT_EQ(Bytes(sent.begin() + 8, sent.begin() + 29), first);
    // Block 239 at address 0EF0 is the last one sent.
    const auto last = sent.end() - 21;
    Bytes expected{'W', 0x0E, 0xF0, 0x10};
    expected.insert(expected.end(), app.ChannelTable[239].begin(), app.ChannelTable[239].end());
    EXPECT_EQ(Bytes(last, last + 20), expected);
}

TEST_F(WriteTest, AWrongAcknowledgementIsIgnoredAndTheTimeOutRestartsFromBlock0) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("bad-ack@17", error));
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Pausing; }, Ms(60'000)));
    EXPECT_EQ(link->Vars().BlockIndex, 18);  // stuck after sending block 17
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(port.OpenCount(), 2);
    for (int r = 0; r < kWriteRows; ++r) ASSERT_EQ(radio.Memory()[r], app.ChannelTable[r]) << r;
}

TEST_F(WriteTest, AnAcknowledgementBeforeTheFrameIsOutDoesNotCount) {
    SimPort& bare = UseBarePort(LinkMode::Write);
    ASSERT_EQ(link->Start(), StartResult::Started);
    clock.RunFor(Ms(kPumpMs));
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

TEST_F(WriteTest, ALostAcknowledgementFailsAfterFourAttemptsAndTheRadioKeepsWhatItGot) {
    std::string error;
    radio.AddFault(*ParseFaultSpec("silent@100:always", error));
    ASSERT_EQ(link->Start(), StartResult::Started);
    ASSERT_TRUE(RunUntilFinished(Ms(200'000)));
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::Failed});
    EXPECT_EQ(radio.Memory()[99], app.ChannelTable[99]);
    EXPECT_EQ(radio.Memory()[100], app.ChannelTable[100]);  // stored, but not acknowledged
    EXPECT_NE(radio.Memory()[101], app.ChannelTable[101]);
    EXPECT_EQ(radio.SessionsCompleted(), 0);
}

}  // namespace
}  // namespace zt::testing

namespace zt::testing {
namespace {

class WriteStartTest : public LinkTest {
  protected:
    void SetUp() override {
        app.ChannelTable = BlankImage();
        Make(LinkMode::Write);
    }
    // Channel c at `mhz` (packed BCD, 10 Hz units, low byte first), no offset.
    void PutChannel(int c, long long tenHz) {
        auto& row = app.ChannelTable[c];
        for (int i = 0; i < 4; ++i) {
            const int pair = static_cast<int>(tenHz % 100);
            tenHz /= 100;
            row[i] = static_cast<std::uint8_t>((pair / 10) * 16 + pair % 10);
        }
        for (int i = 4; i < 8; ++i) row[i] = 0;
        row[12] = 0;
    }
};

TEST_F(WriteStartTest, TheDerivedRowsAreCompletedBeforeTheHandshake) {
    PutChannel(9, 46'200'000);
    PutChannel(128, 46'300'000);
    app.ChannelTable[208][1] = 0xFF;
    ASSERT_EQ(link->Start(), StartResult::Started);
    EXPECT_EQ(app.ChannelTable[208][12], 9);        // first used channel
    EXPECT_EQ(app.ChannelTable[208][1] & 0x10, 0);  // option bit cleared
    EXPECT_EQ(app.ChannelTable[210][1], 0xFE);      // channel 9
    EXPECT_EQ(app.ChannelTable[210][15], 0x7F);     // channel 128
    EXPECT_EQ(app.ChannelTable[212][2], ' ');
    ASSERT_TRUE(RunUntilFinished());
    EXPECT_EQ(radio.Memory()[210], app.ChannelTable[210]);
    EXPECT_EQ(radio.Memory()[212], app.ChannelTable[212]);
}

TEST_F(WriteStartTest, AChannelOutsideTheLimitsStopsTheWriteWithItsNumber) {
    PutChannel(7, 47'100'000);  // 471 MHz, limits 400..470
    EXPECT_EQ(link->Start(), StartResult::CheckFailed);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].kind, LinkMessageKind::LimitCheck);
    EXPECT_EQ(observer.messages[0].text.english,
              "Channel 7that Receiving or transmitting frequency  out of frequency limitation "
              "range ");
    EXPECT_EQ(observer.messages[0].title.english, "Operate prompt");
    EXPECT_EQ(port.OpenCount(), 0);
    EXPECT_FALSE(link->Vars().Busy);
    EXPECT_EQ(app.ChannelTable[208][12], 7);  // the derived rows stay completed

    PutChannel(7, 47'099'000);  // 470.99 MHz passes: whole MHz are compared
    observer.messages.clear();
    EXPECT_EQ(link->Start(), StartResult::Started);
    EXPECT_TRUE(observer.messages.empty());
}

}  // namespace
}  // namespace zt::testing
