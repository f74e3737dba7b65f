// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a write to the radio completes in the image before it checks the limits
// and sends the blocks.

#include "model/radio_image.h"

namespace zt {

// A channel counts as present for the radio when none of bytes 0..3 is 255.
[[nodiscard]] bool ChannelPresent(const Image& image, int c);
// The first present channel (1..128), 0 when there is none.
[[nodiscard]] int FirstUsedChannel(const Image& image);

// Clears the VOX-inhibit-on-receive bit (row 208 byte 1 bit 4), stores the first
// present channel in row 208 byte 12, rewrites the identification tag of row 212
// and the channel-presence bitmap of row 210 (a cleared bit marks a present
// channel).
void PrepareImageForWrite(Image& image);

}  // namespace zt
