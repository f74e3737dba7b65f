// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/write_prep.h"

#include <stdexcept>

#include "model/channel.h"
#include "model/options.h"

namespace zt {

bool ChannelPresent(const Image& image, int c) {
    if (c < 1 || c > kChannelCount) throw std::out_of_range("channel number");
    const auto& r = image[static_cast<std::size_t>(c)];
    return r[0] != 255 && r[1] != 255 && r[2] != 255 && r[3] != 255;
}

int FirstUsedChannel(const Image& image) {
    for (int c = 1; c <= kChannelCount; ++c) {
        if (ChannelPresent(image, c)) return c;
    }
    return 0;
}

void PrepareImageForWrite(Image& image) {
    WriteFlag(image, kVoxInhibitOnReceive, false);
    image[kOptionRow][12] = static_cast<std::uint8_t>(FirstUsedChannel(image));

    auto& tag = image[kIdentificationRow];
    tag.fill(255);
    constexpr std::uint8_t kTag[] = {'Z', 'T', ' ', '7', '9', '0', '2', 2};
    std::copy(std::begin(kTag), std::end(kTag), tag.begin());

    auto& presence = image[kPresenceRow];
    presence.fill(255);
    for (int c = 1; c <= kChannelCount; ++c) {
        if (ChannelPresent(image, c)) {
            presence[static_cast<std::size_t>((c - 1) / 8)] &=
                static_cast<std::uint8_t>(~(1u << ((c - 1) % 8)));
        }
    }
}

}  // namespace zt
