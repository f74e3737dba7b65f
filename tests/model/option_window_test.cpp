// SPDX-License-Identifier: GPL-3.0-or-later
// The optional-features window's rules: the option bytes with their lists and
// check boxes, the frequency-mode record and the band limits.
#include <gtest/gtest.h>

#include <cstdio>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/freq_mode_editor.h"
#include "model/option_editor.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

class OptionWindow : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& opt(int b) { return s.ChannelTable[208][b]; }
    std::uint8_t& vfo(int b) { return s.ChannelTable[0][b]; }
    static std::string Said(const std::vector<Prompt>& prompts) {
        std::string said;
        for (const Prompt& p : prompts) said += "[" + p.english + "] ";
        return said;
    }
    // What a rule asks of the window, then the record's receive and offset texts
    // and its byte 12: "[message] clear refocus tx=447 dir=0 refresh | 440.00000 7.00000 42".
    std::string Did(const FreqEditOutcome& o) const {
        std::string d = Said(o.prompts);
        if (o.clearBox) d += "clear ";
        if (o.boxText) d += "box=" + *o.boxText + " ";
        if (o.refocus) d += "refocus ";
        if (o.txText) d += "tx=" + *o.txText + " ";
        if (o.direction) d += "dir=" + std::to_string(*o.direction) + " ";
        if (o.refresh) d += "refresh ";
        char flags[8];
        std::snprintf(flags, sizeof flags, " %02X", s.ChannelTable[0][12]);
        return d + "| " + BcdToText(s.ChannelTable, 0, 0) + " " + BcdToText(s.ChannelTable, 0, 4) +
               flags;
    }
    AppState s;
};

TEST_F(OptionWindow, RefreshClearsExactlyItsTwoBits) {
    opt(1) = 0x71;
    opt(10) = 0xFF;
    Image expected = s.ChannelTable;
    expected[208][1] = 0x61;   // bit 4 cleared
    expected[208][10] = 0xFE;  // bit 0 cleared
    EXPECT_FALSE(RefreshOptions(s).check(OptionCheck::VoxReceStop));
    EXPECT_EQ(s.ChannelTable, expected);
}

// The bits each commit writes: record_layout_test.
TEST_F(OptionWindow, OnlyChannelModeForcesTheWorkModeAndPowerOnModeTheMessageBox) {
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, true);
    CommitWorkMode(s.ChannelTable, false);
    const OptionView v = RefreshOptions(s);
    EXPECT_TRUE(v.check(OptionCheck::OnlyChann) && v.channelMode && !v.workModeEnabled);
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, false);
    EXPECT_TRUE(RefreshOptions(s).workModeEnabled && !RefreshOptions(s).channelMode);
    EXPECT_EQ(Each({0x00, 0x10, 0x20, 0x30},  // Off, DC, MSG, beyond the list: MSG
                   [&](int b) {
                       opt(2) = static_cast<std::uint8_t>(b);
                       return RefreshOptions(s).messageEnabled;
                   }),
              "false|false|true|true");
}

// Row 209: the password digits themselves (0..9) in bytes 0..3, the power-on
// message codes in 4..8. Typing and the English message: the option window's
// widget tests.
TEST_F(OptionWindow, PasswordDigitsKeysAndFocus) {
    ImageRow& row = s.ChannelTable[209];
    CommitPassword(s.ChannelTable, "0919");
    EXPECT_EQ(row, RowOf({0, 9, 1, 9, 19, 16, 23, 23, 26}));
    row = RowOf({10, 2, 255, 9, 19, 16, 23, 23, 26});
    opt(2) |= 0x08;
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.password, "29");
    EXPECT_TRUE(v.passwordEnabled);
    EXPECT_EQ(row, RowOf({2, 9, 255, 255, 19, 16, 23, 23, 26}));  // the refresh closes the gap
    CommitPassword(s.ChannelTable, "");
    EXPECT_EQ(row, RowOf({255, 255, 255, 255, 19, 16, 23, 23, 26}));
    EXPECT_EQ(Keys({{"", U'0'}, {"", U'9'}, {"", U'/'}, {"", U':'}}, PasswordKeyAccepted),
              "true|true|false|false");
    EXPECT_EQ(
        Keys({{"123", U'4'}, {"1234", U'5'}, {"1234", U'\b'}, {"", U'\r'}}, PasswordKeyAccepted),
        "true|false|true|false");
    EXPECT_FALSE(PasswordFocusLost("1234"));
    EXPECT_EQ(PasswordFocusLost(""), (Prompt{"Password length is 4 digit.",
                                             "效验码的有效长度为 4 位 ！",
                                             {"Operate Prompt", "操作提示"}}));
}

