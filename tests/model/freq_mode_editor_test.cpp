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

// The English texts of an outcome's messages, in order.
std::string Said(const FreqEditOutcome& out) {
    std::string said;
    for (const Prompt& p : out.prompts) said += (said.empty() ? "" : " / ") + p.english;
    return said;
}

class FreqMode : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& vfo(int b) { return s.ChannelTable[kVfoRow][b]; }
    std::string rxText() const { return BcdToText(s.ChannelTable, kVfoRow, 0); }
    std::string offsetText() const { return BcdToText(s.ChannelTable, kVfoRow, 4); }
    AppState s;
};

TEST_F(FreqMode, ReceiveEntry) {
    FreqEditOutcome out = RxFocusLost(s, "470");  // the upper edge is outside
    EXPECT_EQ(Said(out), "Over the range of RX frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "接收频率超出范围 ！");
    EXPECT_EQ(out.prompts[0].title.english, "Operate prompt");
    EXPECT_TRUE(out.clearBox && out.refocus);
    for (const char* bad : {"", "399.99", "abc", "1234567890"}) {
        out = RxFocusLost(s, bad);
        EXPECT_EQ(out.prompts.size(), 1u) << bad;
        EXPECT_TRUE(out.clearBox) << bad;
    }
    EXPECT_EQ(rxText(), "462.01250");
    EXPECT_TRUE(RxTextChanged("462.01250").prompts.empty());
    EXPECT_TRUE(RxTextChanged("462.012501").clearBox);  // ten characters

    vfo(12) = 0x82;  // minus; passing through the box keeps it
    out = RxFocusLost(s, "462.01250");
    EXPECT_EQ(Said(out), "");
    EXPECT_FALSE(out.direction);
    EXPECT_EQ(vfo(12), 0x82);
    out = RxFocusLost(s, "469.9875");
    EXPECT_EQ(Said(out), "");
    EXPECT_TRUE(out.refresh);
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "469.9875");
    EXPECT_EQ(rxText(), "469.98750");
    EXPECT_EQ(vfo(12), 0x02);  // a new receive frequency returns the direction to none

    EXPECT_FALSE(RxKeyAccepted("", U'.'));
    EXPECT_TRUE(RxKeyAccepted("4.5", U'.'));  // several points are not prevented
    EXPECT_TRUE(RxKeyAccepted("", kKeyBackspace));
    EXPECT_FALSE(RxKeyAccepted("4", U'a'));
    EXPECT_TRUE(RxKeyAccepted("462.0125", U'0'));    // 8 characters
    EXPECT_FALSE(RxKeyAccepted("462.01250", U'0'));  // 9 characters
}

TEST_F(FreqMode, ShiftDirectionChecksTheTxFrequency) {
    StoreFreqText(s.ChannelTable, "465", kVfoRow, 0);
    FreqEditOutcome out = CommitShiftDirection(s, 1, "465.00000", "10.00000");
    EXPECT_EQ(Said(out), "Over the range of TX frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "发射频率超出范围 ！");
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "465.00000");
    EXPECT_EQ(vfo(12), 0x02);
    out = CommitShiftDirection(s, 2, "465.00000", "10.00000");
    EXPECT_EQ(Said(out), "");
    EXPECT_EQ(out.direction, 2);
    EXPECT_EQ(out.txText, "455");
    EXPECT_EQ(vfo(12), 0x82);  // the power bits are kept
    out = CommitShiftDirection(s, 0, "465.00000", "10.00000");
    EXPECT_EQ(out.txText, "465.00000");
    EXPECT_EQ(vfo(12), 0x02);
}

TEST_F(FreqMode, OffsetEntry) {
    vfo(12) = 0x42;  // plus
    StoreFreqText(s.ChannelTable, "440", kVfoRow, 0);
    FreqEditOutcome out = OffsetTextChanged(s, "7", "440.00000", 1);  // per keystroke
    EXPECT_EQ(Said(out), "");
    EXPECT_EQ(out.txText, "447");
    EXPECT_EQ(offsetText(), "7.00000");
    out = OffsetTextChanged(s, "75", "440.00000", 1);
    EXPECT_EQ(Said(out), "Over the range of Offset frequency .");
    EXPECT_EQ(out.prompts[0].chinese, "频差频率超出范围 ！");
    EXPECT_TRUE(out.clearBox);
    EXPECT_EQ(offsetText(), "7.00000");  // nothing else of the record changes
    EXPECT_EQ(Said(OffsetTextChanged(s, "", "440.00000", 1)), "");
    for (int b = 4; b < 8; ++b) EXPECT_EQ(vfo(b), 255) << b;
    // A TX outside the band: the message, the direction back to none, the offset kept.
    out = OffsetTextChanged(s, "35", "440.00000", 1);
    EXPECT_EQ(Said(out), "Over the range of TX frequency .");
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.txText, "440.00000");
    EXPECT_EQ(vfo(12) & 0xC0, 0);
    EXPECT_EQ(offsetText(), "35.00000");

    // Without a direction the offset waits for the box to be left.
    out = OffsetTextChanged(s, "5", "462.01250", 0);
    EXPECT_EQ(Said(out), "");
    EXPECT_FALSE(out.txText);
    EXPECT_EQ(offsetText(), "35.00000");
    out = OffsetFocusLost(s, "5", "462.01250", 0);
    EXPECT_EQ(Said(out), "");
    EXPECT_TRUE(out.refresh);
    EXPECT_EQ(offsetText(), "5.00000");
    for (const char* bad : {"69.9875", "69.99", "123456789"}) {
        out = OffsetFocusLost(s, bad, "462.01250", 0);
        EXPECT_EQ(out.prompts.size(), 1u) << bad;
        EXPECT_TRUE(out.clearBox && out.refocus) << bad;
    }
    EXPECT_EQ(offsetText(), "5.00000");
    EXPECT_EQ(Said(OffsetFocusLost(s, "69.9874", "462.01250", 0)), "");

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

