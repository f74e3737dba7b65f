// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Setting chosen fields on many channels at once: Edit > Set Fields for
// Selected Channels... and zt790ctl set. A request names the fields that change
// and their new values; every other byte of every channel stays as it was, and
// empty channels in the selection are left alone. The values are stored with
// the channel record's own operations, so a bulk change stores what the channel
// dialog would store field by field; a change that the dialog would refuse or
// repair (a transmit frequency outside the band, a character the radio cannot
// show) refuses the whole request and changes nothing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/bitext.h"
#include "model/freq_codec.h"
#include "model/radio_image.h"

namespace zt {

// Offset and direction together, so that the transmit frequency follows the
// receive frequency of each channel: 0 none (TX = RX), 1 plus, 2 minus, the
// order of the duplex list.
struct OffsetSetting {
    int direction = 0;
    FreqUnits offset = 0;
    friend bool operator==(const OffsetSetting&, const OffsetSetting&) = default;
};

// The marker of the counter in a name pattern.
inline constexpr char kCounterMark = '#';

// Names from a pattern: each run of '#' becomes a counter that starts at
// `start` on the first channel changed and goes up by one per channel, written
// with at least as many digits as the run is long ("PMR##" gives PMR01,
// PMR02, ...). A pattern without '#' gives every channel the same name; an
// empty one clears the names.
struct NamePattern {
    std::string pattern;
    int start = 1;
    friend bool operator==(const NamePattern&, const NamePattern&) = default;
};

// The fields to change; an empty field stays as it is. Every field starts
// empty, so a request names only its own: BulkEdit{.power = 0}.
struct BulkEdit {
    std::optional<int> power{};   // 0 Low, 1 Mid, 2 High
    std::optional<bool> wide{};   // the bandwidth
    std::optional<int> decode{};  // tone list position 0 (off) .. 264
    std::optional<int> encode{};
    std::optional<bool> scanAdd{};
    std::optional<bool> bcl{};
    std::optional<bool> vox{};
    std::optional<bool> txStop{};
    std::optional<OffsetSetting> offset{};
    std::optional<NamePattern> name{};

    [[nodiscard]] bool empty() const;
    friend bool operator==(const BulkEdit&, const BulkEdit&) = default;
};

struct BulkEditResult {
    // False when refused; the image is then exactly as it was.
    bool done = false;
    BiString refusal;
    // The used channels of the selection, ascending: the channels changed.
    std::vector<int> channels;
};

// Applies the request to the used channels among `selection` (channel numbers
// 1..128 in any order) against the band edges in force.
[[nodiscard]] BulkEditResult ApplyBulkEdit(Image& image, const std::vector<int>& selection,
                                           const BulkEdit& edit, double bandLowMHz,
                                           double bandHighMHz);

// The name a pattern gives for one counter value: ("PMR##", 7) -> "PMR07",
// ("CH#", 12) -> "CH12".
[[nodiscard]] std::string PatternName(std::string_view pattern, int number);

}  // namespace zt
