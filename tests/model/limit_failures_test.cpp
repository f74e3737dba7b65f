// SPDX-License-Identifier: GPL-3.0-or-later
// The list of every record the limit check refuses, with the frequencies it
// compared: what zt790ctl names in its refusal and marks in its report.
#include <gtest/gtest.h>

#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/limits.h"

namespace zt {
namespace {

void SetRecord(Image& image, int row, const char* rx, const char* offset, std::uint8_t flags1) {
    (void)StoreFreqText(image, rx, row, 0);
    (void)StoreFreqText(image, offset, row, 4);
    image[static_cast<std::size_t>(row)][12] = flags1;
}

TEST(LimitFailures, EveryRefusedRecordWithItsFrequenciesInOrder) {
    EXPECT_TRUE(LimitFailures(BlankImage()).empty());

    Image image = BlankImage();                    // limits 400..470
    SetRecord(image, 0, "465", "10", 0x42);        // transmit 475
    SetRecord(image, 2, "146.52", "0", 0x02);      // VHF simplex
    SetRecord(image, 3, "470.9", "0", 0x02);       // whole MHz 470: inside
    SetRecord(image, 5, "399.5", "10", 0x42);      // receive below, transmit 409.5 inside
    SetRecord(image, 9, "405", "10.00001", 0x82);  // transmit 394.99999
    SetRecord(image, 10, "405", "5", 0x82);        // transmit 400 exactly: inside
    image[128] = ImageRow{0xFF, 0xFF, 0xFF, 0x48, 0xFF, 0xFF, 0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // counts as used
    const BandEdges limits{400, 470};
    const std::vector<LimitFailure> expected{
        {0, 46500000, 47500000, false, true, limits},
        {2, 14652000, 14652000, true, true, limits},
        {5, 39950000, 40950000, true, false, limits},
        {9, 40500000, 39499999, false, true, limits},
        // Nibbles above 9 weigh 10..15: 4, 8, then six fifteens.
        {128, 49666665, 49666665, true, true, limits},
    };
    EXPECT_EQ(LimitFailures(image), expected);

    // The first-failure checks agree with the list.
    EXPECT_FALSE(CheckVfoLimits(image).passed);
    EXPECT_EQ(CheckChannelLimits(image).channel, 2);
    SetRecord(image, 0, "465", "0", 0x02);
    EXPECT_TRUE(CheckVfoLimits(image).passed);
    EXPECT_EQ(LimitFailures(image).front().record, 2);

    // The limits are those of row 153.
    WriteBandEdges(image, {136, 174});
    const std::vector<LimitFailure> vhf = LimitFailures(image);
    ASSERT_FALSE(vhf.empty());
    EXPECT_EQ(vhf.front().record, 0);
    EXPECT_EQ(vhf.front().limits, (BandEdges{136, 174}));
}

}  // namespace
}  // namespace zt
