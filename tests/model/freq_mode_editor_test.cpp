#include "model/freq_mode_editor.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/options.h"
#include "model/startup.h"
#include "model/tone_codec.h"

namespace zt {
namespace {

class FreqMode : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& vfo(int b) { return s.ChannelTable[kVfoRow][b]; }
    std::string rxText() const { return BcdToText(s.ChannelTable, kVfoRow, 0); }
    std::string offsetText() const { return BcdToText(s.ChannelTable, kVfoRow, 4); }
    AppState s;
};

TEST_F(FreqMode, ReceiveEntryUpperEdgeIsExclusive) {
    FreqEditOutcome out = RxFocusLost(s, "470");
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english, "Over the range of RX frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "接收频率超出范围 ！");
    EXPECT_EQ(out.prompts[0].title.english, "Operate prompt");
    EXPECT_TRUE(out.clearBox);
    EXPECT_TRUE(out.refocus);
    EXPECT_EQ(rxText(), "462.01250");

    vfo(12) = 0x82;  // minus
    out = RxFocusLost(s, "469.9875");
    EXPECT_TRUE(out.prompts.empty());
    EXPECT_TRUE(out.refresh);
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "469.9875");
    EXPECT_EQ(rxText(), "469.98750");
    EXPECT_EQ(vfo(12), 0x02);  // a new receive frequency returns the direction to none
}

TEST_F(FreqMode, ReceiveEntryRefusals) {
    for (const char* bad : {"", "399.99", "abc", "1234567890"}) {
        const FreqEditOutcome out = RxFocusLost(s, bad);
        EXPECT_EQ(out.prompts.size(), 1u) << bad;
        EXPECT_TRUE(out.clearBox) << bad;
    }
    EXPECT_EQ(rxText(), "462.01250");
    EXPECT_TRUE(RxTextChanged("462.01250").prompts.empty());
    EXPECT_TRUE(RxTextChanged("462.012501").clearBox);  // ten characters
}

TEST_F(FreqMode, PassingThroughTheReceiveBoxKeepsTheShift) {
    vfo(12) = 0x82;
    const FreqEditOutcome out = RxFocusLost(s, "462.01250");
    EXPECT_TRUE(out.prompts.empty());
    EXPECT_FALSE(out.direction);
    EXPECT_EQ(vfo(12), 0x82);
}

TEST_F(FreqMode, ReceiveKeyFilter) {
    EXPECT_FALSE(RxKeyAccepted("", U'.'));
    EXPECT_TRUE(RxKeyAccepted("4", U'.'));
    EXPECT_TRUE(RxKeyAccepted("4.5", U'.'));  // several points are not prevented
    EXPECT_TRUE(RxKeyAccepted("", kKeyBackspace));
    EXPECT_FALSE(RxKeyAccepted("4", U'a'));
    EXPECT_TRUE(RxKeyAccepted("462.0125", U'0'));    // 8 characters
    EXPECT_FALSE(RxKeyAccepted("462.01250", U'0'));  // 9 characters
}

TEST_F(FreqMode, ShiftDirectionChecksTheTxFrequency) {
    StoreFreqText(s.ChannelTable, "465", kVfoRow, 0);
    FreqEditOutcome out = CommitShiftDirection(s, 1, "465.00000", "10.00000");
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english, "Over the range of TX frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "发射频率超出范围 ！");
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "465.00000");
    EXPECT_EQ(vfo(12) & 0xC0, 0);

    out = CommitShiftDirection(s, 2, "465.00000", "10.00000");
    EXPECT_TRUE(out.prompts.empty());
    EXPECT_EQ(out.direction, 2);
    EXPECT_EQ(out.txText, "455");
    EXPECT_EQ(vfo(12) & 0xC0, 0x80);
    EXPECT_EQ(vfo(12) & 0x3F, 0x02);  // the power bits are kept

    out = CommitShiftDirection(s, 0, "465.00000", "10.00000");
    EXPECT_EQ(out.txText, "465.00000");
    EXPECT_EQ(vfo(12), 0x02);
}

