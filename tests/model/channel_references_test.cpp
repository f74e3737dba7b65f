// SPDX-License-Identifier: GPL-3.0-or-later
// The scan's priority channel follows its channel through every command on
// whole channels, and is cleared, with a word, when its channel is gone.
#include <gtest/gtest.h>

#include "channel_tokens.h"
#include "model/channel_commands.h"
#include "model/channel_paste.h"

namespace zt {
namespace {

constexpr int kPriorityRow = 213;  // the scan record; byte 1 the priority channel
const std::string kGone5 = "The scan's priority channel (channel 5) is gone; it is now cleared.";
const std::string kPastedAt = "The scan's priority channel is now channel ";

std::string Joined(const std::vector<BiString>& lines) {
    std::string out;
    for (const BiString& l : lines) out += (out.empty() ? "" : " | ") + l.english;
    return out;
}

// Each command on "A B C D E" (or the start given): the priority channel and
// the current channel afterwards, and what the user is told.
TEST(ChannelReferences, PriorityFollowsEveryCommand) {
    using C = ChannelCommand;
    const std::string over16 = "A B C D E F G H I J K L M N O P Q";
    const std::string past16 =
        "The scan's priority channel (channel 16) moved to channel 17, outside 1 - 16; it is now "
        "cleared.";
    const struct {
        std::string start;
        C command;
        std::vector<int> selected;
        int current, priority, priorityAfter, currentAfter;  // 255: none
        std::string told;
    } cases[] = {
        {"", C::MoveUp, {5}, 5, 5, 4, 4, ""},
        {"", C::MoveUp, {5}, 5, 4, 5, 4, ""},
        {"", C::MoveUp, {3, 4}, 3, 4, 3, 2, ""},
        {"", C::MoveUp, {1, 5}, 5, 5, 4, 4, ""},    // the block at the top stays
        {"", C::MoveDown, {2, 4}, 1, 4, 5, 1, ""},  // a cursor off the selection stays
        {over16, C::MoveDown, {16}, 16, 16, 255, 17, past16},
        {"", C::Insert, {2}, 2, 5, 6, 2, ""},
        {"", C::Insert, {3, 4, 5}, 5, 1, 1, 3, ""},  // above the first selected row
        {"", C::Delete, {2, 3}, 2, 5, 3, 2, ""},
        {"", C::Delete, {5}, 5, 5, 255, 5, kGone5},
        {"", C::Empty, {4, 5}, 4, 5, 255, 4, kGone5},
        {"E D C B A", C::SortByName, {}, 3, 5, 1, 3, ""},
        {"A@446 B@445 C@444", C::SortByRx, {}, 1, 1, 3, 1, ""},
        {"", C::Delete, {1}, 1, 255, 255, 1, ""},  // naming no channel, it stays so
    };
    for (const auto& k : cases) {
        Image image = Channels(k.start.empty() ? "A B C D E" : k.start);
        image[kPriorityRow][1] = static_cast<std::uint8_t>(k.priority);
        const auto result = RunChannelCommand(k.command, image, {k.selected, k.current});
        const std::string trace = "command " + std::to_string(static_cast<int>(k.command)) +
                                  " on " + std::to_string(k.selected.size()) + " from " +
                                  std::to_string(k.priority);
        EXPECT_TRUE(result.done) << trace;
        EXPECT_EQ(image[kPriorityRow][1], k.priorityAfter) << trace;
        EXPECT_EQ(result.selection.current, k.currentAfter) << trace;
        EXPECT_EQ(Joined(result.notes), k.told) << trace;
    }
}

// Channels 3..5 with the priority on 4, cut or copied, pasted at a place: a
// cut one brings the setting along as far as it reaches; a copy leaves it,
// unless the paste lands on its channel, when it follows the copy.
TEST(ChannelReferences, PriorityThroughTheClipboard) {
    const struct {
        bool cut;
        int pasteAt, priorityAfter;
    } cases[] = {{true, 3, 4},   {true, 10, 11}, {true, 16, 255},
                 {false, 10, 4}, {false, 2, 3},  {false, 4, 5}};
    for (const auto& k : cases) {
        Image image = Channels("A B C D E");
        image[kPriorityRow][1] = 4;
        const auto clip = ClipChannels(image, {3, 4, 5});
        if (k.cut) (void)RunChannelCommand(ChannelCommand::Empty, image, {{3, 4, 5}, 3});
        const auto after = LayChannels(image, k.pasteAt, clip);
        ASSERT_TRUE(after);
        const auto effect = ComparePaste(image, *after, {k.pasteAt, k.pasteAt + 1, k.pasteAt + 2});
        const auto told = Joined(CommitPaste(image, *after, effect, k.pasteAt, clip));
        const int p = k.priorityAfter;
        EXPECT_EQ(image[kPriorityRow][1], p) << k.cut << " at " << k.pasteAt;
        const bool said = p != 255 && (k.cut || p != 4);
        EXPECT_EQ(told,
                  said ? kPastedAt + std::to_string(p) + ", where its channel was pasted." : "")
            << k.cut << " at " << k.pasteAt;
    }
}

}  // namespace
}  // namespace zt
