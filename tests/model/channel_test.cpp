#include "model/channel.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/freq_codec.h"

namespace zt {
namespace {

class ChannelRecord : public ::testing::Test {
  protected:
    Image image = BlankImage();

    void Use(int c, const char* rx) {
        StoreRxText(image, c, rx);
        for (int b = 4; b < 8; ++b)
            image[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)] = 0;
        ApplyGridDefaults(image, c);
    }
    std::array<int, 4> OffsetBytes(int c) const {
        const auto& r = image[static_cast<std::size_t>(c)];
        return {r[4], r[5], r[6], r[7]};
    }
};

TEST_F(ChannelRecord, EmptyMeansByteZeroOnly) {
    EXPECT_TRUE(IsChannelEmpty(image, 1));
    image[1].fill(0);
    image[1][0] = 255;
    EXPECT_TRUE(IsChannelEmpty(image, 1));
    image[1][0] = 0;
    EXPECT_FALSE(IsChannelEmpty(image, 1));
    ClearChannel(image, 1);
    for (const auto b : image[1]) EXPECT_EQ(b, 255);
    EXPECT_THROW((void)IsChannelEmpty(image, 0), std::out_of_range);
    EXPECT_THROW((void)IsChannelEmpty(image, 129), std::out_of_range);
}

TEST_F(ChannelRecord, GridAndDialogDefaults) {
    image[5].fill(7);
    WriteName(image, 5, "AB");
    ApplyGridDefaults(image, 5);
    const std::array<int, 16> grid{7, 7, 7, 7, 7, 7, 7, 7, 255, 255, 255, 255, 2, 32, 255, 255};
    for (std::size_t b = 0; b < 16; ++b) EXPECT_EQ(image[5][b], grid[b]) << b;
    EXPECT_EQ(ReadName(image, 5), "AB");

    image[5].fill(7);
    ApplyDialogDefaults(image, 5);
    const std::array<int, 16> dialog{7, 7, 7, 7, 0, 0, 0, 0, 255, 255, 255, 255, 6, 0, 255, 255};
    for (std::size_t b = 0; b < 16; ++b) EXPECT_EQ(image[5][b], dialog[b]) << b;
    EXPECT_EQ(ReadName(image, 5), "");
}

TEST_F(ChannelRecord, TransmitFrequencyAsOffsetAndDirection) {
    Use(1, "146.52");
    StoreTxMHz(image, 1, 146.52);
    EXPECT_EQ(OffsetBytes(1), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(image[1][12] & 0xC0, 0);

    StoreTxMHz(image, 1, 146.00);
    EXPECT_EQ(OffsetBytes(1), (std::array<int, 4>{0x00, 0x20, 0x05, 0x00}));
    EXPECT_EQ(image[1][12] & 0xC0, 0x80);
    EXPECT_EQ(TxText(image, 1), "146.00000");
    EXPECT_NEAR(GetTxMHz(image, 1), 146.0, 1e-9);

    StoreTxMHz(image, 1, 151.52);
    EXPECT_EQ(OffsetBytes(1), (std::array<int, 4>{0, 0, 0x50, 0}));
    EXPECT_EQ(image[1][12] & 0xC0, 0x40);
    EXPECT_EQ(TxText(image, 1), "151.52000");
    EXPECT_EQ(image[1][12] & 0x3F, 2);  // power, scan and unused bits kept

    // Compared after packing: digits below 10 Hz do not make an offset.
    StoreTxMHz(image, 1, 146.520004);
    EXPECT_EQ(OffsetBytes(1), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(image[1][12] & 0xC0, 0);
}

TEST_F(ChannelRecord, OffsetIsExactOverEveryTenHertzOfAMegahertz) {
    Use(2, "446.00000");
    for (int u = 0; u < 100000; u += 7) {
        const double tx = 446.0 - u / 100000.0;
        StoreTxMHz(image, 2, tx);
        ASSERT_EQ(BcdToUnits(image, 2, 4), u) << tx;
        ASSERT_EQ(OffsetDirection(image, 2), u == 0 ? 0 : 2);
    }
}

TEST_F(ChannelRecord, DirectionThreeReadsAsSimplex) {
    Use(3, "446.1");
    StoreTxMHz(image, 3, 450.1);
    image[3][12] = 0xC2;
    EXPECT_EQ(OffsetDirection(image, 3), 0);
    EXPECT_EQ(GetTxMHz(image, 3), GetRxMHz(image, 3));
    EXPECT_EQ(TxText(image, 3), "446.10000");
}

TEST_F(ChannelRecord, PowerWideAndFlagsKeepOtherBits) {
    Use(4, "446");
    image[4][12] = 0x46;
    SetPower(image, 4, 1);
    EXPECT_EQ(image[4][12], 0x45);
    image[4][13] = 0x0F;
    SetWide(image, 4, true);
    EXPECT_EQ(image[4][13], 0x2F);
    SetFlag(image, 4, kFlags2Byte, kBclBit, true);
    SetFlag(image, 4, kFlags2Byte, kVoxBit, true);
    SetFlag(image, 4, kFlags2Byte, kWideBit, false);
    EXPECT_EQ(image[4][13], 0xCF);
    SetFlag(image, 4, kFlags1Byte, kScanSkipBit, true);
    EXPECT_EQ(image[4][12], 0x45);  // already set
    SetFlag(image, 4, kFlags1Byte, kScanSkipBit, false);
    EXPECT_EQ(image[4][12], 0x41);
    EXPECT_TRUE(GetFlag(image, 4, kFlags2Byte, kBclBit));
    EXPECT_THROW(SetFlag(image, 4, 11, 1, true), std::out_of_range);
}

TEST_F(ChannelRecord, TonesStoredAsPairs) {
    Use(6, "446");
    SetRxTone(image, 6, 158);
    SetTxTone(image, 6, 50);
    EXPECT_EQ(RxTone(image, 6), (TonePair{2, 0}));
    EXPECT_EQ(TxTone(image, 6), (TonePair{0, 49}));
    SetRxTone(image, 6, 0);
    EXPECT_EQ(RxTone(image, 6), (TonePair{255, 255}));
}

TEST_F(ChannelRecord, NamesInTheFlatNameArea) {
    WriteName(image, 1, "AB");
    EXPECT_EQ(image[160][0], 12);
    EXPECT_EQ(image[160][1], 13);
    for (int f = 2; f < 5; ++f) EXPECT_EQ(image[160][static_cast<std::size_t>(f)], 255);
    EXPECT_EQ(ReadName(image, 1), "AB");

    WriteName(image, 2, "abcdef");
    EXPECT_EQ(ReadName(image, 2), "ABCDE");
    WriteName(image, 2, "  X  ");
    EXPECT_EQ(ReadName(image, 2), "X");
    EXPECT_EQ(image[160][5], 35);
    EXPECT_EQ(image[160][6], 255);

    WriteName(image, 4, "a#b");  // channel 4 spans rows 160 and 161
    EXPECT_EQ(image[160][15], 12);
    EXPECT_EQ(image[161][0], 11);
    EXPECT_EQ(ReadName(image, 4), "A B");

    WriteName(image, 128, "LAST1");
    EXPECT_EQ(image[199][11], 23);
    EXPECT_EQ(image[199][15], 1);
    EXPECT_EQ(ReadName(image, 128), "LAST1");
    EXPECT_EQ(ReadName(image, 1), "AB");  // neighbours untouched

    image[160][0] = 255;  // a gap shows nothing
    EXPECT_EQ(ReadName(image, 1), "B");
    WriteName(image, 1, "   ");
    EXPECT_EQ(ReadName(image, 1), "");
}

}  // namespace
}  // namespace zt
