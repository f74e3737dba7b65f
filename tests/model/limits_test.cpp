#include "model/limits.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/freq_codec.h"
#include "model/startup.h"

namespace zt {
namespace {

// A record with receive frequency, offset and the raw byte 12.
void SetRecord(Image& image, int row, const char* rx, const char* offset, std::uint8_t flags1) {
    (void)StoreFreqText(image, rx, row, 0);
    (void)StoreFreqText(image, offset, row, 4);
    image[static_cast<std::size_t>(row)][12] = flags1;
}

TEST(TxOf, Directions) {
    EXPECT_EQ(TxOf(465, 10, 0), 465);
    EXPECT_EQ(TxOf(465, 10, 1), 475);
    EXPECT_EQ(TxOf(465, 10, 2), 455);
    EXPECT_EQ(TxOf(465, 10, 3), 465);
}

TEST(LimitCheck, BlankImagePasses) {
    const Image image = BlankImage();
    EXPECT_TRUE(CheckVfoLimits(image).passed);
    EXPECT_TRUE(CheckChannelLimits(image).passed);
    EXPECT_TRUE(CheckLimits(image).message.empty());
}

TEST(LimitCheck, FrequencyModeRecordWholeMegahertz) {
    const struct {
        const char* rx;
        const char* offset;
        std::uint8_t flags1;
        bool passes;
    } cases[] = {
        {"470.5", "0", 0x02, true},  // truncated to 470, edges inclusive
        {"471.0", "0", 0x02, false},    {"399.99", "0", 0x02, false}, {"400.0", "0", 0x02, true},
        {"405", "10", 0x82, false},  // receive minus offset below the lower edge
        {"405", "10", 0x42, true},      {"465", "10", 0x42, false},  // 475
        {"465", "10", 0xC2, true},                                   // direction 3 counts as none
        {"460.5", "10.4", 0x42, true},                               // 470.9
        {"460.5", "10.5", 0x42, false},                              // 471.0
    };
    for (const auto& c : cases) {
        Image image = BlankImage();
        SetRecord(image, 0, c.rx, c.offset, c.flags1);
        const LimitCheckResult r = CheckVfoLimits(image);
        EXPECT_EQ(r.passed, c.passes) << c.rx << " " << c.offset << " " << int(c.flags1);
        if (!c.passes) {
            EXPECT_EQ(r.channel, 0);
            EXPECT_EQ(r.message.english,
                      "Receiving or transmitting frequency that frequency Mode out of frequency "
                      "limitation range ");
            EXPECT_EQ(r.message.chinese, "频率模式下的接收或发射频率超出频率限制范围");
        }
    }
}

TEST(LimitCheck, FirstChannelOutsideTheLimits) {
    Image image = BlankImage();
    SetRecord(image, 3, "470.9", "0", 0x02);
    EXPECT_TRUE(CheckChannelLimits(image).passed);
    SetRecord(image, 9, "471.0", "0", 0x02);
    SetRecord(image, 12, "300", "0", 0x02);
    LimitCheckResult r = CheckChannelLimits(image);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.channel, 9);
    EXPECT_EQ(
        r.message.english,
        "Channel 9that Receiving or transmitting frequency  out of frequency limitation range ");
    EXPECT_EQ(r.message.chinese, "信道 9 中的接收或发射频率超出频率限制范围");

    // Any of bytes 0..3 other than 255 makes a channel count for the check.
    Image partial = BlankImage();
    partial[128][3] = 0x48;
    r = CheckChannelLimits(partial);
    EXPECT_EQ(r.channel, 128);
}

TEST(LimitCheck, LimitsComeFromTheImageRowAndVfoGoesFirst) {
    Image image = BlankImage();
    SetRecord(image, 5, "150", "0", 0x02);
    EXPECT_EQ(CheckLimits(image).channel, 5);
    WriteBandEdges(image, {136, 174});
    SetRecord(image, 0, "150", "0", 0x02);
    EXPECT_TRUE(CheckLimits(image).passed);
    SetRecord(image, 0, "462.0125", "0", 0x02);
    const LimitCheckResult r = CheckLimits(image);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.channel, 0);
}

TEST(LimitStore, FirstThreeCharactersAreTheDigits) {
    AppState state;
    StartUp(state);
    StoreLimitTexts(state, "136", " 174 ");
    EXPECT_EQ(state.ChannelTable[kBandEdgeRow][0], 0x60);
    EXPECT_EQ(state.ChannelTable[kBandEdgeRow][1], 0x13);
    EXPECT_EQ(state.ChannelTable[kBandEdgeRow][2], 0x40);
    EXPECT_EQ(state.ChannelTable[kBandEdgeRow][3], 0x17);
    EXPECT_EQ(state.BandLowMHz, 136);
    EXPECT_EQ(state.BandHighMHz, 174);

    StoreLimitTexts(state, "0400", "470.5");
    EXPECT_EQ(state.BandLowMHz, 40);
    EXPECT_EQ(state.BandHighMHz, 470);
    StoreLimitTexts(state, "40", "4.5");
    EXPECT_EQ(state.BandLowMHz, 400);
    EXPECT_EQ(state.BandHighMHz, 405);
    EXPECT_EQ(state.ChannelTable[kBandEdgeRow][4], 255);
}

}  // namespace
}  // namespace zt
