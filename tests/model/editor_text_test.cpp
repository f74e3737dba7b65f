#include "model/editor_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

using namespace edit;

TEST(EditorText, LeadingNumberReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},         {"abc", 0},  {"462.0125", 462.0125}, {"  46.5", 46.5},
        {"88.", 88},     {".5", 0.5}, {"100abc", 100},        {"1.2.3", 1.2},
        {"-3", -3},      {"+7", 7},   {"1e2", 100},           {"1e", 1},
        {"7.5MHz", 7.5}, {".", 0},    {"12 34", 12},          {"0400", 400},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(EditorText, TrimCountAndShortestText) {
    EXPECT_EQ(TrimBlanks("  AB C  "), "AB C");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(CharCount("收音机"), 3);
    EXPECT_EQ(CharCount("87.15"), 5);
    EXPECT_EQ(ShortestNumberText(475), "475");
    EXPECT_EQ(ShortestNumberText(465 + 10.5), "475.5");
    EXPECT_EQ(ShortestNumberText(462.0125 - 10), "452.0125");
}

}  // namespace
}  // namespace zt
