#include "model/option_editor.h"

#include <gtest/gtest.h>

#include <bit>

#include "model/app_state.h"
#include "model/editor_text.h"
#include "model/startup.h"

namespace zt {
namespace {

class OptionEditor : public ::testing::Test {
  protected:
    void SetUp() override { StartUp(s); }
    std::uint8_t& opt(int b) { return s.ChannelTable[kOptionRow][b]; }
    std::uint8_t& pwd(int b) { return s.ChannelTable[kPasswordRow][b]; }
    AppState s;
};

const OptionList kAllLists[] = {
    OptionList::Sql,          OptionList::Scan,   OptionList::Mdf, OptionList::Lamp,
    OptionList::PonMode,      OptionList::Tot,    OptionList::Apo, OptionList::VoxLevel,
    OptionList::VoxDelayTime, OptionList::KlMode, OptionList::Txp, OptionList::Step,
    OptionList::Wn,
};

TEST_F(OptionEditor, StartUpImageShowsTheStartUpValues) {
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.list(OptionList::Sql), 5);
    EXPECT_EQ(v.list(OptionList::Scan), 1);  // CO
    EXPECT_EQ(v.list(OptionList::Lamp), 1);  // Key
    EXPECT_EQ(v.list(OptionList::Tot), 3);
    EXPECT_EQ(v.list(OptionList::VoxLevel), 4);
    EXPECT_EQ(v.list(OptionList::VoxDelayTime), 3);
    EXPECT_EQ(v.list(OptionList::Txp), 2);
    EXPECT_EQ(v.list(OptionList::Wn), 1);
    EXPECT_TRUE(v.check(OptionCheck::Menu));
    EXPECT_FALSE(v.check(OptionCheck::VoxReceStop));
    EXPECT_TRUE(v.check(OptionCheck::FmStrx));
    EXPECT_TRUE(v.check(OptionCheck::Save));
    EXPECT_TRUE(v.check(OptionCheck::Beep));
    EXPECT_FALSE(v.channelMode);
    EXPECT_TRUE(v.workModeEnabled);
    EXPECT_EQ(v.lowerLimit, "400");
    EXPECT_EQ(v.upperLimit, "470");
    EXPECT_EQ(v.message, "HELLO");
    EXPECT_FALSE(v.messageEnabled);
    EXPECT_EQ(v.password, "");
    EXPECT_FALSE(v.passwordEnabled);
    EXPECT_EQ(v.vfo.rxText, "462.01250");
    EXPECT_EQ(v.vfo.offsetText, "10.00000");
    EXPECT_EQ(v.vfo.txText, "462.01250");
    EXPECT_EQ(v.vfo.direction, 0);
    EXPECT_EQ(v.vfo.decode, 0);
    EXPECT_EQ(v.vfo.decodeInverted, false);
    EXPECT_TRUE(v.prompts.empty());
}

TEST_F(OptionEditor, RefreshClearsExactlyItsTwoBits) {
    opt(1) = 0x71;
    opt(10) = 0xFF;
    const Image before = s.ChannelTable;
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.list(OptionList::Scan), 1);
    EXPECT_TRUE(v.check(OptionCheck::Menu));
    EXPECT_FALSE(v.check(OptionCheck::Roger));
    EXPECT_FALSE(v.check(OptionCheck::VoxReceStop));
    EXPECT_TRUE(v.check(OptionCheck::FmStrx));
    EXPECT_TRUE(v.check(OptionCheck::Save));
    EXPECT_EQ(v.list(OptionList::Mdf), 0);
    EXPECT_EQ(opt(1), 0x61);   // bit 4 cleared
    EXPECT_EQ(opt(10), 0xFE);  // bit 0 cleared
    Image expected = before;
    expected[kOptionRow][1] = 0x61;
    expected[kOptionRow][10] = 0xFE;
    EXPECT_EQ(s.ChannelTable, expected);
    // Checking the box sets the bit until the next refresh.
    CommitOptionCheck(s.ChannelTable, OptionCheck::VoxReceStop, true);
    EXPECT_EQ(opt(1), 0x71);
    (void)RefreshOptions(s);
    EXPECT_EQ(opt(1), 0x61);
}

TEST_F(OptionEditor, EveryListShowsEveryStoredValueClampedAndLeavesItStored) {
    for (OptionList list : kAllLists) {
        const OptionListControl& c = ListControl(list);
        const int maxValue = c.field.mask >> std::countr_zero(c.field.mask);
        for (int value = 0; value <= maxValue; ++value) {
            StartUp(s);
            WriteField(s.ChannelTable, c.field, value);
            const OptionView v = RefreshOptions(s);
            const int last = static_cast<int>(c.items.size()) - 1;
            EXPECT_EQ(v.list(list), std::min(value, last)) << c.control << " " << value;
            EXPECT_EQ(ReadField(s.ChannelTable, c.field), value) << c.control << " " << value;
        }
    }
}

