// The option bytes and the optional-features window's refresh and commit rules.
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
    std::array<std::uint8_t, 5> message() { return {pwd(4), pwd(5), pwd(6), pwd(7), pwd(8)}; }
    AppState s;
};

const OptionList kAllLists[] = {
    OptionList::Sql,          OptionList::Scan,   OptionList::Mdf, OptionList::Lamp,
    OptionList::PonMode,      OptionList::Tot,    OptionList::Apo, OptionList::VoxLevel,
    OptionList::VoxDelayTime, OptionList::KlMode, OptionList::Txp, OptionList::Step,
    OptionList::Wn,
};

TEST(OptionBytes, StartUpBytesDecodeToTheirSettingsAndEveryByteRoundTrips) {
    const OptionByte1 b1 = UnpackOptionByte1(0x71);
    EXPECT_EQ(b1.scanMode, 1);  // CO
    EXPECT_TRUE(b1.manualSetup && !b1.roger && b1.voxInhibitOnReceive && b1.receiveWhileRadio &&
                b1.batterySave && !b1.nameDisplay);
    const OptionByte2 b2 = UnpackOptionByte2(0x81);
    EXPECT_EQ(b2.backLight, 1);  // Key
    EXPECT_EQ(b2.powerOnMode, 0);
    EXPECT_TRUE(!b2.radioPassword && !b2.channelMode && b2.beep);
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        EXPECT_EQ(PackOptionByte1(UnpackOptionByte1(b)), b) << v;
        EXPECT_EQ(PackOptionByte2(UnpackOptionByte2(b), b), b) << v;
    }
    // Each setting lands on its own bit.
    EXPECT_EQ(PackOptionByte1({2, true, true, false, false, false, true}), 2 + 8 + 128);
    EXPECT_EQ(PackOptionByte2({2, true, 2, true, false}, 0x04), 2 + 4 + 8 + 32 + 64);
    Image image{};
    WriteField(image, kVfoStep, 9);  // only the field's bits are written
    EXPECT_EQ(image[kVfoRow][13], 0x01);
}

TEST_F(OptionEditor, StartUpImageShowsTheStartUpValues) {
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.lists, (std::array<int, kOptionListCount>{5, 1, 0, 1, 0, 3, 0, 4, 3, 0, 2, 0, 1}));
    EXPECT_EQ(v.checks, (std::array<bool, kOptionCheckCount>{true, false, false, true, true, false,
                                                             true, false, false, false, false}));
    EXPECT_FALSE(v.channelMode);
    EXPECT_TRUE(v.workModeEnabled);
    EXPECT_EQ(v.lowerLimit + "-" + v.upperLimit, "400-470");
    EXPECT_EQ(v.message, "HELLO");
    EXPECT_FALSE(v.messageEnabled);
    EXPECT_EQ(v.password, "");
    EXPECT_FALSE(v.passwordEnabled);
    EXPECT_EQ(v.vfo.rxText + " " + v.vfo.offsetText + " " + v.vfo.txText,
              "462.01250 10.00000 462.01250");
    EXPECT_EQ(v.vfo.direction, 0);
    EXPECT_EQ(v.vfo.decode, 0);
    EXPECT_EQ(v.vfo.decodeInverted, false);
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
    for (OptionList list : kAllLists) {
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

TEST_F(OptionEditor, OnlyChannelModeForcesTheChannelWorkMode) {
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

TEST_F(OptionEditor, PasswordDigitsKeysAndFocus) {
    pwd(0) = 1;
    pwd(1) = 2;
    pwd(2) = 0xFF;
    pwd(3) = 4;
    opt(2) |= 0x08;
    const OptionView v = RefreshOptions(s);
    EXPECT_EQ(v.password, "124");
    EXPECT_TRUE(v.passwordEnabled);
    EXPECT_EQ(s.ChannelTable[kPasswordRow][2], 4);  // the refresh closes the gap
    EXPECT_EQ(s.ChannelTable[kPasswordRow][3], 0xFF);
    CommitPassword(s.ChannelTable, "98765");
    EXPECT_EQ(ReadPassword(s.ChannelTable), "9876");
    CommitPassword(s.ChannelTable, "12");
    EXPECT_EQ(pwd(1), 2);
    EXPECT_EQ(pwd(2), 0xFF);
    EXPECT_EQ(pwd(3), 0xFF);
    CommitPassword(s.ChannelTable, "");
    EXPECT_EQ(pwd(0), 0xFF);
    EXPECT_EQ(message(), (std::array<std::uint8_t, 5>{19, 16, 23, 23, 26}));  // never touched

    EXPECT_TRUE(PasswordKeyAccepted("123", U'4'));
    EXPECT_FALSE(PasswordKeyAccepted("1234", U'5'));
    EXPECT_TRUE(PasswordKeyAccepted("1234", kKeyBackspace));
    EXPECT_FALSE(PasswordKeyAccepted("", U'a'));
    EXPECT_FALSE(PasswordKeyAccepted("", kKeyEnter));
    EXPECT_FALSE(PasswordFocusLost("1234"));
    for (const char* bad : {"12", "", "123"}) {
        const auto prompt = PasswordFocusLost(bad);
        ASSERT_TRUE(prompt) << bad;
        EXPECT_EQ(*prompt, (Prompt{"Password length is 4 digit.",
                                   "效验码的有效长度为 4 位 ！",
                                   {"Operate Prompt", "操作提示"}}));
    }
}

TEST_F(OptionEditor, MessageKeysStoreAndRefresh) {
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

    pwd(9) = 0x77;
    CommitPowerOnMessage(s.ChannelTable, "ab-1");
    EXPECT_EQ(message(), (std::array<std::uint8_t, 5>{12, 13, 10, 1, 255}));
    EXPECT_EQ(RefreshOptions(s).message, "AB-1");
    CommitPowerOnMessage(s.ChannelTable, "TOOLONG");
    EXPECT_EQ(ReadPowerOnMessage(s.ChannelTable), "TOOLO");
    EXPECT_EQ(pwd(9), 0x77);
    // The refresh re-encodes the message, closing gaps and dropping non-characters.
    pwd(4) = 19;
    pwd(5) = 255;
    pwd(6) = 20;
    pwd(7) = 200;
    pwd(8) = 255;
    EXPECT_EQ(RefreshOptions(s).message, "HI");
    EXPECT_EQ(message(), (std::array<std::uint8_t, 5>{19, 20, 255, 255, 255}));
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
    EXPECT_EQ(RefreshOptions(s).vfo.direction, 2);
    EXPECT_EQ(image[kVfoRow][12], 0x82);
}

}  // namespace
}  // namespace zt
