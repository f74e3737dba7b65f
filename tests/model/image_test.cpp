// SPDX-License-Identifier: GPL-3.0-or-later
// The blank image, start-up, the limit checks and the write preparation.
#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/freq_codec.h"
#include "model/limits.h"
#include "model/startup.h"
#include "model/write_prep.h"
#include "table.h"

namespace zt {
namespace {

TEST(BlankImage, RowByRowAndStartUp) {
    Image expected;
    expected.fill(RowOf({}));
    expected[0] = RowOf({80, 18, 32, 70, 0, 0, 0, 1, 255, 255, 255, 255, 2, 32});
    expected[153] = RowOf({0, 64, 0, 71});
    expected[208] = RowOf({5, 113, 129, 3, 0, 4, 3, 0, 0, 0, 0, 0, 0});
    expected[209] = RowOf({255, 255, 255, 255, 19, 16, 23, 23, 26});
    expected[210].fill(0);
    expected[212] = RowOf({90, 84, 32, 55, 57, 48, 50, 2});
    expected[240] = RowOf({50, 100, 200});
    EXPECT_EQ(BlankImage(), expected);

    AppState s;
    s.LanguageChinese = true;
    s.ComPort = 4;
    s.ComDevice = "/dev/ttyUSB0";
    s.ModelIndex = 3;
    StartUp(s);
    EXPECT_EQ(std::tie(s.LanguageChinese, s.ComPort, s.ComDevice, s.ModelIndex, s.CurrentChannel),
              std::make_tuple(false, 1, std::string(), 0, 1));
    EXPECT_EQ(s.ChannelTable, expected);
    EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(400, 470));
    s.ChannelTable[153][1] = 0x13;
    s.ChannelTable[153][3] = 0x17;
    WriteBlankImage(s);  // rewrites the row and recomputes the edges from it
    EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(400, 470));
}

// A record with receive frequency, offset and the raw byte 12.
void SetRecord(Image& image, int row, const char* rx, const char* offset, std::uint8_t flags1) {
    (void)StoreFreqText(image, rx, row, 0);
    (void)StoreFreqText(image, offset, row, 4);
    image[static_cast<std::size_t>(row)][12] = flags1;
}

// Every refused record with the frequencies it compared (what zt790ctl names
// in its refusal and marks in its report): receive and transmit each cut to
// whole MHz, both limits inclusive.
TEST(LimitFailures, EveryRefusedRecordWithItsFrequenciesInOrder) {
    EXPECT_TRUE(LimitFailures(BlankImage()).empty());
    Image image = BlankImage();               // limits 400..470
    SetRecord(image, 0, "465", "10", 0x42);   // transmit 475
    SetRecord(image, 1, "470.5", "0", 0x02);  // whole MHz 470: inside
    SetRecord(image, 2, "471.0", "0", 0x02);
    SetRecord(image, 3, "399.99", "0", 0x02);
    SetRecord(image, 4, "400.0", "0", 0x02);        // inside
    SetRecord(image, 5, "405", "10", 0x82);         // transmit 395
    SetRecord(image, 6, "405", "10", 0x42);         // inside
    SetRecord(image, 7, "465", "10", 0xC2);         // direction 3 counts as none: inside
    SetRecord(image, 8, "460.5", "10.4", 0x42);     // transmit 470.9: inside
    SetRecord(image, 9, "460.5", "10.5", 0x42);     // transmit 471.0
    SetRecord(image, 10, "146.52", "0", 0x02);      // VHF simplex
    SetRecord(image, 11, "399.5", "10", 0x42);      // receive below, transmit 409.5 inside
    SetRecord(image, 12, "405", "10.00001", 0x82);  // transmit 394.99999
    SetRecord(image, 13, "405", "5", 0x82);         // transmit 400 exactly: inside
    image[128] = RowOf({0xFF, 0xFF, 0xFF, 0x48});   // counts as used
    const BandEdges limits{400, 470};
    EXPECT_EQ(LimitFailures(image), (std::vector<LimitFailure>{
                                        {0, 46500000, 47500000, false, true, limits},
                                        {2, 47100000, 47100000, true, true, limits},
                                        {3, 39999000, 39999000, true, true, limits},
                                        {5, 40500000, 39500000, false, true, limits},
                                        {9, 46050000, 47100000, false, true, limits},
                                        {10, 14652000, 14652000, true, true, limits},
                                        {11, 39950000, 40950000, true, false, limits},
                                        {12, 40500000, 39499999, false, true, limits},
                                        // Nibbles above 9 weigh 10..15: 4, 8, then six fifteens.
                                        {128, 49666665, 49666665, true, true, limits},
                                    }));
}

