// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_commands.h"

#include <algorithm>

#include "model/channel_rows.h"

namespace zt {

namespace {

ChannelCommandResult Done(std::vector<int> channels, int current) {
    return {true, std::nullopt, {std::move(channels), current}, {}};
}

bool Contains(const std::vector<int>& channels, int c) {
    return std::find(channels.begin(), channels.end(), c) != channels.end();
}

}  // namespace

ChannelCommandResult RunChannelCommand(ChannelCommand command, Image& image,
                                       const ChannelSelection& chosen) {
    // Nothing selected means the current channel.
    ChannelSelection selection = chosen;
    if (selection.channels.empty()) selection.channels = {selection.current};
    const int first = *std::min_element(selection.channels.begin(), selection.channels.end());
    ChannelMap map;
    ChannelCommandResult result;
    switch (command) {
        case ChannelCommand::Empty:
            EmptyChannels(image, selection.channels, &map);
            result = Done(selection.channels, selection.current);
            break;
        case ChannelCommand::MoveUp:
        case ChannelCommand::MoveDown: {
            const auto direction =
                command == ChannelCommand::MoveUp ? MoveDirection::Up : MoveDirection::Down;
            auto moved = MoveChannels(image, selection.channels, direction, &map);
            if (!moved) return {false, std::nullopt, selection, {}};
            // The cursor goes with a channel it stands on that moved; on an
            // unselected channel it stays where it is.
            const int current = Contains(selection.channels, selection.current)
                                    ? map.to[static_cast<std::size_t>(selection.current)]
                                    : selection.current;
            result = Done(*moved, current);
            break;
        }
        case ChannelCommand::Insert:
            if (!InsertEmptyChannel(image, first, &map)) {
                return {false, kChannel128InUse, selection, {}};
            }
            result = Done({first}, first);
            break;
        case ChannelCommand::Delete:
            DeleteChannels(image, selection.channels, &map);
            result = Done({first}, first);
            break;
        case ChannelCommand::SortByRx:
        case ChannelCommand::SortByName:
            SortChannels(image,
                         command == ChannelCommand::SortByRx ? ChannelSortKey::RxFrequency
                                                             : ChannelSortKey::Name,
                         &map);
            result = Done({selection.current}, selection.current);
            break;
    }
    result.notes = FollowChannels(image, map);
    return result;
}

}  // namespace zt
