// The option bytes and the optional-features window's refresh and commit rules.
#include "model/option_editor.h"

#include <gtest/gtest.h>

#include <bit>

#include "model/app_state.h"
#include "model/editor_text.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

using Key = std::pair<const char*, char32_t>;  // the box's text and the key typed

class OptionEditor : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& opt(int b) { return s.ChannelTable[kOptionRow][b]; }
    AppState s;
};

TEST(OptionBytes, WritingAFieldTouchesOnlyItsBits) {
    Image image{};
    WriteField(image, kVfoStep, 9);  // only the field's bits are written
    EXPECT_EQ(image[kVfoRow][13], 0x01);
}

TEST_F(OptionEditor, StartUpImageShowsTheStartUpValues) {
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.lists, (std::array<int, kOptionListCount>{5, 1, 0, 1, 0, 3, 0, 4, 3, 0, 2, 0, 1}));
    EXPECT_EQ(v.checks, (std::array<bool, kOptionCheckCount>{true, false, false, true, true, false,
                                                             true, false, false, false, false}));
    EXPECT_EQ(std::tie(v.channelMode, v.workModeEnabled, v.messageEnabled, v.passwordEnabled),
              std::make_tuple(false, true, false, false));
    EXPECT_EQ(std::tie(v.lowerLimit, v.upperLimit, v.message, v.password),
              std::make_tuple("400", "470", "HELLO", ""));
    EXPECT_EQ(std::tie(v.vfo.rxText, v.vfo.offsetText, v.vfo.txText, v.vfo.direction),
              std::make_tuple("462.01250", "10.00000", "462.01250", 0));
    EXPECT_EQ(std::tie(v.vfo.decode, v.vfo.decodeInverted), std::make_tuple(0, false));
    EXPECT_TRUE(v.prompts.empty());
}

TEST_F(OptionEditor, RefreshClearsExactlyItsTwoBits) {
    opt(1) = 0x71;
    opt(10) = 0xFF;
    Image expected = s.ChannelTable;
    expected[kOptionRow][1] = 0x61;   // bit 4 cleared
    expected[kOptionRow][10] = 0xFE;  // bit 0 cleared
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(s.ChannelTable, expected);
    EXPECT_FALSE(v.check(OptionCheck::VoxReceStop));
    // Checking the box sets the bit until the next refresh.
    CommitOptionCheck(s.ChannelTable, OptionCheck::VoxReceStop, true);
    EXPECT_EQ(opt(1), 0x71);
    (void)RefreshOptions(s);
    EXPECT_EQ(opt(1), 0x61);
}

TEST_F(OptionEditor, EveryListShowsEveryStoredValueClampedAndStoresEveryPosition) {
    for (int i = 0; i < kOptionListCount; ++i) {
        const auto list = static_cast<OptionList>(i);
        const OptionListControl& c = ListControl(list);
        SCOPED_TRACE(c.control);
        EXPECT_FALSE(c.caption.english.empty() || c.caption.chinese.empty());
        for (const BiText& item : c.items) EXPECT_FALSE(item.chinese.empty());
        const int last = static_cast<int>(c.items.size()) - 1;
        for (int value = 0; value <= (c.field.mask >> std::countr_zero(c.field.mask)); ++value) {
            StartUp(s);
            WriteField(s.ChannelTable, c.field, value);
            EXPECT_EQ(RefreshOptions(s).list(list), std::min(value, last)) << value;
            EXPECT_EQ(ReadField(s.ChannelTable, c.field), value) << value;  // left stored
        }
        for (std::uint8_t start : {0x00, 0xFF, 0x5A, 0xA5}) {
            for (int p = 0; p <= last; ++p) {
                s.ChannelTable[c.field.row][c.field.byte] = start;
                CommitOptionList(s.ChannelTable, list, p);
                const std::uint8_t b = s.ChannelTable[c.field.row][c.field.byte];
                EXPECT_EQ(ReadField(s.ChannelTable, c.field), p);
                EXPECT_EQ(b & ~c.field.mask, start & ~c.field.mask);
            }
        }
    }
    opt(7) = 0x82;  // the key-lock list keeps the vice-band bit
    EXPECT_EQ(RefreshOptions(s).list(OptionList::KlMode), 2);  // "Key"
    CommitOptionList(s.ChannelTable, OptionList::KlMode, 3);   // "ALL"
    EXPECT_EQ(opt(7), 0x83);
}

TEST_F(OptionEditor, EveryCheckBoxSetsAndClearsOnlyItsBit) {
    for (int i = 0; i < kOptionCheckCount; ++i) {
        const auto check = static_cast<OptionCheck>(i);
        const OptionCheckControl& c = CheckControl(check);
        for (bool checked : {true, false}) {
            for (std::uint8_t start : {0x00, 0xFF}) {
                s.ChannelTable[c.field.row][c.field.byte] = start;
                CommitOptionCheck(s.ChannelTable, check, checked);
                const std::uint8_t b = s.ChannelTable[c.field.row][c.field.byte];
                EXPECT_EQ((b & c.field.mask) != 0, checked != c.inverted) << c.control;
                if (check != OptionCheck::OnlyChann) {
                    EXPECT_EQ(b & ~c.field.mask, start & ~c.field.mask) << c.control;
                }
            }
        }
    }
    // "Manual set-up" is stored inverted.
    opt(1) = 0x00;
    CommitOptionCheck(s.ChannelTable, OptionCheck::Menu, false);
    EXPECT_EQ(opt(1), 0x04);
    CommitOptionCheck(s.ChannelTable, OptionCheck::Menu, true);
    EXPECT_EQ(opt(1), 0x00);
}

