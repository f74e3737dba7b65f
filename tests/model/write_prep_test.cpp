#include "model/write_prep.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/freq_codec.h"

namespace zt {
namespace {

TEST(WritePreparation, AllChannelsEmpty) {
    Image image = BlankImage();
    image[kOptionRow][12] = 77;
    PrepareImageForWrite(image);
    EXPECT_EQ(image[kOptionRow][12], 0);
    for (const auto b : image[kPresenceRow]) EXPECT_EQ(b, 255);
    EXPECT_EQ(image[kOptionRow][1], 0x61);  // VOX inhibit on receive cleared, the rest kept
}

TEST(WritePreparation, PresenceBitmapAndFirstUsedChannel) {
    Image image = BlankImage();
    (void)StoreFreqText(image, "446", 9, 0);
    (void)StoreFreqText(image, "446", 128, 0);
    (void)StoreFreqText(image, "446", 20, 0);
    image[5][0] = 0x10;  // byte 1..3 still 255: not present for the radio
    image[6][1] = 0x10;
    image[6][2] = 0x10;
    image[6][3] = 0x10;  // byte 0 still 255
    PrepareImageForWrite(image);
    EXPECT_EQ(image[kOptionRow][12], 9);
    EXPECT_EQ(image[kPresenceRow][1], 0xFE);   // channel 9: bit 0 of byte 1
    EXPECT_EQ(image[kPresenceRow][2], 0xF7);   // channel 20: bit 3 of byte 2
    EXPECT_EQ(image[kPresenceRow][15], 0x7F);  // channel 128: bit 7 of byte 15
    EXPECT_EQ(image[kPresenceRow][0], 0xFF);   // channels 5 and 6 do not count
    EXPECT_FALSE(ChannelPresent(image, 5));
    EXPECT_FALSE(ChannelPresent(image, 6));
    EXPECT_EQ(FirstUsedChannel(image), 9);
}

TEST(WritePreparation, IdentificationTagRewritten) {
    Image image = BlankImage();
    image[kIdentificationRow].fill(0);
    PrepareImageForWrite(image);
    const std::array<int, 16> tag{'Z', 'T', ' ', '7', '9', '0', '2', 2,
                                  255, 255, 255, 255, 255, 255, 255, 255};
    for (std::size_t f = 0; f < 16; ++f) EXPECT_EQ(image[kIdentificationRow][f], tag[f]) << f;
}

TEST(WritePreparation, TouchesOnlyItsRowsAndBits) {
    Image image = BlankImage();
    (void)StoreFreqText(image, "446", 1, 0);
    Image prepared = image;
    PrepareImageForWrite(prepared);
    for (int r = 0; r < kImageRows; ++r) {
        if (r == kOptionRow || r == kPresenceRow || r == kIdentificationRow) continue;
        EXPECT_EQ(prepared[static_cast<std::size_t>(r)], image[static_cast<std::size_t>(r)]) << r;
    }
    for (int f = 0; f < 16; ++f) {
        if (f == 1 || f == 12) continue;
        EXPECT_EQ(prepared[kOptionRow][static_cast<std::size_t>(f)],
                  image[kOptionRow][static_cast<std::size_t>(f)]);
    }
}

}  // namespace
}  // namespace zt
