#include "model/key_assign.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

Image KeyImage(std::uint8_t pf1, std::uint8_t pf2) {
    Image image{};
    for (auto& row : image) row.fill(255);
    image[kKeyRecordRow][kKeyPf1Byte] = pf1;
    image[kKeyRecordRow][kKeyPf2Byte] = pf2;
    return image;
}

TEST(KeyAssign, EveryStoredCodeShowsItsListPosition) {
    for (int code = 0; code <= 255; ++code) {
        int expected = code;
        if (code == 0 || code == 1) expected = 1;  // both read as Autodial
        if (code > 11) expected = 0;               // beyond the list: None
        EXPECT_EQ(KeyPositionOfCode(static_cast<std::uint8_t>(code)), expected) << code;
    }
}

TEST(KeyAssign, EveryPositionStoresItsCodeAndReadsBack) {
    const std::uint8_t codes[] = {255, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int p = 0; p < 12; ++p) {
        EXPECT_EQ(KeyCodeOfPosition(p), codes[p]) << p;
        EXPECT_EQ(KeyPositionOfCode(KeyCodeOfPosition(p)), p) << p;
    }
}

TEST(KeyAssign, RefreshReadsTheKeyRecordRow) {
    const Image blank = KeyImage(255, 255);
    EXPECT_EQ(RefreshKeys(blank).pf1, 0);
    EXPECT_EQ(RefreshKeys(blank).pf2, 0);
    const KeyView v = RefreshKeys(KeyImage(12, 6));
    EXPECT_EQ(v.pf1, 0);
    EXPECT_EQ(v.pf2, 6);
}

TEST(KeyAssign, ChoosingOneKeyRewritesBothAndTouchesNothingElse) {
    Image image = KeyImage(255, 1);
    image[17].fill(0x42);  // a channel record next door stays as it is
    const Image before = image;
    const KeyView shown = RefreshKeys(image);
    CommitKeys(image, 6, shown.pf2);  // PF1 := Scan; PF2 keeps what it shows
    EXPECT_EQ(image[kKeyRecordRow][kKeyPf1Byte], 6);
    EXPECT_EQ(image[kKeyRecordRow][kKeyPf2Byte], 0);  // the 1 becomes Autodial's 0
    for (int r = 0; r < kImageRows; ++r) {
        for (int b = 0; b < kRowBytes; ++b) {
            if (r == kKeyRecordRow && b < 2) continue;
            EXPECT_EQ(image[r][b], before[r][b]) << r << "," << b;
        }
    }
}

TEST(KeyAssign, ListWithoutSelectionLeavesItsByte) {
    Image image = KeyImage(7, 9);
    CommitKeys(image, -1, 1);
    EXPECT_EQ(image[kKeyRecordRow][kKeyPf1Byte], 7);
    EXPECT_EQ(image[kKeyRecordRow][kKeyPf2Byte], 0);
}

}  // namespace
}  // namespace zt
