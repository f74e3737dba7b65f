#include "model/scan_info.h"

#include <gtest/gtest.h>

#include "model/editor_text.h"
#include "model/number_text.h"

namespace zt {
namespace {

Image BlankScan() {
    Image image{};
    for (auto& row : image) row.fill(255);
    return image;
}

std::uint8_t& ScanByte(Image& image, int b) { return image[kScanRecordRow][b]; }

TEST(ScanInfo, LookBackListReadsFromPoint5To5Seconds) {
    const auto texts = LookBackTexts();
    ASSERT_EQ(texts.size(), 91u);
    EXPECT_EQ(texts[0], ".500");
    EXPECT_EQ(texts[1], ".550");
    EXPECT_EQ(texts[9], ".950");
    EXPECT_EQ(texts[10], "1.00");
    EXPECT_EQ(texts[11], "1.05");
    EXPECT_EQ(texts[12], "1.10");
    EXPECT_EQ(texts[89], "4.95");
    EXPECT_EQ(texts[90], "5.00");
    for (int p = 0; p < 91; ++p) {
        // Every item names its own time: 0.50 s + p * 0.05 s, four characters.
        EXPECT_EQ(texts[p].size(), 4u) << p;
        EXPECT_DOUBLE_EQ(LeadingNumber(texts[p]) * 100, 50 + 5 * p) << p;
    }
}

TEST(ScanInfo, LookBackShowsEveryByteValueAndCommitsBack) {
    for (int b = 0; b <= 255; ++b) {
        Image image = BlankScan();
        ScanByte(image, kScanLookBackAByte) = static_cast<std::uint8_t>(b);
        ScanByte(image, kScanLookBackBByte) = static_cast<std::uint8_t>(b);
        const ScanView v = RefreshScan(image);
        int expected = b > 91 ? 89 : (b > 0 ? b - 1 : 0);
        EXPECT_EQ(v.lookBackA, expected) << b;
        EXPECT_EQ(v.lookBackB, expected) << b;
        // The refresh leaves the byte alone.
        EXPECT_EQ(ScanByte(image, kScanLookBackAByte), b);
    }
    Image image = BlankScan();
    CommitLookBack(image, kScanLookBackAByte, 1);
    EXPECT_EQ(ScanByte(image, kScanLookBackAByte), 2);  // .550 writes 2
    CommitLookBack(image, kScanLookBackAByte, 0);
    EXPECT_EQ(ScanByte(image, kScanLookBackAByte), 0);  // .500 writes 0
    for (int p = 0; p < 91; ++p) {
        CommitLookBack(image, kScanLookBackBByte, p);
        EXPECT_EQ(RefreshScan(image).lookBackB, p) << p;
    }
}

TEST(ScanInfo, SecondsListsShowClampedAndStoreLittleEndian) {
    Image image = BlankScan();
    ScanByte(image, 5) = 0x2C;
    ScanByte(image, 6) = 0x01;
    EXPECT_EQ(RefreshScan(image).dropout, 300);
    EXPECT_EQ(RefreshScan(image).txDwell, 300);  // FF FF
    for (int s = 0; s <= 300; ++s) {
        CommitScanSeconds(image, kScanTxDwellByte, s);
        EXPECT_EQ(ScanByte(image, 7), s % 256);
        EXPECT_EQ(ScanByte(image, 8), s / 256);
        EXPECT_EQ(RefreshScan(image).txDwell, s);
    }
    EXPECT_EQ(ScanSecondsTexts().size(), 301u);
    EXPECT_EQ(ScanSecondsTexts()[300], "300");
}

TEST(ScanInfo, RevertListsFollowThePriorityMode) {
    struct Case {
        int mode;
        std::vector<int> choices;
        bool channelEnabled;
        bool lookBackEnabled;
    };
    const Case cases[] = {
        {0, {0, 1}, false, false},
        {1, {0, 1, 2, 3}, true, true},
        {2, {2, 3}, false, true},
        {200, {2, 3}, false, true},  // a mode beyond the list shows as the last
    };
    for (const auto& c : cases) {
        Image image = BlankScan();
        ScanByte(image, 0) = static_cast<std::uint8_t>(c.mode);
        ScanByte(image, 1) = 7;
        const ScanView v = RefreshScan(image);
        EXPECT_EQ(v.revertChoices, c.choices) << c.mode;
        EXPECT_EQ(v.priorityChannelEnabled, c.channelEnabled) << c.mode;
        EXPECT_EQ(v.lookBackEnabled, c.lookBackEnabled) << c.mode;
        EXPECT_EQ(v.priorityChannel, c.channelEnabled ? "7" : "") << c.mode;
    }
}

TEST(ScanInfo, RevertPositionAndByteForEachMode) {
    struct Case {
        int mode, byte, position;
    };
    const Case shown[] = {{0, 0, 0}, {0, 1, 1}, {0, 3, 1}, {1, 3, 3}, {1, 200, 3},
                          {2, 2, 0}, {2, 3, 1}, {2, 0, 0}, {2, 1, 1}, {2, 255, 1}};
    for (const auto& c : shown) {
        Image image = BlankScan();
        ScanByte(image, 0) = static_cast<std::uint8_t>(c.mode);
        ScanByte(image, 4) = static_cast<std::uint8_t>(c.byte);
        EXPECT_EQ(RefreshScan(image).revert, c.position) << c.mode << "/" << c.byte;
    }
    Image image = BlankScan();
    ScanByte(image, 0) = 2;
    CommitRevert(image, 1);
    EXPECT_EQ(ScanByte(image, 4), 3);  // "Priority+Talk Back"
    ScanByte(image, 0) = 1;
    CommitRevert(image, 1);
    EXPECT_EQ(ScanByte(image, 4), 1);
}

TEST(ScanInfo, ChangingTheModeStoresTheRevertChoiceItShows) {
    Image image = BlankScan();
    CommitPriorityMode(image, 1);
    CommitRevert(image, 3);  // Priority+Talk Back
    CommitPriorityMode(image, 0);
    EXPECT_EQ(ScanByte(image, 0), 0);
    EXPECT_EQ(ScanByte(image, 4), 1);  // the last of the two choices of mode none
    CommitPriorityMode(image, 2);
    EXPECT_EQ(ScanByte(image, 4), 3);  // shows position 1 of {Priority, Priority+TB}
    CommitPriorityMode(image, 1);
    EXPECT_EQ(ScanByte(image, 4), 3);
    CommitRevert(image, 0);
    CommitPriorityMode(image, 2);
    EXPECT_EQ(ScanByte(image, 4), 2);  // Selected is not offered: first Priority item
}

TEST(ScanInfo, PriorityChannelStoresOnlyInFixedModeAndOnly1To16) {
    Image image = BlankScan();
    ScanByte(image, 0) = 1;
    EXPECT_FALSE(CommitPriorityChannel(image, "1"));
    EXPECT_EQ(ScanByte(image, 1), 1);
    EXPECT_FALSE(CommitPriorityChannel(image, "16"));
    EXPECT_EQ(ScanByte(image, 1), 16);
    for (const char* bad : {"17", "0", "", "99"}) {
        const auto prompt = CommitPriorityChannel(image, bad);
        ASSERT_TRUE(prompt) << bad;
        EXPECT_EQ(prompt->english, "Priority channel must be between 1 and 16.");
        EXPECT_EQ(prompt->chinese, "优先信道号在 1 - 16 之间 ！");
        EXPECT_EQ(prompt->title.english, "Operate prompt");
        EXPECT_EQ(ScanByte(image, 1), 16) << bad;
    }
    ScanByte(image, 0) = 2;  // selected mode: the box is off and nothing is stored
    EXPECT_FALSE(CommitPriorityChannel(image, "99"));
    EXPECT_FALSE(CommitPriorityChannel(image, "3"));
    EXPECT_EQ(ScanByte(image, 1), 16);
}

TEST(ScanInfo, PriorityChannelKeyFilter) {
    EXPECT_TRUE(PriorityChannelKeyAccepted("", U'1'));
    EXPECT_TRUE(PriorityChannelKeyAccepted("1", U'7'));
    EXPECT_FALSE(PriorityChannelKeyAccepted("17", U'1'));
    EXPECT_FALSE(PriorityChannelKeyAccepted("1", kKeyBackspace));
    EXPECT_FALSE(PriorityChannelKeyAccepted("", U'a'));
    EXPECT_FALSE(PriorityChannelKeyAccepted("", U'.'));
}

TEST(ScanInfo, CommitsStayInsideTheScanRecord) {
    Image image = BlankScan();
    image[22].fill(0x11);
    const Image before = image;
    CommitPriorityMode(image, 1);
    (void)CommitPriorityChannel(image, "5");
    CommitLookBack(image, kScanLookBackAByte, 90);
    CommitLookBack(image, kScanLookBackBByte, 3);
    CommitRevert(image, 2);
    CommitScanSeconds(image, kScanDropoutByte, 299);
    CommitScanSeconds(image, kScanTxDwellByte, 17);
    const std::uint8_t expected[9] = {1, 5, 91, 4, 2, 43, 1, 17, 0};
    for (int r = 0; r < kImageRows; ++r) {
        for (int b = 0; b < kRowBytes; ++b) {
            if (r == kScanRecordRow && b < 9)
                EXPECT_EQ(image[r][b], expected[b]) << b;
            else
                EXPECT_EQ(image[r][b], before[r][b]) << r << "," << b;
        }
    }
}

}  // namespace
}  // namespace zt