TEST_F(OptionEditor, EveryListStoresEveryPositionKeepingTheOtherBits) {
    for (OptionList list : kAllLists) {
        const OptionListControl& c = ListControl(list);
        for (std::uint8_t start : {0x00, 0xFF, 0x5A, 0xA5}) {
            for (int p = 0; p < static_cast<int>(c.items.size()); ++p) {
                s.ChannelTable[c.field.row][c.field.byte] = start;
                CommitOptionList(s.ChannelTable, list, p);
                const std::uint8_t b = s.ChannelTable[c.field.row][c.field.byte];
                EXPECT_EQ(ReadField(s.ChannelTable, c.field), p) << c.control;
                EXPECT_EQ(b & ~c.field.mask, start & ~c.field.mask) << c.control;
            }
        }
    }
}

TEST_F(OptionEditor, KeyLockKeepsTheViceBandBit) {
    opt(7) = 0x82;
    EXPECT_EQ(RefreshOptions(s).list(OptionList::KlMode), 2);  // "Key"
    CommitOptionList(s.ChannelTable, OptionList::KlMode, 3);   // "ALL"
    EXPECT_EQ(opt(7), 0x83);
}

TEST_F(OptionEditor, TimeOutBeyondTheListShowsTheLastItemUntilChosen) {
    opt(3) = 9;
    EXPECT_EQ(RefreshOptions(s).list(OptionList::Tot), 7);
    EXPECT_EQ(opt(3), 9);
    CommitOptionList(s.ChannelTable, OptionList::Tot, 7);
    EXPECT_EQ(opt(3), 7);
}

TEST_F(OptionEditor, EveryCheckBoxSetsAndClearsOnlyItsBit) {
    const OptionCheck all[] = {OptionCheck::Menu,   OptionCheck::Roger, OptionCheck::VoxReceStop,
                               OptionCheck::FmStrx, OptionCheck::Save,  OptionCheck::PonPwd,
                               OptionCheck::Beep,   OptionCheck::VoxSw, OptionCheck::Bcl,
                               OptionCheck::TxStop};
    for (OptionCheck check : all) {
        const OptionCheckControl& c = CheckControl(check);
        for (bool checked : {true, false}) {
            for (std::uint8_t start : {0x00, 0xFF}) {
                s.ChannelTable[c.field.row][c.field.byte] = start;
                CommitOptionCheck(s.ChannelTable, check, checked);
                const bool bit = s.ChannelTable[c.field.row][c.field.byte] & c.field.mask;
                EXPECT_EQ(bit, checked != c.inverted) << c.control;
                EXPECT_EQ(s.ChannelTable[c.field.row][c.field.byte] & ~c.field.mask,
                          start & ~c.field.mask)
                    << c.control;
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

TEST_F(OptionEditor, OnlyChannelModeForcesTheChannelWorkMode) {
    opt(2) = 0x81;  // frequency work mode
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, true);
    EXPECT_EQ(opt(2), 0xC1);
    EXPECT_EQ(opt(10) & 0x08, 0x08);
    OptionView v = RefreshOptions(s);
    EXPECT_TRUE(v.check(OptionCheck::OnlyChann));
    EXPECT_TRUE(v.channelMode);
    EXPECT_FALSE(v.workModeEnabled);
    CommitOptionCheck(s.ChannelTable, OptionCheck::OnlyChann, false);
    EXPECT_EQ(opt(2), 0xC1);  // the work mode stays as it was
    EXPECT_EQ(opt(10) & 0x08, 0);
    v = RefreshOptions(s);
    EXPECT_TRUE(v.workModeEnabled);
    CommitWorkMode(s.ChannelTable, false);
    EXPECT_EQ(opt(2), 0x81);
}

TEST_F(OptionEditor, PowerOnModeAndMessageBox) {
    opt(2) = 0x20;  // MSG
    EXPECT_TRUE(RefreshOptions(s).messageEnabled);
    CommitOptionList(s.ChannelTable, OptionList::PonMode, 1);  // DC
    EXPECT_EQ(opt(2), 0x10);
    EXPECT_FALSE(RefreshOptions(s).messageEnabled);
    opt(2) = 0x30;  // beyond the list: shows MSG
    EXPECT_EQ(RefreshOptions(s).list(OptionList::PonMode), 2);
    EXPECT_TRUE(RefreshOptions(s).messageEnabled);
}

TEST_F(OptionEditor, PasswordShowsItsDigitsAndTheRefreshClosesGaps) {
    pwd(0) = 1;
    pwd(1) = 2;
    pwd(2) = 0xFF;
    pwd(3) = 4;
    opt(2) |= 0x08;
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.password, "124");
    EXPECT_TRUE(v.passwordEnabled);
    EXPECT_EQ(pwd(0), 1);
    EXPECT_EQ(pwd(1), 2);
    EXPECT_EQ(pwd(2), 4);
    EXPECT_EQ(pwd(3), 0xFF);
    EXPECT_EQ(pwd(4), 19);  // the message is untouched
}

TEST_F(OptionEditor, PasswordTextRulesAndFocus) {
    CommitPassword(s.ChannelTable, "9071");
    EXPECT_EQ(pwd(0), 9);
    EXPECT_EQ(pwd(3), 1);
    CommitPassword(s.ChannelTable, "12");
    EXPECT_EQ(pwd(1), 2);
    EXPECT_EQ(pwd(2), 0xFF);
    EXPECT_EQ(pwd(3), 0xFF);
    EXPECT_EQ(pwd(4), 19);  // never spills into the message

    EXPECT_TRUE(PasswordKeyAccepted("123", U'4'));
    EXPECT_FALSE(PasswordKeyAccepted("1234", U'5'));
    EXPECT_TRUE(PasswordKeyAccepted("1234", kKeyBackspace));
    EXPECT_FALSE(PasswordKeyAccepted("", U'a'));
    EXPECT_FALSE(PasswordKeyAccepted("", kKeyEnter));

    EXPECT_FALSE(PasswordFocusLost("1234"));
    for (const char* bad : {"12", "", "123"}) {
        const auto prompt = PasswordFocusLost(bad);
        ASSERT_TRUE(prompt) << bad;
        EXPECT_EQ(prompt->english, "Password length is 4 digit.");
        EXPECT_EQ(prompt->chinese, "效验码的有效长度为 4 位 ！");
        EXPECT_EQ(prompt->title.english, "Operate Prompt");
        EXPECT_EQ(prompt->title.chinese, "操作提示");
    }
}

TEST_F(OptionEditor, MessageKeysAndStore) {
    std::string text;
    for (char32_t key : {U'a', U'b', U'-', U'1', U'#', U'z', U'Q'}) {
        if (const auto c = MessageKeyFilter(text, key)) text += static_cast<char>(*c);
    }
    EXPECT_EQ(text, "AB-1Z");  // '#' discarded, the sixth key ('Q') has no effect
    EXPECT_EQ(MessageKeyFilter(text, kKeyBackspace), kKeyBackspace);
    EXPECT_EQ(MessageKeyFilter("", U'_'), U'_');
    EXPECT_EQ(MessageKeyFilter("", U'*'), U'*');
    EXPECT_FALSE(MessageKeyFilter("", U' '));
    EXPECT_FALSE(MessageKeyFilter("", U'+'));

    CommitPowerOnMessage(s.ChannelTable, "AB-1");
    const std::uint8_t expected[] = {12, 13, 10, 1, 255};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pwd(4 + i), expected[i]) << i;
    EXPECT_EQ(RefreshOptions(s).message, "AB-1");
}

TEST_F(OptionEditor, RefreshReencodesTheMessage) {
    pwd(4) = 19;
    pwd(5) = 255;
    pwd(6) = 20;
    pwd(7) = 200;
    pwd(8) = 255;
    EXPECT_EQ(RefreshOptions(s).message, "HI");
    const std::uint8_t expected[] = {19, 20, 255, 255, 255};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pwd(4 + i), expected[i]) << i;
}

