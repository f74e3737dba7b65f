// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own clipboard form of channels: every byte, read back only
// when it is whole.
#include "files/channel_records_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(ChannelRecordsText, CarriesEveryByteAndRefusesAnythingElse) {
    ClipChannel used;
    used.slot.record = {0x50, 0x12, 0x20, 0x46, 0, 0, 0, 1, 0, 12, 255, 255, 0xD7, 0xF8, 3, 4};
    used.slot.name = {19, 16, 23, 255, 26};
    used.references = 1;
    const ClipChannel empty{EmptySlot(), 0};
    const std::vector<ClipChannel> channels{used, empty};
    const std::string text = FormatChannelRecords(channels);
    const std::string second =
        "255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 0";
    EXPECT_EQ(text,
              "zt790prog channel records 1\r\n"
              "80 18 32 70 0 0 0 1 0 12 255 255 215 248 3 4 19 16 23 255 26 1\r\n" +
                  second + "\r\n");
    EXPECT_EQ(ParseChannelRecords(text), channels);

    const std::string head = "zt790prog channel records 1\n";
    std::string tooMany = head;
    for (int c = 0; c < 129; ++c) tooMany += second + "\n";
    for (const std::string& bad : {std::string("Location,Name,Frequency\n1,A,446\n"),
                                   "zt790prog channel records 2\n" + second, head + "1 2 3",
                                   head + second + " 0", head + "256" + second.substr(3),
                                   head + "-1" + second.substr(3), head + "x" + second, tooMany}) {
        EXPECT_FALSE(ParseChannelRecords(bad)) << bad.substr(0, 60);
    }
}

}  // namespace
}  // namespace zt