TEST_F(FreqMode, OffsetPerKeystroke) {
    vfo(12) = 0x42;  // plus
    StoreFreqText(s.ChannelTable, "440", kVfoRow, 0);
    FreqEditOutcome out = OffsetTextChanged(s, "7", "440.00000", 1);
    EXPECT_TRUE(out.prompts.empty());
    EXPECT_EQ(out.txText, "447");
    EXPECT_EQ(offsetText(), "7.00000");
    out = OffsetTextChanged(s, "75", "440.00000", 1);
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english, "Over the range of Offset frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "频差频率超出范围 ！");
    EXPECT_TRUE(out.clearBox);
    EXPECT_EQ(offsetText(), "7.00000");  // nothing else of the record changes

    out = OffsetTextChanged(s, "", "440.00000", 1);
    EXPECT_TRUE(out.prompts.empty());
    for (int b = 4; b < 8; ++b) EXPECT_EQ(vfo(b), 255) << b;

    // A TX outside the band: the message, the direction back to none, the offset kept.
    out = OffsetTextChanged(s, "35", "440.00000", 1);
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english, "Over the range of TX frequency .");
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "440.00000");
    EXPECT_EQ(vfo(12) & 0xC0, 0);
    EXPECT_EQ(offsetText(), "35.00000");
}

TEST_F(FreqMode, OffsetWithoutDirectionWaitsForTheBoxToBeLeft) {
    const FreqEditOutcome out = OffsetTextChanged(s, "5", "462.01250", 0);
    EXPECT_TRUE(out.prompts.empty());
    EXPECT_FALSE(out.txText);
    EXPECT_EQ(offsetText(), "10.00000");
    const FreqEditOutcome left = OffsetFocusLost(s, "5", "462.01250", 0);
    EXPECT_TRUE(left.prompts.empty());
    EXPECT_TRUE(left.refresh);
    EXPECT_EQ(offsetText(), "5.00000");
}

TEST_F(FreqMode, OffsetLeftTooLarge) {
    for (const char* bad : {"69.9875", "69.99", "123456789"}) {
        const FreqEditOutcome out = OffsetFocusLost(s, bad, "462.01250", 0);
        ASSERT_EQ(out.prompts.size(), 1u) << bad;
        EXPECT_TRUE(out.clearBox);
        EXPECT_TRUE(out.refocus);
    }
    EXPECT_EQ(offsetText(), "10.00000");
    EXPECT_TRUE(OffsetFocusLost(s, "69.9874", "462.01250", 0).prompts.empty());
}

TEST_F(FreqMode, OffsetKeyFilter) {
    EXPECT_TRUE(OffsetKeyAccepted("", kKeyBackspace));
    EXPECT_TRUE(OffsetKeyAccepted("", kKeyEnter));
    EXPECT_FALSE(OffsetKeyAccepted("", U'.'));
    EXPECT_TRUE(OffsetKeyAccepted("5", U'.'));
    EXPECT_FALSE(OffsetKeyAccepted("5.1", U'.'));
    EXPECT_FALSE(OffsetKeyAccepted("5", U'x'));
    EXPECT_TRUE(OffsetKeyAccepted("5.12345", U'6'));    // 7 characters: one more
    EXPECT_FALSE(OffsetKeyAccepted("5.123456", U'7'));  // 8 characters: full
}

TEST_F(FreqMode, EveryTonePositionStoresAndShowsBack) {
    for (int p = 0; p <= kToneDcsIEnd; ++p) {
        for (bool decode : {true, false}) {
            const bool inverted = CommitVfoTone(s.ChannelTable, decode, p);
            EXPECT_EQ(inverted, p > kToneDcsNEnd) << p;
            std::vector<Prompt> prompts;
            const VfoView v = RefreshVfo(s, prompts);
            EXPECT_EQ(decode ? v.decode : v.encode, p) << p;
            EXPECT_EQ(decode ? v.decodeInverted : v.encodeInverted, inverted) << p;
        }
    }
    CommitVfoTone(s.ChannelTable, true, 0);
    EXPECT_EQ(vfo(8), 255);
    EXPECT_EQ(vfo(9), 255);
    vfo(8) = 0;
    vfo(9) = 60;
    std::vector<Prompt> prompts;
    EXPECT_EQ(RefreshVfo(s, prompts).decode, kToneCtcssEnd);
    vfo(8) = 7;  // an unknown type: the list keeps its selection
    EXPECT_FALSE(RefreshVfo(s, prompts).decode);
    EXPECT_FALSE(RefreshVfo(s, prompts).decodeInverted);
}