TEST_F(FreqMode, LimitEntriesAndTheirMessages) {
    const struct {
        int model;
        bool lower;
        const char *lo, *hi, *message, *box;
        int storedLow, storedHigh;
    } cases[] = {
        {0, true, "380", "470",
         "frequency of lower limit can't less than the lowest of work frequency. ", "400", 400,
         470},
        {0, true, "450", "440",
         "frequency of lower limit can't more than frequency of upper limit.", "440", 440, 440},
        {0, false, "400", "480",
         "frequency of upper limit can't more than the highest of work frequency. ", "470", 400,
         470},
        {0, false, "450", "440",
         "frequency of upper limit can't less than frequency of lower limit.", "450", 450, 450},
        {0, true, "410", "460", nullptr, nullptr, 410, 460},
        {0, false, "410", "460", nullptr, nullptr, 410, 460},
        {1, true, "130", "174",
         "frequency of lower limit can't less than the lowest of work frequency. ", "136", 136,
         174},  // VHF model bounds
        {1, false, "136", "175",
         "frequency of upper limit can't more than the highest of work frequency. ", "174", 136,
         174}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lo) + "/" + c.hi);
        StartUp(s);
        s.ModelIndex = c.model;
        const FreqEditOutcome out =
            c.lower ? LowerLimitFocusLost(s, c.lo, c.hi) : UpperLimitFocusLost(s, c.lo, c.hi);
        if (c.message) {
            ASSERT_GE(out.prompts.size(), 1u);
            EXPECT_EQ(out.prompts[0].english, c.message);
            EXPECT_EQ(out.prompts[0].title.english, "Operate Prompt");
            EXPECT_EQ(out.boxText, c.box);
            EXPECT_TRUE(out.refocus);
        } else {
            EXPECT_FALSE(out.boxText);
        }
        EXPECT_TRUE(out.refresh);
        EXPECT_EQ(ReadBandEdges(s.ChannelTable), (BandEdges{c.storedLow, c.storedHigh}));
        EXPECT_EQ(s.BandLowMHz, c.storedLow);
        EXPECT_EQ(s.BandHighMHz, c.storedHigh);
    }
    StartUp(s);
    EXPECT_EQ(LowerLimitFocusLost(s, "380", "470").prompts.at(0).chinese,
              "下限频率不可小于本机最低工作频率");
    for (char32_t k : {U'0', U'9', U'.', kKeyBackspace, kKeyEnter})
        EXPECT_TRUE(LimitKeyAccepted(k));
    for (char32_t k : {U'a', U'-', U' ', U'+'}) EXPECT_FALSE(LimitKeyAccepted(k));
}

TEST_F(FreqMode, LimitChangeChecksTheRecordAndTheChannels) {
    // The frequency-mode record (462.0125) falls outside 400..450.
    FreqEditOutcome out = UpperLimitFocusLost(s, "400", "450");
    EXPECT_EQ(Said(out),
              "Receiving or transmitting frequency that frequency Mode out of frequency "
              "limitation range ");
    EXPECT_EQ(out.prompts[0].title.english, "Operate prompt");
    // With the record inside, channel 7 at 465 MHz is reported.
    StartUp(s);
    StoreFreqText(s.ChannelTable, "465", 7, 0);
    for (int b = 4; b < 16; ++b) s.ChannelTable[7][b] = 0;
    StoreFreqText(s.ChannelTable, "440", kVfoRow, 0);
    out = UpperLimitFocusLost(s, "400", "460");
    EXPECT_EQ(Said(out),
              "Channel 7that Receiving or transmitting frequency  out of frequency limitation "
              "range ");
    EXPECT_EQ(out.prompts[0].chinese, "信道 7 中的接收或发射频率超出频率限制范围");
}

}  // namespace
}  // namespace zt
