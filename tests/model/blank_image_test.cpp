#include "model/blank_image.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "model/app_state.h"
#include "model/freq_codec.h"
#include "model/startup.h"

namespace zt {
namespace {

TEST(BlankImage, RowByRow) {
    const std::map<int, std::vector<int>> written{
        {0, {80, 18, 32, 70, 0, 0, 0, 1, 255, 255, 255, 255, 2, 32}},
        {153, {0, 64, 0, 71}},
        {208, {5, 113, 129, 3, 0, 4, 3, 0, 0, 0, 0, 0, 0}},
        {209, {255, 255, 255, 255, 19, 16, 23, 23, 26}},
        {210, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {212, {90, 84, 32, 55, 57, 48, 50, 2}},
        {240, {50, 100, 200}},
    };
    const Image image = BlankImage();
    for (int r = 0; r < kImageRows; ++r) {
        const auto it = written.find(r);
        for (int f = 0; f < kRowBytes; ++f) {
            int expected = 255;
            if (it != written.end() && f < static_cast<int>(it->second.size())) {
                expected = it->second[static_cast<std::size_t>(f)];
            }
            EXPECT_EQ(image[static_cast<std::size_t>(r)][static_cast<std::size_t>(f)], expected)
                << "row " << r << " field " << f;
        }
    }
    EXPECT_EQ(BcdToText(image, 0, 0), "462.01250");
}

TEST(StartUp, FillsTheStateInItsDocumentedValues) {
    AppState s;
    s.LanguageChinese = true;
    s.ComPort = 4;
    s.ComDevice = "/dev/ttyUSB0";
    s.ModelIndex = 3;
    StartUp(s);
    EXPECT_EQ(s.SoftwareVersion, "Ver1.2");
    EXPECT_FALSE(s.LanguageChinese);
    EXPECT_EQ(s.ComPort, 1);
    EXPECT_TRUE(s.ComDevice.empty());
    EXPECT_EQ(s.ModelIndex, 0);
    EXPECT_EQ(s.ToneCtcssEnd, 50);
    EXPECT_EQ(s.ToneDcsNEnd, 157);
    EXPECT_EQ(s.ToneDcsIEnd, 264);
    EXPECT_EQ(s.ToneList[158], "D017I");
    EXPECT_EQ(s.ModelNames[1], "ZT790 C1.0 VHF");
    EXPECT_EQ(s.ChannelTable, BlankImage());
    EXPECT_EQ(s.BandLowMHz, 400);
    EXPECT_EQ(s.BandHighMHz, 470);
    EXPECT_EQ(s.CurrentChannel, 1);
}

TEST(StartUp, BandEdgesComeFromTheImageRow) {
    AppState s;
    StartUp(s);
    s.ChannelTable[153][1] = 0x13;
    s.ChannelTable[153][3] = 0x17;
    WriteBlankImage(s);  // rewrites the row and recomputes from it
    EXPECT_EQ(s.BandLowMHz, 400);
    EXPECT_EQ(s.BandHighMHz, 470);
}

}  // namespace
}  // namespace zt
