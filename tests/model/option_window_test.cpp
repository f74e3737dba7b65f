// SPDX-License-Identifier: GPL-3.0-or-later
// The optional-features window's rules: the option bytes with their lists and
// check boxes, the frequency-mode record and the band limits; and where the
// radio keeps each of them (RecordLayout).
#include <gtest/gtest.h>

#include <bit>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/channel.h"
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
        return d + "| " + BcdToText(s.ChannelTable, 0, 0) + " " + BcdToText(s.ChannelTable, 0, 4) +
               " " + Hex({&s.ChannelTable[0][12], 1});
    }
    // Runs `commit` on an image whose bytes all hold `fill` and returns the
    // image expected: the same with byte [row][byte] set to `value`.
    template <class Commit>
    void ExpectOnly(int row, int byte, std::uint8_t fill, std::uint8_t value,
                    const std::string& what, Commit commit) {
        for (auto& r : s.ChannelTable) r.fill(fill);
        Image expected = s.ChannelTable;
        expected[row][byte] = value;
        commit();
        EXPECT_EQ(s.ChannelTable, expected) << what << " over " << int(fill);
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

// The bits each commit writes: RecordLayout below.
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
    opt(2) |= 0x08;
    EXPECT_TRUE(RefreshOptions(s).passwordEnabled);
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
}