TEST_F(OptionEditor, OnlyChannelModeForcesTheWorkModeAndPowerOnModeTheMessageBox) {
    opt(2) = 0x81;  // frequency work mode
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, true);
    EXPECT_EQ(opt(2), 0xC1);
    EXPECT_EQ(opt(10) & 0x08, 0x08);
    OptionView v = RefreshOptions(s);
    EXPECT_TRUE(v.check(OptionCheck::OnlyChann) && v.channelMode && !v.workModeEnabled);
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, false);
    EXPECT_EQ(opt(2), 0xC1);  // the work mode stays as it was
    EXPECT_EQ(opt(10) & 0x08, 0);
    EXPECT_TRUE(RefreshOptions(s).workModeEnabled);
    CommitWorkMode(s.ChannelTable, false);
    EXPECT_EQ(opt(2), 0x81);
    opt(2) = 0x20;  // MSG
    EXPECT_TRUE(RefreshOptions(s).messageEnabled);
    CommitOptionList(s.ChannelTable, OptionList::PonMode, 1);  // DC
    EXPECT_EQ(opt(2), 0x10);
    EXPECT_FALSE(RefreshOptions(s).messageEnabled);
    opt(2) = 0x30;  // beyond the list: shows MSG
    EXPECT_EQ(RefreshOptions(s).list(OptionList::PonMode), 2);
    EXPECT_TRUE(RefreshOptions(s).messageEnabled);
}

// Row 209: the password digits in bytes 0..3, the power-on message codes in 4..8.
TEST_F(OptionEditor, PasswordDigitsKeysAndFocus) {
    ImageRow& row = s.ChannelTable[kPasswordRow];
    row = RowOf({1, 2, 255, 4, 19, 16, 23, 23, 26});
    opt(2) |= 0x08;
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.password, "124");
    EXPECT_TRUE(v.passwordEnabled);
    EXPECT_EQ(row, RowOf({1, 2, 4, 255, 19, 16, 23, 23, 26}));  // the refresh closes the gap
    CommitPassword(s.ChannelTable, "98765");
    EXPECT_EQ(row, RowOf({9, 8, 7, 6, 19, 16, 23, 23, 26}));
    CommitPassword(s.ChannelTable, "12");
    EXPECT_EQ(row, RowOf({1, 2, 255, 255, 19, 16, 23, 23, 26}));
    CommitPassword(s.ChannelTable, "");
    EXPECT_EQ(row, RowOf({255, 255, 255, 255, 19, 16, 23, 23, 26}));
    // Digits while fewer than four, and Backspace.
    EXPECT_EQ(
        Each<Key>(
            {{"123", U'4'}, {"1234", U'5'}, {"1234", kKeyBackspace}, {"", U'a'}, {"", kKeyEnter}},
            [](Key k) { return PasswordKeyAccepted(k.first, k.second); }),
        "true|false|true|false|false");
    EXPECT_FALSE(PasswordFocusLost("1234"));
    for (const char* bad : {"12", "", "123"}) {
        EXPECT_EQ(PasswordFocusLost(bad), (Prompt{"Password length is 4 digit.",
                                                  "效验码的有效长度为 4 位 ！",
                                                  {"Operate Prompt", "操作提示"}}));
    }
}

TEST_F(OptionEditor, MessageKeysStoreAndRefresh) {
    std::string text;
    for (char32_t key : {U'a', U'b', U'-', U'1', U'#', U'z', U'Q', U'_'}) {
        if (const auto c = MessageKeyFilter(text, key)) text += static_cast<char>(*c);
    }
    EXPECT_EQ(text, "AB-1Z");  // '#' discarded, a sixth key has no effect
    EXPECT_EQ(Each<Key>({{"AB-1Z", kKeyBackspace}, {"", U'_'}, {"", U'*'}, {"", U' '}, {"", U'+'}},
                        [](Key k) { return int(MessageKeyFilter(k.first, k.second).value_or(0)); }),
              "8|95|42|0|0");
    ImageRow& row = s.ChannelTable[kPasswordRow];
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

TEST_F(OptionEditor, RefreshRunsTheShiftRuleForTheStoredDirection) {
    const struct {
        std::uint8_t flags;
        const char* said;
        int direction;
        const char* tx;
        std::uint8_t stored;
    } cases[] = {// Plus: 462.0125 + 10 = 472.0125 is out of band; minus fits; 3 shows and
                 // is stored as the last item.
                 {0x42, "Over the range of TX frequency .", 0, "462.01250", 0x02},
                 {0x82, "", 2, "452.0125", 0x82},
                 {0xC2, "", 2, "452.0125", 0x82}};
    for (const auto& c : cases) {
        s.ChannelTable[kVfoRow][12] = c.flags;
        const OptionView v = RefreshOptions(s);
        EXPECT_EQ(v.prompts.empty() ? "" : v.prompts[0].english, c.said);
        EXPECT_LE(v.prompts.size(), 1u);
        EXPECT_EQ(std::tie(v.vfo.direction, v.vfo.txText), std::make_tuple(c.direction, c.tx));
        EXPECT_EQ(s.ChannelTable[kVfoRow][12], c.stored);
    }
}

}  // namespace
}  // namespace zt