TEST_F(OptionEditor, RefreshRunsTheShiftRuleForTheStoredDirection) {
    Image& image = s.ChannelTable;
    image[kVfoRow][12] = 0x42;  // plus, High; 462.0125 + 10 = 472.0125 is out of band
    OptionView v = RefreshOptions(s);
    ASSERT_EQ(v.prompts.size(), 1u);
    EXPECT_EQ(v.prompts[0].english, "Over the range of TX frequency .");
    EXPECT_EQ(v.vfo.direction, 0);
    EXPECT_EQ(v.vfo.txText, "462.01250");
    EXPECT_EQ(image[kVfoRow][12], 0x02);
    // Minus fits: 452.0125 shown as TX, nothing said.
    image[kVfoRow][12] = 0x82;
    v = RefreshOptions(s);
    EXPECT_TRUE(v.prompts.empty());
    EXPECT_EQ(v.vfo.direction, 2);
    EXPECT_EQ(v.vfo.txText, "452.0125");
    // A direction value of 3 shows the last item and is stored as it.
    image[kVfoRow][12] = 0xC2;
    v = RefreshOptions(s);
    EXPECT_EQ(v.vfo.direction, 2);
    EXPECT_EQ(image[kVfoRow][12], 0x82);
}

TEST_F(OptionEditor, CaptionsExistInBothLanguages) {
    for (OptionList list : kAllLists) {
        const OptionListControl& c = ListControl(list);
        EXPECT_FALSE(c.caption.english.empty()) << c.control;
        EXPECT_FALSE(c.caption.chinese.empty()) << c.control;
        for (const BiText& item : c.items) EXPECT_FALSE(item.chinese.empty()) << c.control;
    }
}

}  // namespace
}  // namespace zt