// Row 209 after a refresh, given what the password and message boxes showed:
// a text the refresh changes is written back trimmed, without gaps or what is
// not a digit or character; a box that shows nothing new leaves bytes it cannot
// show (and bytes 9..15) as they were.
TEST_F(OptionWindow, RefreshWritesBackOnlyTheBoxTextsItChanges) {
    const struct {
        ImageRow before;
        OptionBoxTexts shown;
        ImageRow after;  // all zero: as before
    } cases[] = {
        {RowOf({255, 255, 255, 255, 72, 73, 255, 255, 255, 1, 2, 3, 4, 5, 6, 7}), {}, {}},
        {RowOf({0x41, 0x42, 0x0A, 0xFE, 255, 255, 255, 255, 255, 0, 0}), {}, {}},
        {RowOf({255, 255, 255, 255, 11, 20, 255, 21, 11}), {}, RowOf({255, 255, 255, 255, 20, 21})},
        {RowOf({255, 255, 255, 255, 11, 20, 255, 21, 11}), {"", " IJ "}, {}},
        {RowOf({10, 2, 255, 9, 19, 255, 20, 200, 255}), {"29", "HI"}, {}},
        {RowOf({10, 2, 255, 9, 19, 255, 20, 200, 255}), {}, RowOf({2, 9, 255, 255, 19, 20})},
    };
    for (const auto& c : cases) {
        s.ChannelTable[209] = c.before;
        (void)RefreshOptions(s, c.shown);
        EXPECT_EQ(s.ChannelTable[209], c.after == ImageRow{} ? c.before : c.after)
            << Hex(c.before) << " shown '" << c.shown.password << "' '" << c.shown.message << "'";
    }
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

// Where the radio keeps each optional feature: every list and check box of the
// optional-features window as row, byte, mask and shown values, the
// frequency-mode record's tones, frequencies and shift direction, the password
// digits, and a channel's power bits. The masks are the radio's, written out:
// a commit must change exactly these bits of the image and nothing else.
using RecordLayout = OptionWindow;

TEST_F(RecordLayout, EveryOptionListAsRowByteMaskAndItems) {
    const struct {
        OptionList list;
        const char* control;
        int row, byte;
        std::uint8_t mask;
        const char *english, *chinese;
    } lists[] = {
        {OptionList::Sql, "Combo_Sql", 208, 0, 0xFF, "0|1|2|3|4|5|6|7|8|9", "0|1|2|3|4|5|6|7|8|9"},
        {OptionList::Scan, "Combo_Scan", 208, 1, 0x03, "TO|CO|SE", "时间|载波|搜索"},
        {OptionList::Mdf, "Combo_Mdf", 208, 1, 0x80, "Frequncy|Name", "频率|名称"},
        {OptionList::Lamp, "Combo_Lamp", 208, 2, 0x03, "Off|Key|Cont", "关闭|自动|持续点亮"},
        {OptionList::PonMode, "Combo_Pon_Mode", 208, 2, 0x30, "Off|DC|MSG", "关|电压|信息"},
        {OptionList::Tot, "Combo_TOT", 208, 3, 0xFF, "Off|1|2|3|4|5|6|7", "关|1|2|3|4|5|6|7"},
        {OptionList::Apo, "Combo_APO", 208, 4, 0xFF, "Off|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15",
         "关|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15"},
        {OptionList::VoxLevel, "Combo_VOX_lever", 208, 5, 0xFF, "1|2|3|4|5|6|7|8",
         "1|2|3|4|5|6|7|8"},
        {OptionList::VoxDelayTime, "Combo_VOX_Delay_Time", 208, 6, 0xFF, "1|2|3|4", "1|2|3|4"},
        {OptionList::KlMode, "Combo_KL_Mode", 208, 7, 0x7F, "Key&UPDN|PTTLock|Key|ALL",
         "按键和上下键|PTT键|按键|全部"},
        {OptionList::Txp, "Combo_TXP", 0, 12, 0x03, "Low|Mid|High", "低功率|中功率|高功率"},
        {OptionList::Step, "Combo_Step", 0, 13, 0x07, "5K|6.25K|10K|12.5K|25K|37.5K|50K|100K",
         "5K|6.25K|10K|12.5K|25K|37.5K|50K|100K"},
        {OptionList::Wn, "Combo_WN", 0, 13, 0x20, "Narrow|Wide", "窄带|宽带"},
    };
    for (const auto& l : lists) {
        SCOPED_TRACE(l.control);
        const OptionListControl& c = ListControl(l.list);
        EXPECT_EQ(c.control, l.control);
        EXPECT_EQ(Joined(c.items, false), l.english);
        EXPECT_EQ(Joined(c.items, true), l.chinese);
        const int shift = std::countr_zero(l.mask);
        const int last = static_cast<int>(c.items.size()) - 1;
        for (int p = 0; p <= last; ++p) {
            for (std::uint8_t fill : {0x00, 0xFF}) {
                const auto value = static_cast<std::uint8_t>((fill & ~l.mask) | (p << shift));
                ExpectOnly(l.row, l.byte, fill, value, std::to_string(p),
                           [&] { CommitOptionList(s.ChannelTable, l.list, p); });
            }
        }
        // Every stored value shows, clamped to the last item, and stays stored.
        for (int v = 0; v <= l.mask >> shift; ++v) {
            StartUp(s);
            s.ChannelTable[l.row][l.byte] = static_cast<std::uint8_t>(v << shift);
            EXPECT_EQ(RefreshOptions(s).list(l.list), std::min(v, last)) << v;
            EXPECT_EQ(s.ChannelTable[l.row][l.byte], v << shift) << v;
        }
    }
}

TEST_F(RecordLayout, EveryCheckBoxAsRowByteAndBit) {
    const struct {
        OptionCheck check;
        const char* control;
        int row, byte;
        std::uint8_t bit;
        bool inverted;  // checked stores 0
    } checks[] = {
        {OptionCheck::Menu, "Check_Menu", 208, 1, 0x04, true},
        {OptionCheck::Roger, "Check_ROGER", 208, 1, 0x08, false},
        {OptionCheck::VoxReceStop, "Check_VOX_ReceStop", 208, 1, 0x10, false},
        {OptionCheck::FmStrx, "Check_FM_STRX", 208, 1, 0x20, false},
        {OptionCheck::Save, "Check_Save", 208, 1, 0x40, false},
        {OptionCheck::PonPwd, "Check_Pon_PWD", 208, 2, 0x08, false},
        {OptionCheck::Beep, "Check_Beep", 208, 2, 0x80, false},
        {OptionCheck::VoxSw, "Check_VOX_SW", 0, 13, 0x40, false},
        {OptionCheck::Bcl, "Check_Bcl", 0, 13, 0x80, false},
        {OptionCheck::TxStop, "Check_TxStop", 0, 13, 0x10, false},
        {OptionCheck::OnlyChann, "Check_Only_Chann", 208, 10, 0x08, false},
    };
    for (const auto& c : checks) {
        SCOPED_TRACE(c.control);
        EXPECT_EQ(CheckControl(c.check).control, c.control);
        for (bool checked : {true, false}) {
            for (std::uint8_t fill : {0x00, 0xFF}) {
                const bool set = checked != c.inverted;
                const auto value = static_cast<std::uint8_t>(set ? fill | c.bit : fill & ~c.bit);
                if (c.check == OptionCheck::OnlyChann && checked) {
                    // Only channel mode also selects the channel work mode.
                    for (auto& r : s.ChannelTable) r.fill(fill);
                    CommitOptionCheck(s.ChannelTable, c.check, checked);
                    EXPECT_EQ(s.ChannelTable[208][10], value);
                    EXPECT_EQ(s.ChannelTable[208][2], fill | 0x40);
                    continue;
                }
                ExpectOnly(c.row, c.byte, fill, value, checked ? "checked" : "unchecked",
                           [&] { CommitOptionCheck(s.ChannelTable, c.check, checked); });
            }
        }
        // The box shows the bit (the refresh always clears VOX inhibit on receive).
        for (bool set : {true, false}) {
            StartUp(s);
            s.ChannelTable[c.row][c.byte] = set ? c.bit : 0;
            const bool shown = c.check == OptionCheck::VoxReceStop ? false : set != c.inverted;
            EXPECT_EQ(RefreshOptions(s).check(c.check), shown) << set;
        }
    }
    ExpectOnly(208, 2, 0x00, 0x40, "channel mode", [&] { CommitWorkMode(s.ChannelTable, true); });
    ExpectOnly(208, 2, 0xFF, 0xBF, "freq mode", [&] { CommitWorkMode(s.ChannelTable, false); });
}

// The frequency-mode record: receive frequency in bytes 0..3 and offset in 4..7
// (packed BCD, low byte first), decode tone 8..9, encode tone 10..11, the shift
// direction in bits 6..7 of byte 12.
TEST_F(RecordLayout, FrequencyModeRecordFields) {
    const struct {
        int position;
        std::uint8_t type, index;
    } tones[] = {{0, 255, 255}, {1, 0, 0},   {50, 0, 49},  {51, 1, 0},
                 {157, 1, 106}, {158, 2, 0}, {264, 2, 106}};
    std::vector<Prompt> prompts;
    for (const auto& t : tones) {
        for (bool decode : {true, false}) {
            Image before = s.ChannelTable;
            const bool inverted = CommitVfoTone(s.ChannelTable, decode, t.position);
            before[0][decode ? 8 : 10] = t.type;
            before[0][decode ? 9 : 11] = t.index;
            EXPECT_EQ(s.ChannelTable, before) << t.position;
            EXPECT_EQ(inverted, t.type == 2) << t.position;
            const VfoView v = RefreshVfo(s, prompts);
            EXPECT_EQ(decode ? v.decode : v.encode, t.position);
            EXPECT_EQ(decode ? v.decodeInverted : v.encodeInverted, inverted);
        }
    }
    s.ChannelTable[0][8] = 7;  // an unknown type: the list keeps its selection
    EXPECT_EQ(RefreshVfo(s, prompts).decode, std::nullopt);
    EXPECT_EQ(RefreshVfo(s, prompts).decodeInverted, std::nullopt);
    StartUp(s);
    (void)RxFocusLost(s, "446.5125");
    EXPECT_EQ(s.ChannelTable[0],
              RowOf({0x50, 0x12, 0x65, 0x44, 0, 0, 0, 1, 255, 255, 255, 255, 0x02, 0x20}));
    (void)OffsetFocusLost(s, "5", "446.51250", 0);
    (void)CommitShiftDirection(s, 2, "446.51250", "5");
    EXPECT_EQ(s.ChannelTable[0],
              RowOf({0x50, 0x12, 0x65, 0x44, 0, 0, 0x50, 0, 255, 255, 255, 255, 0x82, 0x20}));
    (void)CommitShiftDirection(s, 1, "446.51250", "5");
    EXPECT_EQ(s.ChannelTable[0][12], 0x42);
}

// Power is bits 0..1 of a channel's byte 12; scan skip, the unused bits and the
// offset direction stay as they were.
TEST_F(RecordLayout, ChannelPowerKeepsTheOtherBitsOfByte12) {
    const struct {
        std::uint8_t before;
        int power;
        std::uint8_t after;
    } cases[] = {{0xFF, 0, 0xFC}, {0xFF, 1, 0xFD}, {0xFF, 2, 0xFE},
                 {0x00, 2, 0x02}, {0xC4, 1, 0xC5}, {0x7B, 0, 0x78}};
    for (const auto& c : cases) {
        ExpectOnly(37, 12, c.before, c.after, std::to_string(c.power),
                   [&] { SetPower(s.ChannelTable, 37, c.power); });
    }
}

}  // namespace
}  // namespace zt
