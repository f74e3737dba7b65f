// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels as rows of a list: move, insert, delete, empty and sort whole
// channels. A channel moves with everything it is, the 16 record bytes of its
// image row and its five name characters; nothing else in the image changes.
// A refused command leaves the image exactly as it was.
//
// Selections are lists of channel numbers 1..128 in any order, duplicates
// allowed; a number outside 1..128 is a programming error (std::out_of_range).
// Each command can say where every channel went (`map`), for the settings that
// name a channel by its number (channel_references.h).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/bitext.h"
#include "model/channel.h"
#include "model/channel_references.h"
#include "model/radio_image.h"

namespace zt {

// One whole channel lifted out of the image.
struct ChannelSlot {
    ImageRow record{};
    std::array<std::uint8_t, kNameLength> name{};
    friend bool operator==(const ChannelSlot&, const ChannelSlot&) = default;
};

[[nodiscard]] ChannelSlot TakeChannel(const Image& image, int c);
void PutChannel(Image& image, int c, const ChannelSlot& slot);
// An empty record (all 255) without a name.
[[nodiscard]] ChannelSlot EmptySlot();

enum class MoveDirection { Up, Down };

// Moves every selected channel one place up (towards channel 1) or down; each
// run of selected channels trades places with the unselected channel next to
// it. A run that already stands at the end it would move past stays where it
// is; refused (nullopt) when no run can move. Returns the new numbers of the
// selected channels, ascending.
[[nodiscard]] std::optional<std::vector<int>> MoveChannels(Image& image,
                                                           const std::vector<int>& selected,
                                                           MoveDirection direction,
                                                           ChannelMap* map = nullptr);

// Inserts an empty channel (no frequency, no name) at c; channels c..127 move
// one place down. Refused (false) when channel 128 is in use, since it would be
// pushed off the end.
[[nodiscard]] bool InsertEmptyChannel(Image& image, int c, ChannelMap* map = nullptr);

// Removes the selected channels: the channels after them move up to close the
// gaps and empty channels fill the end.
void DeleteChannels(Image& image, const std::vector<int>& selected, ChannelMap* map = nullptr);

// An empty channel (byte 0 is 255) keeps no other record bytes, as the grid
// shows it; a file or a radio may have left some. Clears them (names stay) and
// returns how many channels held any.
[[nodiscard]] int ClearEmptyChannels(Image& image);
// What the front ends say after clearing them: "Cleared the leftover bytes of 2
// empty channels (Undo brings them back)."
[[nodiscard]] BiString ClearedEmptyChannelsNote(int cleared);

// Empties the selected channels and their names where they stand.
void EmptyChannels(Image& image, const std::vector<int>& selected, ChannelMap* map = nullptr);

enum class ChannelSortKey { RxFrequency, Name };

// Sorts all 128 channels. By receive frequency: lowest first. By name: named
// channels in name order (a run of digits compares by its value, so CH2 comes
// before CH10), then used channels without a name. Empty channels always come
// last. Equal keys keep their order.
void SortChannels(Image& image, ChannelSortKey key, ChannelMap* map = nullptr);

// Name order of the sort: negative, zero or positive.
[[nodiscard]] int CompareNames(std::string_view a, std::string_view b);

}  // namespace zt
