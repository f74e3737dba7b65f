#include "model/catalogue.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/startup.h"

namespace zt {
namespace {

TEST(BandEdge, EncodingBothWays) {
    const struct {
        int mhz;
        std::uint8_t low, high;
    } cases[] = {{136, 0x60, 0x13}, {470, 0x00, 0x47}, {400, 0x00, 0x40}, {0, 0, 0},
                 {999, 0x90, 0x99}, {601, 0x10, 0x60}, {100, 0x00, 0x10}};
    for (const auto& c : cases) {
        const auto bytes = EncodeBandEdge(c.mhz);
        EXPECT_EQ(bytes[0], c.low) << c.mhz;
        EXPECT_EQ(bytes[1], c.high) << c.mhz;
        EXPECT_EQ(DecodeBandEdge(c.low, c.high), c.mhz);
    }
    for (int mhz = 0; mhz <= 999; ++mhz) {
        const auto bytes = EncodeBandEdge(mhz);
        EXPECT_EQ(DecodeBandEdge(bytes[0], bytes[1]), mhz);
        EXPECT_EQ(bytes[0] & 15, 0);
    }
    EXPECT_EQ(DecodeBandEdge(0x65, 0x13), 136);  // 100 kHz digit ignored
    EXPECT_EQ(DecodeBandEdge(0x50, 0x13), 135);
}

TEST(BandEdge, RowReadAndWrite) {
    Image image = BlankImage();
    EXPECT_EQ(ReadBandEdges(image), (BandEdges{400, 470}));
    image[kBandEdgeRow][0] = 0x00;
    image[kBandEdgeRow][1] = 0x13;
    image[kBandEdgeRow][2] = 0x00;
    image[kBandEdgeRow][3] = 0x17;
    EXPECT_EQ(ReadBandEdges(image), (BandEdges{130, 170}));
    WriteBandEdges(image, {244, 247});
    EXPECT_EQ(image[kBandEdgeRow][0], 0x40);
    EXPECT_EQ(image[kBandEdgeRow][1], 0x24);
    EXPECT_EQ(image[kBandEdgeRow][2], 0x70);
    EXPECT_EQ(image[kBandEdgeRow][3], 0x24);
    EXPECT_EQ(image[kBandEdgeRow][4], 255);
}

TEST(InBand, UpperEdgeIsOutside) {
    EXPECT_TRUE(InBand(400, 400, 470));
    EXPECT_TRUE(InBand(469.99999, 400, 470));
    EXPECT_FALSE(InBand(470, 400, 470));
    EXPECT_FALSE(InBand(399.99999, 400, 470));
}

TEST(Catalogue, SevenEntriesWithTheirEdges) {
    AppState s;
    BuildCatalogue(s);
    EXPECT_EQ(s.ModelNames[0], "ZT790 C1.0 UHF");
    EXPECT_EQ(s.ModelNames[6], "MV4L FULL");
    const int lows[] = {400, 136, 136, 244, 350, 450, 100};
    const int highs[] = {470, 174, 175, 247, 391, 521, 601};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(s.BandLimits[static_cast<std::size_t>(i)], lows[i]);
        EXPECT_EQ(s.BandLimits[static_cast<std::size_t>(i + 7)], highs[i]);
    }
    EXPECT_EQ(s.BandLowMHz, 400);
    EXPECT_EQ(s.BandHighMHz, 470);
    EXPECT_EQ(BandName(0), "UHF");
    EXPECT_EQ(BandName(3), "VHF");
    EXPECT_EQ(ViceBandOf(0), 1);
    EXPECT_EQ(ViceBandOf(5), 0);
}

TEST(Catalogue, SelectingAnEntrySetsEdgesAndRow153) {
    AppState s;
    StartUp(s);
    SelectModel(s, 6);
    EXPECT_EQ(s.ModelIndex, 6);
    EXPECT_EQ(s.BandLowMHz, 100);
    EXPECT_EQ(s.BandHighMHz, 601);
    EXPECT_EQ(ReadBandEdges(s.ChannelTable), (BandEdges{100, 601}));
    SelectModel(s, 3);
    RecomputeBandEdges(s);
    EXPECT_EQ(s.BandLowMHz, 244);
    EXPECT_EQ(s.BandHighMHz, 247);
    EXPECT_THROW(SelectModel(s, 7), std::out_of_range);
}

TEST(Catalogue, StatusBarBandText) { EXPECT_EQ(BandPanelText(400, 470), " 400-- 470 MHZ"); }

}  // namespace
}  // namespace zt