// The check before a write: the frequency-mode record first, then the first
// refused channel, against the limits in the image row.
TEST(LimitCheck, FrequencyModeRecordFirstThenTheFirstRefusedChannel) {
    EXPECT_TRUE(CheckLimits(BlankImage()).passed);
    EXPECT_TRUE(CheckLimits(BlankImage()).message.english.empty());
    Image image = BlankImage();
    SetRecord(image, 3, "470.9", "0", 0x02);
    EXPECT_TRUE(CheckChannelLimits(image).passed);
    SetRecord(image, 9, "471.0", "0", 0x02);
    SetRecord(image, 12, "300", "0", 0x02);
    LimitCheckResult r = CheckLimits(image);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.channel, 9);  // the English text: the zt790ctl tests
    EXPECT_EQ(r.message.chinese, "信道 9 中的接收或发射频率超出频率限制范围");
    Image partial = BlankImage();
    partial[128][3] = 0x48;  // any of bytes 0..3 other than 255 makes a channel count
    EXPECT_EQ(CheckChannelLimits(partial).channel, 128);
    WriteBandEdges(image, {136, 174});
    SetRecord(image, 0, "150", "0", 0x02);
    EXPECT_EQ(CheckLimits(image).channel, 3);
    SetRecord(image, 0, "462.0125", "0", 0x02);
    r = CheckLimits(image);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.channel, 0);
    EXPECT_EQ(r.message.english,
              "Receiving or transmitting frequency that frequency Mode out of frequency "
              "limitation range ");
    EXPECT_EQ(r.message.chinese, "频率模式下的接收或发射频率超出频率限制范围");
    // Transmit exactly on a lower limit passes; one 10 Hz step below fails. In
    // binary floating point 334.09707 - 234.09707 lands just under 100.
    const struct {
        int low, high;
        const char *rx, *offset;
        bool passes;
    } edges[] = {
        {100, 601, "334.09707", "234.09707", true},
        {100, 601, "334.09707", "234.09708", false},
        {450, 521, "514.06414", "64.06414", true},
        {450, 521, "514.06414", "64.06415", false},
    };
    for (const auto& e : edges) {
        Image image = BlankImage();
        WriteBandEdges(image, {e.low, e.high});
        SetRecord(image, 0, e.rx, e.offset, 0x82);
        SetRecord(image, 1, e.rx, e.offset, 0x82);
        EXPECT_EQ(CheckVfoLimits(image).passed, e.passes) << e.rx << " - " << e.offset;
        EXPECT_EQ(CheckChannelLimits(image).passed, e.passes) << e.rx << " - " << e.offset;
    }
}

// Plain limit texts are stored by the option window's tests.
TEST(LimitStore, FirstThreeCharactersAreTheDigits) {
    AppState state;
    StartUp(state);
    StoreLimitTexts(state, "0400", "470.5");
    EXPECT_EQ(std::tie(state.BandLowMHz, state.BandHighMHz), std::make_tuple(40, 470));
    StoreLimitTexts(state, "40", "4.5");
    EXPECT_EQ(std::tie(state.BandLowMHz, state.BandHighMHz), std::make_tuple(400, 405));
}

TEST(WritePreparation, PresenceBitmapFirstUsedChannelTagAndNothingElse) {
    Image image = BlankImage();
    image[208][12] = 77;
    image[212].fill(0);
    Image prepared = image;
    PrepareImageForWrite(prepared);
    EXPECT_EQ(prepared[208][12], 0);  // no channel in use
    for (int c : {9, 128, 20}) (void)StoreFreqText(image, "446", c, 0);
    image[5][0] = 0x10;  // bytes 1..3 still 255: not present for the radio
    image[6][1] = image[6][2] = image[6][3] = 0x10;  // byte 0 still 255
    image[7][0] = image[7][1] = image[7][2] = 0x10;  // byte 3 still 255
    Image expected = image;
    expected[208][12] = 9;    // the first channel in use
    expected[208][1] = 0x61;  // VOX inhibit on receive cleared, the rest kept
    expected[212] = RowOf({90, 84, 32, 55, 57, 48, 50, 2});  // "ZT 7902", 2
    expected[210].fill(255);                                 // a cleared bit per channel in use
    expected[210][1] = 0xFE;                                 // channel 9: bit 0 of byte 1
    expected[210][2] = 0xF7;                                 // channel 20: bit 3 of byte 2
    expected[210][15] = 0x7F;                                // channel 128: bit 7 of byte 15
    PrepareImageForWrite(image);
    EXPECT_EQ(image, expected);
    EXPECT_FALSE(ChannelPresent(image, 5) || ChannelPresent(image, 6) || ChannelPresent(image, 7));
    EXPECT_EQ(FirstUsedChannel(image), 9);
}

}  // namespace
}  // namespace zt