TEST_F(FreqMode, LowerLimitBelowTheModel) {
    const FreqEditOutcome out = LowerLimitFocusLost(s, "380", "470");
    ASSERT_GE(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english,
              "frequency of lower limit can't less than the lowest of work frequency. ");
    EXPECT_EQ(out.prompts[0].chinese, "下限频率不可小于本机最低工作频率");
    EXPECT_EQ(out.prompts[0].title.english, "Operate Prompt");
    EXPECT_EQ(out.boxText, "400");
    EXPECT_TRUE(out.refocus);
    EXPECT_EQ(s.ChannelTable[kBandEdgeRow][0], 0x00);
    EXPECT_EQ(s.ChannelTable[kBandEdgeRow][1], 0x40);
}

TEST_F(FreqMode, LimitEntriesAndTheirMessages) {
    struct Case {
        bool lower;
        const char* lo;
        const char* hi;
        const char* message;
        const char* box;
        int storedLow, storedHigh;
    };
    const Case cases[] = {
        {true, "450", "440", "frequency of lower limit can't more than frequency of upper limit.",
         "440", 440, 440},
        {false, "400", "480",
         "frequency of upper limit can't more than the highest of work frequency. ", "470", 400,
         470},
        {false, "450", "440", "frequency of upper limit can't less than frequency of lower limit.",
         "450", 450, 450},
        {true, "410", "460", nullptr, nullptr, 410, 460},
        {false, "410", "460", nullptr, nullptr, 410, 460},
    };
    for (const auto& c : cases) {
        StartUp(s);
        const FreqEditOutcome out =
            c.lower ? LowerLimitFocusLost(s, c.lo, c.hi) : UpperLimitFocusLost(s, c.lo, c.hi);
        if (c.message) {
            ASSERT_GE(out.prompts.size(), 1u) << c.lo << "/" << c.hi;
            EXPECT_EQ(out.prompts[0].english, c.message);
            EXPECT_EQ(out.prompts[0].title.english, "Operate Prompt");
            EXPECT_EQ(out.boxText, c.box);
            EXPECT_TRUE(out.refocus);
        } else {
            EXPECT_FALSE(out.boxText);
        }
        EXPECT_TRUE(out.refresh);
        EXPECT_EQ(ReadBandEdges(s.ChannelTable).lowMHz, c.storedLow);
        EXPECT_EQ(ReadBandEdges(s.ChannelTable).highMHz, c.storedHigh);
        EXPECT_EQ(s.BandLowMHz, c.storedLow);
        EXPECT_EQ(s.BandHighMHz, c.storedHigh);
    }
}

TEST_F(FreqMode, VhfModelBounds) {
    s.ModelIndex = 1;
    const FreqEditOutcome out = LowerLimitFocusLost(s, "130", "174");
    EXPECT_EQ(out.boxText, "136");
    const FreqEditOutcome up = UpperLimitFocusLost(s, "136", "175");
    EXPECT_EQ(up.boxText, "174");
}

TEST_F(FreqMode, LimitChangeChecksTheRecordAndTheChannels) {
    // The frequency-mode record (462.0125) falls outside 400..450.
    FreqEditOutcome out = UpperLimitFocusLost(s, "400", "450");
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english,
              "Receiving or transmitting frequency that frequency Mode out of frequency "
              "limitation range ");
    EXPECT_EQ(out.prompts[0].title.english, "Operate prompt");

    // With the record inside, channel 7 at 465 MHz is reported.
    StartUp(s);
    StoreFreqText(s.ChannelTable, "465", 7, 0);
    for (int b = 4; b < 16; ++b) s.ChannelTable[7][b] = 0;
    StoreFreqText(s.ChannelTable, "440", kVfoRow, 0);
    out = UpperLimitFocusLost(s, "400", "460");
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].english,
              "Channel 7that Receiving or transmitting frequency  out of frequency limitation "
              "range ");
    EXPECT_EQ(out.prompts[0].chinese, "信道 7 中的接收或发射频率超出频率限制范围");
}

TEST_F(FreqMode, LimitKeyFilter) {
    for (char32_t k : {U'0', U'9', U'.', kKeyBackspace, kKeyEnter})
        EXPECT_TRUE(LimitKeyAccepted(k));
    for (char32_t k : {U'a', U'-', U' ', U'+'}) EXPECT_FALSE(LimitKeyAccepted(k));
}

}  // namespace
}  // namespace zt
