#include "model/fm_presets.h"

#include <gtest/gtest.h>

#include "model/number_text.h"
#include "table.h"

namespace zt {
namespace {

TEST(FmPresets, EveryByteShowsAndEveryStepStoresBackUnchanged) {
    for (int n = 0; n <= 255; ++n) {
        const std::string text = FmCellText(static_cast<std::uint8_t>(n));
        if (n > kFmLastStep) {
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
    EXPECT_EQ(FmCellText(0), "87.0");
    EXPECT_EQ(FmCellText(3), "87.3");
    EXPECT_EQ(FmCellText(130), "100.0");
    EXPECT_EQ(FmCellText(210), "108.0");
}

TEST(FmPresets, StoreCountsWholeTenthsAndCommitOfAnEditedCell) {
    EXPECT_EQ(Each({"87.15", "87.1", "108.0", "108", "100.0", "87", "88.", "99.99", "87.09",
                    " 95.5 ", "", "   ", "86.9", "108.01", "120", "abc", "-90"},
                   [](const char* t) { return int(FmStepOfText(t)); }),
              "1|1|210|210|130|0|10|129|0|85|255|255|255|255|255|255|255");
}

TEST(FmPresets, PresetsSpreadOverRows154And155UnderTheGridHeaders) {
    Image image{};
    for (auto& row : image) row.fill(255);
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
    // A sixth character is too long.
    EXPECT_EQ(Each({"87.15", "87.155", ""}, FmEditTooLong), "false|true|false");
    EXPECT_EQ(FmGridHeaders(false),
              (std::array<std::string, 2>{"Radio Channel ", " Frequency (MHZ)"}));
    EXPECT_EQ(FmGridHeaders(true),
              (std::array<std::string, 2>{"收  音  频  道 ", "    频      率  (MHZ) "}));
}

}  // namespace
}  // namespace zt
