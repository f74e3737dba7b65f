// SPDX-License-Identifier: GPL-3.0-or-later
// Where the radio keeps each optional feature: every list and check box of the
// optional-features window as row, byte, mask and shown values, the
// frequency-mode record's tones, frequencies and shift direction, the password
// digits, and a channel's power bits. The masks are the radio's, written out:
// a commit must change exactly these bits of the image and nothing else.
#include <gtest/gtest.h>

#include <bit>

#include "model/app_state.h"
#include "model/channel.h"
#include "model/freq_mode_editor.h"
#include "model/option_editor.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

class RecordLayout : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    // Runs `commit` on an image whose bytes all hold `fill` and returns the
    // image expected: the same with byte [row][byte] set to `value`.
    template <class Commit>
    void ExpectOnly(int row, int byte, std::uint8_t fill, std::uint8_t value, Commit commit,
                    const std::string& what) {
        for (auto& r : s.ChannelTable) r.fill(fill);
        Image expected = s.ChannelTable;
        expected[row][byte] = value;
        commit();
        EXPECT_EQ(s.ChannelTable, expected) << what << " over " << int(fill);
    }
    AppState s;
};

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
                ExpectOnly(
                    l.row, l.byte, fill, value,
                    [&] { CommitOptionList(s.ChannelTable, l.list, p); }, std::to_string(p));
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
                ExpectOnly(
                    c.row, c.byte, fill, value,
                    [&] { CommitOptionCheck(s.ChannelTable, c.check, checked); },
                    checked ? "checked" : "unchecked");
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
    ExpectOnly(
        208, 2, 0x00, 0x40, [&] { CommitWorkMode(s.ChannelTable, true); }, "channel mode");
    ExpectOnly(
        208, 2, 0xFF, 0xBF, [&] { CommitWorkMode(s.ChannelTable, false); }, "freq mode");
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
        ExpectOnly(
            37, 12, c.before, c.after, [&] { SetPower(s.ChannelTable, 37, c.power); },
            std::to_string(c.power));
    }
}

}  // namespace
}  // namespace zt
