// SPDX-License-Identifier: GPL-3.0-or-later
// The small record editors: key assignment, embedded message, scan information
// and the broadcast FM presets.
#include <gtest/gtest.h>

#include <sstream>

#include "model/editor_text.h"
#include "model/embedded_message.h"
#include "model/fm_presets.h"
#include "model/key_assign.h"
#include "model/number_text.h"
#include "model/scan_info.h"
#include "table.h"

namespace zt {
namespace {

Image Blank() {
    Image image{};
    for (auto& row : image) row.fill(255);
    return image;
}

TEST(KeyAssign, EveryCodeAndPositionAndTheKeyRecordOnly) {
    // 0 and 1 both read as Autodial; beyond the list reads as None.
    EXPECT_EQ(
        Each({0, 1, 2, 11, 12, 255}, [](int c) { return KeyPositionOfCode(std::uint8_t(c)); }),
        "1|1|2|11|0|0");
    const auto names = [](bool chinese) {
        std::string text;
        for (const KeyFunction& f : kKeyFunctions) text += std::string(f.name.in(chinese)) + "|";
        return text;
    };
    EXPECT_EQ(names(false),
              "None|Autodial|Key Lock|Key Lock with Backup|Monitor|Monitor Momentary|Scan|"
              "Scan+Temporary Delete|Scrambler|Squelch Off|Squelch Off Momentary|Temporary "
              "Delete|");
    EXPECT_EQ(names(true),
              "无|自动拨号|按键锁定|按键锁定及备份|监听|监听瞬时|扫描|扫描 + 暂时删除|扰频器|"
              "取消静噪|瞬时取消静噪|暂时删除|");
    EXPECT_EQ(Each({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                   [](int p) { return int(KeyCodeOfPosition(p)); }),
              "255|0|2|3|4|5|6|7|8|9|10|11");
    // The key record: row 214, PF1 in byte 0 and PF2 in byte 1.
    Image image = Blank();
    image[214][1] = 1;
    image[17].fill(0x42);  // a channel record next door stays as it is
    Image expected = image;
    expected[214][0] = 6;
    expected[214][1] = 0;                          // the 1 becomes Autodial's 0
    CommitKeys(image, 6, RefreshKeys(image).pf2);  // PF1 := Scan; PF2 keeps what it shows
    EXPECT_EQ(image, expected);
    EXPECT_EQ(RefreshKeys(image).pf1, 6);
    CommitKeys(image, -1, 3);  // a list without selection leaves its byte
    EXPECT_EQ(image[214][0], 6);
    EXPECT_EQ(image[214][1], 3);
}

TEST(EmbeddedMessage, ShowsPrintableBytesStoresPaddedAndKeysStopAtFive) {
    // Bytes 4..8 of row 209; only 33..127 show.
    Image image = Blank();
    image[209][4] = 'H';
    image[209][6] = 'I';
    EXPECT_EQ(Each({0, 32, 33, 127, 128, 255},
                   [&](int b) {
                       image[209][5] = static_cast<std::uint8_t>(b);
                       return ShowEmbeddedMessage(image);
                   }),
              "HI|HI|H!I|H\x7FI|HI|HI");
    // Bytes 3..9 of the row (3 and 9 belong to others) and what the box shows:
    // the inner blank is kept but not shown, a paste cannot spill into byte 9.
    auto store = [](const char* text) {
        Image image = Blank();
        image[209].fill(0x66);
        StoreEmbeddedMessage(image, text);
        std::string bytes;
        for (int b = 3; b <= 9; ++b) bytes += std::to_string(image[209][b]) + " ";
        return bytes + ShowEmbeddedMessage(image);
    };
    EXPECT_EQ(Each({"HI", "  HI ", "A B", "", "HELLOWORLD"}, store),
              "102 72 73 255 255 255 102 HI|102 72 73 255 255 255 102 HI|"
              "102 65 32 66 255 255 102 AB|102 255 255 255 255 255 102 |"
              "102 72 69 76 76 79 102 HELLO");
    EXPECT_EQ(Keys({{"ABCD", U'E'}, {"ABCD", U'\b'}, {"ABCDE", U'F'}}, EmbeddedMessageKeyAccepted),
              "true|true|false");
    EXPECT_EQ(Keys({{"ABCDE", U'\b'}, {" ABCD ", U'E'}}, EmbeddedMessageKeyAccepted),
              "false|true");  // blanks around do not count
}

// The scan record: row 213, bytes 0..8.
std::uint8_t& ScanByte(Image& image, int b) { return image[213][b]; }

TEST(ScanInfo, ListTextsAndEveryStoredTimeShownClampedAndCommittedBack) {
    const auto texts = LookBackTexts();
    ASSERT_EQ(texts.size(), 91u);
    for (int p = 0; p < 91; ++p) {
        // Every item names its own time: 0.50 s + p * 0.05 s, four characters.
        EXPECT_EQ(texts[p].size(), 4u) << p;
        EXPECT_DOUBLE_EQ(LeadingNumber(texts[p]) * 100, 50 + 5 * p) << p;
    }
    EXPECT_EQ(texts[0] + texts[9] + texts[10] + texts[90], ".500.9501.005.00");
    EXPECT_EQ(ScanSecondsTexts().size(), 301u);
    EXPECT_EQ(ScanSecondsTexts()[300], "300");
    // Look-back bytes 0 and 1 both show .500, 91 the last item, anything above
    // it the one before.
    Image image = Blank();
    EXPECT_EQ(Each({0, 1, 2, 91, 92, 255},
                   [&](int b) {
                       ScanByte(image, 2) = static_cast<std::uint8_t>(b);
                       return RefreshScan(image).lookBackA;
                   }),
              "0|0|1|90|89|89");
    CommitLookBack(image, 2, 0);
    EXPECT_EQ(ScanByte(image, 2), 0);  // .500 writes 0
    // Seconds are little-endian, shown clamped to 300.
    ScanByte(image, 5) = 0x2D;  // 301
    ScanByte(image, 6) = 0x01;
    EXPECT_EQ(RefreshScan(image).dropout, 300);
    EXPECT_EQ(RefreshScan(image).txDwell, 300);  // FF FF
}

TEST(ScanInfo, RevertListFollowsThePriorityMode) {
    // Per mode (200 is beyond the list and shows as the last): the revert
    // choices offered, whether the priority channel and look-back lists are on,
    // the channel shown, and the position shown for revert bytes 0..3 and 255.
    auto view = [](int mode) {
        Image image = Blank();
        ScanByte(image, 0) = static_cast<std::uint8_t>(mode);
        ScanByte(image, 1) = 7;
        std::ostringstream out;
        for (int choice : RefreshScan(image).revertChoices) out << choice;
        const ScanView v = RefreshScan(image);
        out << " " << v.priorityChannelEnabled << v.lookBackEnabled << " '" << v.priorityChannel
            << "' ";
        for (int byte : {0, 1, 2, 3, 200, 255}) {
            ScanByte(image, 4) = static_cast<std::uint8_t>(byte);
            out << RefreshScan(image).revert;
        }
        return out.str();
    };
    EXPECT_EQ(Each({0, 1, 2, 200}, view),
              "01 00 '' 011111|0123 11 '7' 012333|23 01 '' 010111|23 01 '' 010111");
    // The priority modes, then the four revert choices, in both languages.
    std::string texts;
    for (bool chinese : {false, true}) {
        texts += Joined(kPriorityModeItems, chinese) + "|" + Joined(kRevertChoices, chinese) + "\n";
    }
    EXPECT_EQ(texts,
              "None|Fixed|Selected|Selected|Selected+Talk Back|Priority|Priority+Talk Back\n"
              "无|固定|选定|选定|选定+当前通话|优先|优先+当前通话\n");
    // Changing the mode (m) stores the revert choice (r) it shows: the revert
    // byte after each step. Mode none keeps the last of its two choices; mode 2
    // does not offer Selected (0) and shows its first Priority item.
    Image image = Blank();
    auto step = [&](const char* s) {
        const int n = s[1] - '0';
        s[0] == 'm' ? CommitPriorityMode(image, n) : CommitRevert(image, n);
        return std::to_string(ScanByte(image, 0)) + ":" + std::to_string(ScanByte(image, 4));
    };
    EXPECT_EQ(Each({"m2", "r1", "m1", "m0", "m2", "m1", "r1", "r0", "m2"}, step),
              "2:3|2:3|1:3|0:1|2:3|1:3|1:1|1:0|2:2");
}

TEST(ScanInfo, PriorityChannelStoresOnlyInFixedModeAndOnly1To16) {
    Image image = Blank();
    auto commit = [&](const char* text) {  // the stored byte, "!" for the range message
        const auto prompt = CommitPriorityChannel(image, text);
        return std::to_string(ScanByte(image, 1)) + (prompt ? "!" : "");
    };
    ScanByte(image, 0) = 1;
    EXPECT_EQ(Each({"1", "16", "17", "0", "", "99"}, commit), "1|16|16!|16!|16!|16!");
    EXPECT_EQ(CommitPriorityChannel(image, "0"),
              (Prompt{"Priority channel must be between 1 and 16.",
                      "优先信道号在 1 - 16 之间 ！",
                      {"Operate prompt", "操作提示"}}));
    ScanByte(image, 0) = 2;  // selected mode: the box is off and nothing is stored
    EXPECT_EQ(Each({"99", "3"}, commit), "16|16");
    // Keys: digits only (not even Backspace), two at most.
    EXPECT_EQ(Keys({{"1", U'7'}, {"17", U'1'}, {"1", U'\b'}, {"", U'a'}, {"", U'.'}},
                   PriorityChannelKeyAccepted),
              "true|false|false|false|false");
}

TEST(ScanInfo, CommitsStayInsideTheScanRecord) {
    Image image = Blank();
    image[22].fill(0x11);
    Image expected = image;
    expected[213] = {1, 5, 91, 4, 2, 43, 1, 2, 1, 255, 255, 255, 255, 255, 255, 255};
    CommitPriorityMode(image, 1);
    (void)CommitPriorityChannel(image, "5");
    CommitLookBack(image, 2, 90);  // look-back A and B in bytes 2 and 3
    CommitLookBack(image, 3, 3);
    CommitRevert(image, 2);
    CommitScanSeconds(image, 5, 299);  // dropout delay in bytes 5..6, TX dwell in 7..8
    CommitScanSeconds(image, 7, 258);
    EXPECT_EQ(image, expected);
    const ScanView v = RefreshScan(image);  // and each shows as committed
    EXPECT_EQ(std::tie(v.priorityChannel, v.lookBackA, v.lookBackB, v.revert, v.dropout, v.txDwell),
              std::make_tuple(std::string("5"), 90, 3, 2, 299, 258));
}

TEST(FmPresets, EveryByteShowsAndEveryStepStoresBackUnchanged) {
    for (int n = 0; n <= 255; ++n) {
        const std::string text = FmCellText(static_cast<std::uint8_t>(n));
        if (n > 210) {  // 108.0 MHz
            EXPECT_EQ(text, "") << n;
            continue;
        }
        // One decimal, naming 87.0 + 0.1 n.
        ASSERT_EQ(text.find('.'), text.size() - 2) << n << " " << text;
        EXPECT_NEAR(LeadingNumber(text), 87 + 0.1 * n, 1e-9) << n;
        EXPECT_EQ(FmStepOfText(text), n) << text;
        // Committing the shown text as if typed keeps it and stores the same step.
        const FmCommit commit = CommitFmEdit(text);
        EXPECT_FALSE(commit.message) << text;
        EXPECT_EQ(commit.cellText, text);
    }
    EXPECT_EQ(Each({0, 3, 130, 210}, [](int n) { return FmCellText(std::uint8_t(n)); }),
              "87.0|87.3|100.0|108.0");
    // Storing counts whole tenths.
    EXPECT_EQ(Each({"87.15", "87.1", "108.0", "108", "100.0", "87", "88.", "99.99", "87.09",
                    " 95.5 ", "", "   ", "86.9", "108.01", "120", "abc", "-90"},
                   [](const char* t) { return int(FmStepOfText(t)); }),
              "1|1|210|210|130|0|10|129|0|85|255|255|255|255|255|255|255");
}

TEST(FmPresets, PresetsSpreadOverRows154And155UnderTheGridHeaders) {
    Image image = Blank();
    image[155][9] = 0x33;  // beyond preset 24: not a preset
    std::array<std::string, kFmPresetCount> cells;
    for (int k = 0; k < kFmPresetCount; ++k)
        cells[k] = FmCellText(static_cast<std::uint8_t>(k * 8));
    cells[5] = "";
    StoreFmPresets(image, cells);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(image[154][k], k == 5 ? 255 : k * 8) << k;
    for (int k = 16; k < 25; ++k) EXPECT_EQ(image[155][k - 16], k * 8) << k;
    EXPECT_EQ(image[155][9], 0x33);
    EXPECT_EQ(FmGridTexts(image), cells);
    // Out of range a typed text gives the message and the lower edge (step 0).
    EXPECT_EQ(Each({"100", "88", "88.", "87.15", "120", "50", "", "  ", "x"},
                   [](const char* t) {
                       const FmCommit c = CommitFmEdit(t);
                       return c.cellText + (c.message ? "!" : "");
                   }),
              "100.0|88.0|88.0|87.15|87!|87!|||87!");
    EXPECT_EQ(CommitFmEdit("x").message, (Prompt{"Over the range of FM frequency .",
                                                 "收音机频率超出范围 ！",
                                                 {"Operate prompt", "操作提示"}}));
    EXPECT_EQ(FmGridHeaders(false),
              (std::array<std::string, 2>{"Radio Channel ", " Frequency (MHZ)"}));
    EXPECT_EQ(FmGridHeaders(true),
              (std::array<std::string, 2>{"收  音  频  道 ", "    频      率  (MHZ) "}));
}

}  // namespace
}  // namespace zt
