// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pasting whole channels: what a paste would change, so the user can be asked
// before used channels are replaced, and the paste itself with the settings
// that name a channel (channel_references.h) kept right.
//
// A paste is worked out on a copy of the image first (by laying clipboard
// channels into it, or by the CSV importer); comparing the copy with the image
// says what it changes, and committing it makes it the image.

#include <optional>
#include <span>
#include <vector>

#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/channel_references.h"
#include "model/channel_rows.h"

namespace zt {

// A channel on its way through the clipboard: its record and name byte for
// byte (an empty channel too), and the settings that named it when it was
// copied.
struct ClipChannel {
    ChannelSlot slot;
    ReferenceSet references = 0;
    friend bool operator==(const ClipChannel&, const ClipChannel&) = default;
};

// The listed channels as they stand, in the order listed.
[[nodiscard]] std::vector<ClipChannel> ClipChannels(const Image& image,
                                                    const std::vector<int>& channels);

// `clip` laid into a copy of `image` from channel `first` on, one channel
// each; nothing when they would run past channel 128.
[[nodiscard]] std::optional<Image> LayChannels(const Image& image, int first,
                                               std::span<const ClipChannel> clip);

// What a paste that writes `targets` and gives `after` changes.
struct PasteEffect {
    std::vector<int> targets;  // the channels the paste writes, in order
    std::vector<int> changed;  // those whose record or name changes, ascending
    int replaced = 0;          // of the changed ones, those in use before
};
[[nodiscard]] PasteEffect ComparePaste(const Image& before, const Image& after,
                                       std::vector<int> targets);

// Makes `after` the image. A setting that named a channel the paste changed
// is cleared; one that named a pasted channel when it was cut points at it
// again (`first` is where `clip` went; an empty `clip` for CSV rows). Returns
// what the user is told.
[[nodiscard]] std::vector<BiString> CommitPaste(Image& image, const Image& after,
                                                const PasteEffect& effect, int first,
                                                std::span<const ClipChannel> clip);

// The used channels among `channels` that a write to the radio would refuse:
// outside the frequency limits of row 153.
[[nodiscard]] std::vector<int> ChannelsOutsideLimits(const Image& image,
                                                     const std::vector<int>& channels);

}  // namespace zt
