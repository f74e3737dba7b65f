// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings that name a channel by its number, such as the scan's priority
// channel. The commands that move whole channels (move, insert, delete, sort,
// cut, paste) say where every channel went; each of these settings then follows
// its channel. One whose channel is gone, or whose channel went to a number the
// setting cannot hold, is cleared, and the user is told.
//
// The first used channel (option row byte 12) and the presence bitmap (row 210)
// also hold channel numbers, but they describe the channels as a whole and the
// write to the radio derives them afresh; they are not settings that follow.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/bitext.h"
#include "model/channel.h"
#include "model/radio_image.h"

namespace zt {

// Where each channel went: to[c] is the number channel c has now, 0 when it is
// gone (deleted, emptied, pasted over). Index 0 is unused.
struct ChannelMap {
    std::array<int, kChannelCount + 1> to{};
    [[nodiscard]] static ChannelMap Identity();
};

// One setting that names a channel: the byte that holds the number, the
// numbers it can hold (anything else means none) and what "none" is stored as.
struct ChannelReference {
    BiText name;  // as the start of a sentence
    int row;
    int byte;
    int first;
    int last;
    std::uint8_t none;
};

// The references as a set, one bit per entry of ChannelReferences().
using ReferenceSet = std::uint8_t;

[[nodiscard]] const std::vector<ChannelReference>& ChannelReferences();

// The references that name channel c now.
[[nodiscard]] ReferenceSet ReferencesTo(const Image& image, int c);

// A channel that arrived from the clipboard at `channel`, with the references
// that named it when it was copied.
struct ReferenceLanding {
    ReferenceSet references = 0;
    int channel = 0;
};

// Makes every reference follow its channel after a command that moved channels
// as `map` says. A reference whose channel is gone, or that names none (a cut
// cleared it), points at a pasted channel it named when copied, as far as its
// numbers reach; otherwise it is cleared. Returns what the user is told: one
// line per reference cleared or pointed at a pasted channel.
[[nodiscard]] std::vector<BiString> FollowChannels(Image& image, const ChannelMap& map,
                                                   std::span<const ReferenceLanding> landed = {});

}  // namespace zt