TEST_F(OptionWindow, MessageKeysStoreAndRefresh) {
    std::string text;
    for (char32_t key : {U'a', U'b', U'-', U'1', U'#', U'z', U'Q', U'_'}) {
        if (const auto c = MessageKeyFilter(text, key)) text += static_cast<char>(*c);
    }
    EXPECT_EQ(text, "AB-1Z");  // '#' discarded, a sixth key has no effect
    EXPECT_EQ(
        Keys({{"AB-1Z", U'\b'}, {"", U'_'}, {"", U'*'}, {"", U' '}, {"", U'+'}},
             [](auto text, char32_t key) { return int(MessageKeyFilter(text, key).value_or(0)); }),
        "8|95|42|0|0");
    ImageRow& row = s.ChannelTable[209];
    row[9] = 0x77;
    CommitPowerOnMessage(s.ChannelTable, "ab-1");
    EXPECT_EQ(row, RowOf({255, 255, 255, 255, 12, 13, 10, 1, 255, 0x77}));
    EXPECT_EQ(RefreshOptions(s).message, "AB-1");
    CommitPowerOnMessage(s.ChannelTable, "TOOLONG");
    EXPECT_EQ(row, RowOf({255, 255, 255, 255, 31, 26, 26, 23, 26, 0x77}));  // "TOOLO"
    // The refresh re-encodes the message, closing gaps and dropping non-characters.
    row = RowOf({255, 255, 255, 255, 19, 255, 20, 200, 255});
    EXPECT_EQ(RefreshOptions(s).message, "HI");
    EXPECT_EQ(row, RowOf({255, 255, 255, 255, 19, 20}));
}

// Per stored byte 12: the messages, the direction and TX shown, byte 12 after.
// Plus: 462.0125 + 10 = 472.0125 is out of band; minus fits; 3 shows as the
// last item and stays stored until the user picks one.
TEST_F(OptionWindow, RefreshRunsTheShiftRuleForTheStoredDirection) {
    EXPECT_EQ(Each({0x42, 0x82, 0xC2},
                   [&](int flags) {
                       vfo(12) = static_cast<std::uint8_t>(flags);
                       const OptionView v = RefreshOptions(s);
                       return Said(v.prompts) + std::to_string(v.vfo.direction) + " " +
                              v.vfo.txText + " " + std::to_string(vfo(12));
                   }),
              "[Over the range of TX frequency .] 0 462.01250 2|2 452.0125 130|2 452.0125 194");
}

TEST_F(OptionWindow, ReceiveEntry) {
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
    EXPECT_EQ(Keys({{"", U'.'}, {"4.5", U'.'}, {"", U'\b'}, {"4", U'a'}}, RxKeyAccepted),
              "false|true|true|false");
    EXPECT_EQ(Keys({{"462.0125", U'0'}, {"462.01250", U'0'}}, RxKeyAccepted), "true|false");
}

TEST_F(OptionWindow, ShiftDirectionAndOffsetEntryCheckTheTxFrequency) {
    StoreFreqText(s.ChannelTable, "465", 0, 0);
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
    StoreFreqText(s.ChannelTable, "440", 0, 0);
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
    EXPECT_EQ(Keys({{"", U'\b'}, {"", U'\r'}, {"", U'.'}, {"5", U'.'}}, OffsetKeyAccepted),
              "true|true|false|true");
    EXPECT_EQ(Keys({{"5.1", U'.'}, {"5", U'x'}, {"5.12345", U'6'}, {"5.123456", U'7'}},
                   OffsetKeyAccepted),
              "false|false|true|false");
}

