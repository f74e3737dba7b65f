#include "model/fm_presets.h"

#include <gtest/gtest.h>

#include "model/number_text.h"

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

TEST(FmPresets, StoreCountsWholeTenthsOnTheTypedDigits) {
    const struct {
        const char* text;
        int step;
    } cases[] = {{"87.15", 1}, {"87.1", 1},  {"108.0", 210}, {"108", 210},    {"100.0", 130},
                 {"87", 0},    {"88.", 10},  {"99.99", 129}, {"87.09", 0},    {" 95.5 ", 85},
                 {"", 255},    {"   ", 255}, {"86.9", 255},  {"108.01", 255}, {"120", 255},
                 {"abc", 255}, {"-90", 255}};
    for (const auto& c : cases) EXPECT_EQ(FmStepOfText(c.text), c.step) << c.text;
}

TEST(FmPresets, PresetsSpreadOverRows154And155) {
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
}

TEST(FmPresets, CommitOfAnEditedCell) {
    const struct {
        const char* typed;
        const char* cell;
        bool message;
    } cases[] = {{"100", "100.0", false},   {"88", "88.0", false}, {"88.", "88.0", false},
                 {"87.15", "87.15", false}, {"120", "87", true},   {"50", "87", true},
                 {"", "", false},           {"  ", "", false},     {"x", "87", true}};
    for (const auto& c : cases) {
        const FmCommit commit = CommitFmEdit(c.typed);
        EXPECT_EQ(commit.cellText, c.cell) << c.typed;
        ASSERT_EQ(commit.message.has_value(), c.message) << c.typed;
        if (c.message) {
            EXPECT_EQ(commit.message->english, "Over the range of FM frequency .");
            EXPECT_EQ(commit.message->chinese, "收音机频率超出范围 ！");
            EXPECT_EQ(commit.message->title.english, "Operate prompt");
        }
    }
    // An out-of-range entry becomes the lower edge, which stores as step 0.
    EXPECT_EQ(FmStepOfText(CommitFmEdit("120").cellText), 0);
    // A sixth character is too long.
    EXPECT_FALSE(FmEditTooLong("87.15"));
    EXPECT_TRUE(FmEditTooLong("87.155"));
    EXPECT_FALSE(FmEditTooLong(""));
}

TEST(FmPresets, GridHeadersInBothLanguages) {
    EXPECT_EQ(FmGridHeaders(false),
              (std::array<std::string, 2>{"Radio Channel ", " Frequency (MHZ)"}));
    EXPECT_EQ(FmGridHeaders(true),
              (std::array<std::string, 2>{"收  音  频  道 ", "    频      率  (MHZ) "}));
}

}  // namespace
}  // namespace zt
