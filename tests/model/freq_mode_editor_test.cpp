#include "model/freq_mode_editor.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/options.h"
#include "model/startup.h"
#include "model/tone_codec.h"
#include "table.h"

namespace zt {
namespace {

using Key = std::pair<const char*, char32_t>;  // the box's text and the key typed

class FreqMode : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& vfo(int b) { return s.ChannelTable[kVfoRow][b]; }
    // What a rule asks of the window, then the record's receive and offset texts
    // and its byte 12: "[message] clear refocus tx=447 dir=0 refresh | 440.00000 7.00000 42".
    std::string Did(const FreqEditOutcome& o) const {
        std::string d;
        for (const Prompt& p : o.prompts) d += "[" + p.english + "] ";
        if (o.clearBox) d += "clear ";
        if (o.boxText) d += "box=" + *o.boxText + " ";
        if (o.refocus) d += "refocus ";
        if (o.txText) d += "tx=" + *o.txText + " ";
        if (o.direction) d += "dir=" + std::to_string(*o.direction) + " ";
        if (o.refresh) d += "refresh ";
        char flags[8];
        std::snprintf(flags, sizeof flags, " %02X", s.ChannelTable[kVfoRow][12]);
        return d + "| " + BcdToText(s.ChannelTable, kVfoRow, 0) + " " +
               BcdToText(s.ChannelTable, kVfoRow, 4) + flags;
    }
    AppState s;
};

TEST_F(FreqMode, ReceiveEntry) {
    const std::string refused =
        "[Over the range of RX frequency .] clear refocus | 462.01250 10.00000 02";
    for (const char* bad : {"470", "", "399.99", "abc", "1234567890"}) {
        EXPECT_EQ(Did(RxFocusLost(s, bad)), refused) << bad;  // the upper edge is outside
    }
    EXPECT_EQ(Did(RxTextChanged("462.01250")), "| 462.01250 10.00000 02");
    EXPECT_EQ(Did(RxTextChanged("462.012501")), refused);  // ten characters
    vfo(12) = 0x82;                                        // minus: passing through keeps it
    EXPECT_EQ(Did(RxFocusLost(s, "462.01250")), "| 462.01250 10.00000 82");
    // A new receive frequency returns the direction to none.
    EXPECT_EQ(Did(RxFocusLost(s, "469.9875")), "tx=469.9875 dir=0 refresh | 469.98750 10.00000 02");
    const Prompt p = RxFocusLost(s, "470").prompts.at(0);
    EXPECT_EQ(p.chinese + std::string(p.title.english), "接收频率超出范围 ！Operate prompt");
    // Several points are not prevented; nine characters fill the box.
    EXPECT_EQ(Each<Key>({{"", U'.'},
                         {"4.5", U'.'},
                         {"", kKeyBackspace},
                         {"4", U'a'},
                         {"462.0125", U'0'},
                         {"462.01250", U'0'}},
                        [](Key k) { return RxKeyAccepted(k.first, k.second); }),
              "false|true|true|false|true|false");
}

TEST_F(FreqMode, ShiftDirectionAndOffsetEntryCheckTheTxFrequency) {
    StoreFreqText(s.ChannelTable, "465", kVfoRow, 0);
    const FreqEditOutcome refused = CommitShiftDirection(s, 1, "465.00000", "10.00000");
    EXPECT_EQ(Did(refused),
              "[Over the range of TX frequency .] tx=465.00000 dir=0 refresh | 465.00000 10.00000 "
              "02");
    EXPECT_EQ(refused.prompts[0].chinese, "发射频率超出范围 ！");
    // The power bits are kept.
    EXPECT_EQ(Did(CommitShiftDirection(s, 2, "465.00000", "10.00000")),
              "tx=455 dir=2 refresh | 465.00000 10.00000 82");
    EXPECT_EQ(Did(CommitShiftDirection(s, 0, "465.00000", "10.00000")),
              "tx=465.00000 dir=0 refresh | 465.00000 10.00000 02");
    vfo(12) = 0x42;  // plus
    StoreFreqText(s.ChannelTable, "440", kVfoRow, 0);
    // Per keystroke; a refused text changes nothing else of the record, an empty
    // one clears the offset bytes (which read as 1666.66665).
    EXPECT_EQ(Did(OffsetTextChanged(s, "7", "440.00000", 1)), "tx=447 | 440.00000 7.00000 42");
    const FreqEditOutcome out = OffsetTextChanged(s, "75", "440.00000", 1);
    EXPECT_EQ(Did(out), "[Over the range of Offset frequency .] clear | 440.00000 7.00000 42");
    EXPECT_EQ(out.prompts[0].chinese, "频差频率超出范围 ！");
    EXPECT_EQ(Did(OffsetTextChanged(s, "", "440.00000", 1)), "| 440.00000 1666.66665 42");
    // A TX outside the band: the message, the direction back to none, the offset kept.
    EXPECT_EQ(Did(OffsetTextChanged(s, "35", "440.00000", 1)),
              "[Over the range of TX frequency .] tx=440.00000 dir=0 | 440.00000 35.00000 02");
    // Without a direction the offset waits for the box to be left.
    EXPECT_EQ(Did(OffsetTextChanged(s, "5", "462.01250", 0)), "| 440.00000 35.00000 02");
    EXPECT_EQ(Did(OffsetFocusLost(s, "5", "462.01250", 0)), "refresh | 440.00000 5.00000 02");
    for (const char* bad : {"69.9875", "69.99", "123456789"}) {
        EXPECT_EQ(Did(OffsetFocusLost(s, bad, "462.01250", 0)),
                  "[Over the range of Offset frequency .] clear refocus | 440.00000 5.00000 02");
    }
    EXPECT_EQ(Did(OffsetFocusLost(s, "69.9874", "462.01250", 0)),
              "refresh | 440.00000 69.98740 02");
    // One point, not first; eight characters fill the box.
    EXPECT_EQ(Each<Key>({{"", kKeyBackspace},
                         {"", kKeyEnter},
                         {"", U'.'},
                         {"5", U'.'},
                         {"5.1", U'.'},
                         {"5", U'x'},
                         {"5.12345", U'6'},
                         {"5.123456", U'7'}},
                        [](Key k) { return OffsetKeyAccepted(k.first, k.second); }),
              "true|true|false|true|false|false|true|false");
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
    EXPECT_EQ(vfo(8) & vfo(9), 255);
    vfo(8) = 0;
    vfo(9) = 60;
    std::vector<Prompt> prompts;
    EXPECT_EQ(RefreshVfo(s, prompts).decode, kToneCtcssEnd);
    vfo(8) = 7;  // an unknown type: the list keeps its selection
    EXPECT_FALSE(RefreshVfo(s, prompts).decode);
    EXPECT_FALSE(RefreshVfo(s, prompts).decodeInverted);
}

TEST_F(FreqMode, LimitEntriesAndTheirMessages) {
    const char* belowModel =
        "frequency of lower limit can't less than the lowest of work frequency. ";
    const char* aboveModel =
        "frequency of upper limit can't more than the highest of work frequency. ";
    const struct {
        int model;
        bool lower;
        const char *lo, *hi, *message, *box;
        int storedLow, storedHigh;
    } cases[] = {
        {0, true, "380", "470", belowModel, "400", 400, 470},
        {0, true, "450", "440",
         "frequency of lower limit can't more than frequency of upper limit.", "440", 440, 440},
        {0, false, "400", "480", aboveModel, "470", 400, 470},
        {0, false, "450", "440",
         "frequency of upper limit can't less than frequency of lower limit.", "450", 450, 450},
        {0, true, "410", "460", nullptr, nullptr, 410, 460},
        {0, false, "410", "460", nullptr, nullptr, 410, 460},
        {1, true, "130", "174", belowModel, "136", 136, 174},  // VHF model bounds
        {1, false, "136", "175", aboveModel, "174", 136, 174}};
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
        EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz),
                  std::make_tuple(c.storedLow, c.storedHigh));
    }
    StartUp(s);
    EXPECT_EQ(LowerLimitFocusLost(s, "380", "470").prompts.at(0).chinese,
              "下限频率不可小于本机最低工作频率");
    EXPECT_EQ(Each({U'0', U'9', U'.', kKeyBackspace, kKeyEnter, U'a', U'-', U' ', U'+'},
                   LimitKeyAccepted),
              "true|true|true|true|true|false|false|false|false");
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

}  // namespace
}  // namespace zt