TEST_F(OptionWindow, LimitEntriesAndTheirMessages) {
    // Leaving a limit box: the messages, what the box is set back to, and the
    // edges then in force (stored in the image and in the state alike). The
    // frequency-mode record at 440 MHz is then checked against the new edges.
    auto leave = [&](int model, bool lower, const char* lo, const char* hi) {
        StartUp(s);
        StoreFreqText(s.ChannelTable, "440", 0, 0);
        s.ModelIndex = model;
        const FreqEditOutcome o =
            LimitBoxLeft(s, lower ? LimitBox::Lower : LimitBox::Upper, lo, hi, {}).outcome;
        EXPECT_EQ(o.refocus, o.boxText.has_value());
        const BandEdges e = ReadBandEdges(s.ChannelTable);
        EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::tie(e.lowMHz, e.highMHz));
        std::string said;
        for (const Prompt& p : o.prompts)
            said += "[" + p.english + "|" + std::string(p.title.english) + "] ";
        return said + o.boxText.value_or("-") + " " + std::to_string(e.lowMHz) + ".." +
               std::to_string(e.highMHz);
    };
    const std::string below =
        "[frequency of lower limit can't less than the lowest of work frequency. |Operate Prompt] ";
    const std::string above =
        "[frequency of upper limit can't more than the highest of work frequency. |Operate "
        "Prompt] ";
    const std::string record =
        "[Receiving or transmitting frequency that frequency Mode out of frequency limitation "
        "range |Operate prompt] ";
    EXPECT_EQ(leave(0, true, "380", "470"), below + "400 400..470");
    EXPECT_EQ(leave(1, true, "130", "174"), below + record + "136 136..174");  // VHF model bounds
    EXPECT_EQ(leave(0, false, "400", "480"), above + "470 400..470");
    EXPECT_EQ(leave(1, false, "136", "175"), above + record + "174 136..174");
    EXPECT_EQ(leave(0, true, "450", "440"),
              "[frequency of lower limit can't more than frequency of upper limit.|Operate "
              "Prompt] 440 440..440");
    EXPECT_EQ(leave(0, false, "450", "440"),
              "[frequency of upper limit can't less than frequency of lower limit.|Operate "
              "Prompt] " +
                  record + "450 450..450");
    EXPECT_EQ(leave(0, true, "410", "460"), "- 410..460");
    EXPECT_EQ(leave(0, false, "410", "460"), "- 410..460");
    EXPECT_EQ(leave(0, false, "400", "470"), "- 400..470");  // on the model's bounds
    EXPECT_EQ(leave(0, true, "440", "440"), "- 440..440");   // equal limits are allowed
    EXPECT_EQ(leave(0, false, "440", "440"), "- 440..440");
    StartUp(s);
    EXPECT_EQ(LowerLimitEntry(s, "380", "470").prompts.at(0).chinese,
              "下限频率不可小于本机最低工作频率");
    EXPECT_EQ(Each({U'0', U'9', U'.', U'\b', U'\r', U'a', U'-', U' ', U'+'}, LimitKeyAccepted),
              "true|true|true|true|true|false|false|false|false");
}

// Leaving a limit box stores the limits with the window's refresh and checks
// afterwards: the direction the refresh returns to none (TX 465 above the new
// upper limit 460) is reported once, not a second time by the check; with the
// record inside, a channel outside the new edges is reported (the check's own
// texts: image_test).
TEST_F(OptionWindow, LimitChangeRefreshesThenChecksTheRecords) {
    StoreFreqText(s.ChannelTable, "455", 0, 0);  // offset 10 MHz
    vfo(12) = 0x42;                              // plus
    const LimitChange change = LimitBoxLeft(s, LimitBox::Upper, "400", "460", {});
    EXPECT_EQ(Said(change.outcome.prompts), "[Over the range of TX frequency .] ");
    EXPECT_EQ(vfo(12), 0x02);
    EXPECT_EQ(change.view.vfo.direction, 0);
    EXPECT_EQ(change.view.upperLimit, "460");
    EXPECT_TRUE(change.view.prompts.empty());
    StoreFreqText(s.ChannelTable, "465", 7, 0);
    for (int b = 4; b < 16; ++b) s.ChannelTable[7][b] = 0;
    const FreqEditOutcome out = LimitBoxLeft(s, LimitBox::Upper, "400", "460", {}).outcome;
    ASSERT_EQ(out.prompts.size(), 1u);
    EXPECT_EQ(out.prompts[0].chinese, "信道 7 中的接收或发射频率超出频率限制范围");
}

}  // namespace
}  // namespace zt
