// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_commands.h"

#include <algorithm>

#include "model/channel_rows.h"

namespace zt {

namespace {

ChannelCommandResult Done(std::vector<int> channels, int current) {
    return {true, std::nullopt, {std::move(channels), current}};
}

ChannelCommandResult Move(Image& image, const ChannelSelection& s, MoveDirection direction) {
    auto moved = MoveChannels(image, s.channels, direction);
    if (!moved) return {false, std::nullopt, s};
    const bool currentSelected =
        std::find(s.channels.begin(), s.channels.end(), s.current) != s.channels.end();
    const int step = direction == MoveDirection::Up ? -1 : 1;
    return Done(*moved, currentSelected ? s.current + step : s.current);
}

}  // namespace

ChannelCommandResult RunChannelCommand(ChannelCommand command, Image& image,
                                       const ChannelSelection& chosen) {
    // Nothing selected means the current channel.
    ChannelSelection selection = chosen;
    if (selection.channels.empty()) selection.channels = {selection.current};
    switch (command) {
        case ChannelCommand::Empty:
            EmptyChannels(image, selection.channels);
            return Done(selection.channels, selection.current);
        case ChannelCommand::MoveUp:
            return Move(image, selection, MoveDirection::Up);
        case ChannelCommand::MoveDown:
            return Move(image, selection, MoveDirection::Down);
        case ChannelCommand::Insert:
            if (!InsertEmptyChannel(image, selection.current)) {
                return {false, kChannel128InUse, selection};
            }
            return Done({selection.current}, selection.current);
        case ChannelCommand::Delete: {
            DeleteChannels(image, selection.channels);
            const int first =
                *std::min_element(selection.channels.begin(), selection.channels.end());
            return Done({first}, first);
        }
        case ChannelCommand::SortByRx:
        case ChannelCommand::SortByName:
            SortChannels(image, command == ChannelCommand::SortByRx ? ChannelSortKey::RxFrequency
                                                                    : ChannelSortKey::Name);
            return Done({selection.current}, selection.current);
    }
    return {false, std::nullopt, selection};
}

}  // namespace zt
