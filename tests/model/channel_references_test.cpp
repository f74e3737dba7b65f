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

int Priority(const Image& image) { return image[kPriorityRow][1]; }

std::string Joined(const std::vector<BiString>& lines) {
    std::string out;
    for (const BiString& l : lines) out += (out.empty() ? "" : " | ") + l.english;
    return out;
}

TEST(ChannelReferences, PriorityFollowsEveryCommand) {
    using C = ChannelCommand;
    const std::string seventeen = "A B C D E F G H I J K L M N O P Q";
    const struct {
        const char* start;
        C command;
        std::vector<int> selected;
        int current;
        int priority;       // before
        int priorityAfter;  // 255: cleared
        int currentAfter;
        const char* told;
    } cases[] = {
        {"A B C D E", C::MoveUp, {5}, 5, 5, 4, 4, ""},
        {"A B C D E", C::MoveUp, {5}, 5, 4, 5, 4, ""},
        {"A B C D E", C::MoveUp, {3, 4}, 3, 4, 3, 2, ""},
        {"A B C D E", C::MoveUp, {1, 5}, 5, 5, 4, 4, ""},  // the block at the top stays
        {"A B C D E", C::MoveDown, {2, 3}, 2, 2, 3, 3, ""},
        {"A B C D E", C::MoveDown, {2, 4}, 1, 4, 5, 1, ""},  // the cursor off the selection stays
        {seventeen.c_str(),
         C::MoveDown,
         {16},
         16,
         16,
         255,
         17,
         "The scan's priority channel (channel 16) moved to channel 17, outside 1 - 16; it is "
         "now cleared."},
        {"A B C D E", C::Insert, {2}, 2, 5, 6, 2, ""},
        {"A B C D E", C::Insert, {3, 4, 5}, 5, 1, 1, 3, ""},  // above the first selected row
        {"A B C D E", C::Delete, {2, 3}, 2, 5, 3, 2, ""},
        {"A B C D E",
         C::Delete,
         {5},
         5,
         5,
         255,
         5,
         "The scan's priority channel (channel 5) is gone; it is now cleared."},
        {"A B C D E",
         C::Empty,
         {4, 5},
         4,
         5,
         255,
         4,
         "The scan's priority channel (channel 5) is gone; it is now cleared."},
        {"E D C B A", C::SortByName, {}, 3, 5, 1, 3, ""},
        {"A@446 B@445 C@444", C::SortByRx, {}, 1, 1, 3, 1, ""},
        {"A B C D E", C::Delete, {1}, 1, 255, 255, 1, ""},  // naming no channel, it stays so
    };
    for (const auto& k : cases) {
        Image image = Channels(k.start);
        image[kPriorityRow][1] = static_cast<std::uint8_t>(k.priority);
        const auto result = RunChannelCommand(k.command, image, {k.selected, k.current});
        const std::string trace = std::string(k.start).substr(0, 12) + " command " +
                                  std::to_string(static_cast<int>(k.command)) + " from " +
                                  std::to_string(k.priority);
        EXPECT_TRUE(result.done) << trace;
        EXPECT_EQ(Priority(image), k.priorityAfter) << trace;
        EXPECT_EQ(result.selection.current, k.currentAfter) << trace;
        EXPECT_EQ(Joined(result.notes), k.told) << trace;
    }
}

// Cut empties the channel (and clears the setting); pasting it back points
// the setting at it wherever it lands, as far as the setting reaches. A copy
// leaves the setting where it is, and pasting over its channel clears it.
TEST(ChannelReferences, PriorityThroughTheClipboard) {
    const struct {
        bool cut;
        int pasteAt;
        int priorityAfter;
        const char* told;
    } cases[] = {
        {true, 3, 4, "The scan's priority channel is now channel 4, where its channel was pasted."},
        {true, 10, 11,
         "The scan's priority channel is now channel 11, where its channel was pasted."},
        {true, 16, 255, ""},  // channel 17 is out of its reach
        {false, 10, 4, ""},
        {false, 2, 3,
         "The scan's priority channel is now channel 3, where its channel was pasted."},
        {false, 4, 5,
         "The scan's priority channel is now channel 5, where its channel was pasted."},
    };
    for (const auto& k : cases) {
        Image image = Channels("A B C D E");
        image[kPriorityRow][1] = 4;
        const std::vector<int> rows{3, 4, 5};
        const auto clip = ClipChannels(image, rows);
        if (k.cut) (void)RunChannelCommand(ChannelCommand::Empty, image, {rows, 3});
        std::vector<int> targets;
        for (int c = k.pasteAt; c < k.pasteAt + 3; ++c) targets.push_back(c);
        const auto after = LayChannels(image, k.pasteAt, clip);
        ASSERT_TRUE(after);
        const auto told =
            CommitPaste(image, *after, ComparePaste(image, *after, targets), k.pasteAt, clip);
        EXPECT_EQ(Priority(image), k.priorityAfter) << k.cut << " at " << k.pasteAt;
        EXPECT_EQ(Joined(told), k.told) << k.cut << " at " << k.pasteAt;
    }
}

// What a paste changes: the channels it writes that differ, and how many of
// them were in use; clipboard channels past 128 do not fit.
TEST(ChannelPaste, ComparesBeforeItChanges) {
    const Image image = Channels("A B - D");
    const auto clip = ClipChannels(Channels("A X - Y"), {1, 2, 3, 4});
    const struct {
        int at;
        const char* expected;  // changed channels / replaced
    } cases[] = {
        {1, "2,4 / 2"}, {2, "2,3,4,5 / 2"}, {4, "4,5,7 / 1"}, {125, "125,126,128 / 0"}, {126, "-"}};
    for (const auto& k : cases) {
        const auto after = LayChannels(image, k.at, clip);
        std::string got = "-";
        if (after) {
            std::vector<int> targets{k.at, k.at + 1, k.at + 2, k.at + 3};
            const PasteEffect e = ComparePaste(image, *after, targets);
            got.clear();
            for (int c : e.changed) got += (got.empty() ? "" : ",") + std::to_string(c);
            got += " / " + std::to_string(e.replaced);
        }
        EXPECT_EQ(got, k.expected) << "at " << k.at;
    }
}

}  // namespace
}  // namespace zt
