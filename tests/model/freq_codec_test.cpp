#include "model/freq_codec.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/number_text.h"

namespace zt {
namespace {

TEST(TextToBcd, DocumentedAndBoundaryValues) {
    const struct {
        const char* text;
        BcdFreq bcd;
    } cases[] = {
        {"462.0125", {0x46, 0x20, 0x12, 0x50}},
        {"400.625", {0x40, 0x06, 0x25, 0x00}},
        {"145.123456", {0x14, 0x51, 0x23, 0x45}},  // below 10 Hz cut off
        {"145.123459", {0x14, 0x51, 0x23, 0x45}},  // never carried upward
        {"0", {0, 0, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"470", {0x47, 0x00, 0x00, 0x00}},
        {"469.99999", {0x46, 0x99, 0x99, 0x99}},
        {"446.00000", {0x44, 0x60, 0x00, 0x00}},
        {"46.500000", {0x04, 0x65, 0x00, 0x00}},
        {"999.99999", {0x99, 0x99, 0x99, 0x99}},
        {"0.00001", {0, 0, 0, 0x01}},
        {"146.52abc", {0x14, 0x65, 0x20, 0x00}},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToBcd(c.text), c.bcd) << c.text;
}

TEST(TextToBcd, ValuesOutsideTheCodecAreClampedNotWrapped) {
    EXPECT_EQ(TextToBcd("-5"), (BcdFreq{0, 0, 0, 0}));
    const BcdFreq big = TextToBcd("99999999");
    EXPECT_EQ(big[0] >> 4, 15);
}

TEST(BcdToText, DocumentedAndBoundaryValues) {
    const struct {
        std::uint8_t b0, b1, b2, b3;
        const char* text;
    } cases[] = {
        {0x50, 0x12, 0x20, 0x46, "462.01250"}, {0, 0, 0, 0, "0.00000"},
        {0x00, 0x50, 0x12, 0x00, "1.25000"},   {255, 255, 255, 255, "1666.66665"},
        {0x00, 0x00, 0x00, 0x46, "460.00000"}, {0x01, 0x00, 0x00, 0x00, "0.00001"},
        {0x00, 0x00, 0x05, 0x00, "0.50000"},   {0x00, 0x00, 0x00, 0x01, "10.00000"},
        {0x00, 0x00, 0x50, 0x00, "5.00000"},   {0x00, 0x00, 0x00, 0xA0, "1000."},
        {0x45, 0x23, 0x51, 0x14, "145.12345"}, {0x99, 0x99, 0x99, 0x46, "469.99999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BcdToText(c.b0, c.b1, c.b2, c.b3), c.text) << c.text;
    }
}

// Every byte value in every position: the text names exactly the value the
// nibbles weigh (nibbles above 9 included), to 10 Hz.
TEST(BcdToText, EveryByteValueInEveryPosition) {
    for (int pos = 0; pos < 4; ++pos) {
        for (int v = 0; v < 256; ++v) {
            Image image{};
            image[1][static_cast<std::size_t>(pos)] = static_cast<std::uint8_t>(v);
            const std::string text = BcdToText(image, 1, 0);
            const double units = static_cast<double>(BcdToUnits(image, 1, 0));
            EXPECT_NEAR(LeadingNumber(text) * 1e5, units, 1e-6) << pos << " " << v << " " << text;
            if (units < 100000000) {  // "1000." and above have no padding rule
                EXPECT_GE(text.size(), 7u) << text;
            }
        }
    }
}

// Packing the text of a packed frequency gives the same bytes back, for every
// 10 Hz value of one whole MHz and for every 12.5 kHz step of the codec's range.
TEST(FreqCodec, RoundTripOverWholeDomains) {
    auto roundTrip = [](std::int64_t units) {
        const BcdFreq bcd = UnitsToBcd(units);
        Image image{};
        StoreBcd(image, 0, 4, bcd);
        const std::string text = BcdToText(image, 0, 4);
        return TextToBcd(text) == bcd && BcdToUnits(image, 0, 4) == units;
    };
    for (std::int64_t u = 14600000; u < 14700000; ++u) ASSERT_TRUE(roundTrip(u)) << u;
    for (std::int64_t u = 0; u < 100000000; u += 1250) ASSERT_TRUE(roundTrip(u)) << u;
    for (std::int64_t u = 0; u < 100000000; u += 99991) ASSERT_TRUE(roundTrip(u)) << u;
}

TEST(StoreFreqText, PadsStoresLeastSignificantFirstAndReturnsPadded) {
    Image image{};
    EXPECT_EQ(StoreFreqText(image, "446", 3, 0), "446.00000");
    EXPECT_EQ(image[3][0], 0x00);
    EXPECT_EQ(image[3][1], 0x00);
    EXPECT_EQ(image[3][2], 0x60);
    EXPECT_EQ(image[3][3], 0x44);
    EXPECT_EQ(BcdToText(image, 3, 0), "446.00000");

    EXPECT_EQ(StoreFreqText(image, " 46.5 ", 3, 4), "46.500000");
    EXPECT_EQ(BcdToText(image, 3, 4), "46.50000");
    EXPECT_EQ(StoreFreqText(image, "5", 3, 4), "5.0000000");
    EXPECT_EQ(StoreFreqText(image, "145.123456", 3, 4), "145.123456");
    EXPECT_EQ(BcdToText(image, 3, 4), "145.12345");
}

TEST(PadFreqText, PointOnlyForOneToThreeCharacters) {
    EXPECT_EQ(PadFreqText("46"), "46.000000");
    EXPECT_EQ(PadFreqText("446."), "446.00000");
    EXPECT_EQ(PadFreqText("4465"), "446500000");
    EXPECT_EQ(PadFreqText(""), "000000000");
    EXPECT_EQ(PadFreqText("146.525001"), "146.525001");
}

TEST(FmPresetText, EveryStepShowsOneDecimal) {
    EXPECT_EQ(FmPresetText(0), "87.0");
    EXPECT_EQ(FmPresetText(3), "87.3");
    EXPECT_EQ(FmPresetText(130), "100.0");
    EXPECT_EQ(FmPresetText(210), "108.0");
    for (int n = 0; n <= 210; ++n) {
        const std::string text = FmPresetText(n);
        const auto point = text.find('.');
        ASSERT_NE(point, std::string::npos) << n;
        EXPECT_EQ(text.size() - point, 2u) << n << " " << text;
        EXPECT_NEAR(LeadingNumber(text), 87 + 0.1 * n, 1e-9) << n;
    }
}

}  // namespace
}  // namespace zt
