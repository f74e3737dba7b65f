#include "model/tone_codec.h"

#include <gtest/gtest.h>

#include "model/number_text.h"

namespace zt {
namespace {

TEST(ToneList, TextsWithTheirExactBlanks) {
    const auto list = MakeToneList();
    EXPECT_EQ(list[0], "   OFF      ");
    EXPECT_EQ(list[1], "   67.0    ");
    EXPECT_EQ(list[9], "   88.5    ");
    EXPECT_EQ(list[10], "  91.5    ");
    EXPECT_EQ(list[12], "  97.4    ");
    EXPECT_EQ(list[13], "  100.0   ");
    EXPECT_EQ(list[50], "  254.1   ");
    EXPECT_EQ(list[51], "  D017N   ");
    EXPECT_EQ(list[52], "  D023N   ");
    EXPECT_EQ(list[101], "  D266N   ");
    EXPECT_EQ(list[102], " D271N   ");
    EXPECT_EQ(list[157], " D754N   ");
    EXPECT_EQ(list[158], "D017I");
    EXPECT_EQ(list[159], "D023I");
    EXPECT_EQ(list[264], "D754I");
    for (int p = 265; p <= 300; ++p) EXPECT_TRUE(list[static_cast<std::size_t>(p)].empty());
    // Each inverted code is its normal twin with I for N.
    for (int p = 51; p <= 157; ++p) {
        std::string normal(TrimBlanks(list[static_cast<std::size_t>(p)]));
        normal.back() = 'I';
        EXPECT_EQ(list[static_cast<std::size_t>(p + 107)], normal);
    }
}

TEST(ToneToBytes, EveryPositionAndGroupEdge) {
    EXPECT_EQ(ToneToBytes(0), (TonePair{255, 255}));
    EXPECT_EQ(ToneToBytes(1), (TonePair{0, 0}));
    EXPECT_EQ(ToneToBytes(50), (TonePair{0, 49}));
    EXPECT_EQ(ToneToBytes(51), (TonePair{1, 0}));
    EXPECT_EQ(ToneToBytes(157), (TonePair{1, 106}));
    EXPECT_EQ(ToneToBytes(158), (TonePair{2, 0}));
    EXPECT_EQ(ToneToBytes(264), (TonePair{2, 106}));
    // Both display rules give every position back from its bytes.
    for (int p = 0; p <= kToneDcsIEnd; ++p) {
        const TonePair pair = ToneToBytes(p);
        EXPECT_EQ(BytesToTone(pair.type, pair.index), p) << p;
        EXPECT_EQ(ToneToListIndex(pair.type, pair.index), p) << p;
    }
}

TEST(ToneDisplay, TheTwoRulesDifferOnlyWhereDocumented) {
    const struct {
        int type, index;
        std::optional<int> option, channel;
    } cases[] = {
        {0, 255, 0, 50},  // off in the option window, last CTCSS tone in the channel editors
        {255, 0, 0, 0},     {255, 7, 0, 0},   {0, 60, 50, 50}, {1, 200, 157, 157},
        {2, 200, 264, 264}, {2, 0, 158, 158}, {9, 255, 0, 0},  {9, 3, std::nullopt, std::nullopt},
        {1, 255, 0, 157},
    };
    for (const auto& c : cases) {
        const auto t = static_cast<std::uint8_t>(c.type);
        const auto n = static_cast<std::uint8_t>(c.index);
        EXPECT_EQ(BytesToTone(t, n), c.option) << c.type << "," << c.index;
        EXPECT_EQ(ToneToListIndex(t, n), c.channel) << c.type << "," << c.index;
    }
}

TEST(ToneDisplay, EveryStoredPairLandsInsideItsGroup) {
    for (int t = 0; t < 256; ++t) {
        for (int n = 0; n < 256; ++n) {
            const auto p =
                ToneToListIndex(static_cast<std::uint8_t>(t), static_cast<std::uint8_t>(n));
            if (!p) continue;
            const int lo = t == 0 ? 1 : t == 1 ? 51 : t == 2 ? 158 : 0;
            const int hi = t == 0 ? 50 : t == 1 ? 157 : t == 2 ? 264 : 0;
            EXPECT_GE(*p, lo);
            EXPECT_LE(*p, hi);
        }
    }
}

}  // namespace
}  // namespace zt
