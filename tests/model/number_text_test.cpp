#include "model/number_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(LeadingNumber, ReadsTheLeadingDecimalNumberOnly) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"146.5abc", 146.5},
        {"", 0},
        {"abc", 0},
        {"  446", 446},
        {"446.", 446},
        {".5", 0.5},
        {"-12.5", -12.5},
        {"+3", 3},
        {"4.6e2", 4.6},
        {"1.2.3", 1.2},
        {"462.0125", 462.0125},
        {".", 0},
        {"-", 0},
        {"12 34", 12},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(ShortestNumberText, FifteenSignificantDigitsFixedNotation) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {462.0125, "462.0125"},
        {462, "462"},
        {0.5, ".5"},
        {-0.25, "-.25"},
        {0.00001, ".00001"},
        {146.52 - 146.0, ".52000000000001"},  // the binary error shows at 15 digits
        {1666.66665, "1666.66665"},
        {1e20, "100000000000000000000"},
        {1.0 / 3.0, ".333333333333333"},
        {87 + 0.1 * 3, "87.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortestNumberText(c.value), c.text) << c.value;
}

TEST(PlainNumberText, LeadingBlankOnlyForNonNegative) {
    EXPECT_EQ(PlainNumberText(400), " 400");
    EXPECT_EQ(PlainNumberText(0.5), " .5");
    EXPECT_EQ(PlainNumberText(-3), "-3");
    EXPECT_EQ(PlainNumberText(0), " 0");
}

TEST(TrimBlanks, RemovesSpacesAtBothEndsOnly) {
    EXPECT_EQ(TrimBlanks("  X  "), "X");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
}

}  // namespace
}  // namespace zt
