// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's channel commands: channels, selection and refusals afterwards.
#include "model/channel_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "channel_tokens.h"

namespace zt {
namespace {

std::string Numbers(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers) out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

TEST(ChannelCommands, ChannelsSelectionAndRefusals) {
    using C = ChannelCommand;
    std::string full;  // all 128 channels used
    for (int c = 1; c <= kChannelCount; ++c) full += "@146 ";
    const struct {
        C command;
        std::string start;
        ChannelSelection selection;
        const char* expected;  // channels / selected / current, or the refusal
    } cases[] = {
        {C::Empty, "A B C", {{1, 3}, 3}, "- B / 1,3 / 3"},
        {C::Empty, "A B C", {{}, 2}, "A - C / 2 / 2"},  // nothing selected: the current one
        {C::MoveUp, "A B C D", {{3, 4}, 4}, "A C D B / 2,3 / 3"},
        {C::MoveUp, "A B C D", {{3}, 1}, "A C B D / 2 / 1"},
        {C::MoveDown, "A B C D", {{1, 2}, 1}, "C A B D / 2,3 / 2"},
        {C::MoveUp, "A B C D", {{1, 2}, 2}, "refused silently"},
        {C::Insert, "A B C", {{1, 2}, 2}, "A - B C / 2 / 2"},
        {C::Insert,
         full,
         {{5}, 5},
         "refused: Channel 128 is in use. Delete or move it before "
         "inserting a channel."},
        {C::Delete, "A B C D", {{2, 3}, 3}, "A D / 2 / 2"},
        {C::SortByRx, "B@146 A@145", {{2}, 2}, "A B / 2 / 2"},
        {C::SortByName, "B@145 A@146", {{1}, 1}, "A B / 1 / 1"},
    };
    for (const auto& k : cases) {
        Image image = Channels(k.start);
        const Image before = image;
        const ChannelCommandResult r = RunChannelCommand(k.command, image, k.selection);
        std::string got;
        if (!r.done) {
            got = r.refusal ? "refused: " + std::string(r.refusal->english) : "refused silently";
            if (image != before) got += " but changed";
        } else {
            got = Show(image) + " / " + Numbers(r.selection.channels) + " / " +
                  std::to_string(r.selection.current);
        }
        EXPECT_EQ(got, k.expected) << static_cast<int>(k.command) << " on " << k.start;
    }
}

}  // namespace
}  // namespace zt
