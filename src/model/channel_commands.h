// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid's commands on whole channels that need nothing but the image: what
// each does to the channels, which channels are selected afterwards and which
// one is current, and why a command is refused. The clipboard and undo
// commands live with the windows (they need the clipboard and the history).

#include <optional>
#include <vector>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

enum class ChannelCommand {
    Empty,       // the selected channels lose frequency, settings and name
    MoveUp,      // the selected channels one place up
    MoveDown,    // ... one place down
    Insert,      // an empty channel above the first selected one, the rest one down
    Delete,      // the selected channels removed, the rest closing up
    SortByRx,    // all channels by receive frequency, empty ones last
    SortByName,  // all channels by name, unnamed then empty ones last
};

inline constexpr BiText kChannel128InUse{
    "Channel 128 is in use. Delete or move it before inserting a channel.",
    "信道 128 已被使用，请先删除或移动它再插入信道。"};

// Which channels the user works on: the selected ones (ascending; none means
// the current one) and the current one (1..128), where the cell cursor stands.
struct ChannelSelection {
    std::vector<int> channels;
    int current = 1;
    friend bool operator==(const ChannelSelection&, const ChannelSelection&) = default;
};

struct ChannelCommandResult {
    // False when the command was refused; the image is then exactly as it was.
    bool done = false;
    // Why, for a refusal the user should be told about (a block that cannot
    // move past an end is simply not moved).
    std::optional<BiText> refusal;
    // The selection afterwards: moved channels stay selected where they went,
    // and a selected current channel stays current where it went.
    ChannelSelection selection;
    // What the user is told besides: settings that named a channel which is
    // gone (channel_references.h).
    std::vector<BiString> notes;
};

[[nodiscard]] ChannelCommandResult RunChannelCommand(ChannelCommand command, Image& image,
                                                     const ChannelSelection& selection);

}  // namespace zt
