// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's commands on whole channels below the widgets: the channels, the
// selection and the current channel afterwards, the scan's priority channel
// following its channel, and pasting (what the clipboard holds, where it fits,
// what it replaces, what it says).
#include <gtest/gtest.h>

#include "channel_tokens.h"
#include "model/channel_commands.h"
#include "model/channel_paste.h"

namespace zt {
namespace {

constexpr int kPriorityRow = 213;  // the scan record; byte 1 the priority channel

// "3,4@4": channels 3 and 4 selected, the cursor on 4; "@2": none selected.
ChannelSelection Selection(const std::string& text) {
    ChannelSelection s;
    const auto at = text.find('@');
    s.current = std::stoi(text.substr(at + 1));
    for (std::size_t p = 0; p < at; p = text.find(',', p) + 1) {
        s.channels.push_back(std::stoi(text.substr(p)));
        if (text.find(',', p) > at) break;
    }
    return s;
}

std::string Shown(const ChannelSelection& s) {
    std::string out;
    for (int c : s.channels) out += (out.empty() ? "" : ",") + std::to_string(c);
    return out + "@" + std::to_string(s.current);
}

std::string Told(const std::vector<BiString>& lines) {
    std::string out;
    for (const BiString& l : lines) out += " | " + l.english;
    return out;
}

// Each command on "A B C D E" (or the start given) with the priority on a
// channel (255: none): "channels / selection@current / priority | told".
TEST(ChannelCommands, ChannelsSelectionCursorAndPriorityAfterEachCommand) {
    using C = ChannelCommand;
    std::string full;  // all 128 channels used
    for (int c = 1; c <= 128; ++c) full += "@446 ";
    const char* const gone5 =
        " | The scan's priority channel (channel 5) is gone; it is now cleared.";
    const struct {
        std::string start;
        C command;
        const char* selection;
        int priority;
        std::string expected;
    } cases[] = {
        {"", C::MoveUp, "5@5", 5, "A B C E D / 4@4 / 4"},
        {"", C::MoveUp, "5@5", 4, "A B C E D / 4@4 / 5"},
        {"", C::MoveUp, "3,4@3", 4, "A C D B E / 2,3@2 / 3"},
        {"", C::MoveUp, "1,5@5", 5, "A B C E D / 1,4@4 / 4"},    // the block at the top stays
        {"", C::MoveDown, "2,4@1", 4, "A C B E D / 3,5@1 / 5"},  // a cursor off the selection stays
        {"", C::MoveUp, "1,2@2", 2, "A B C D E / 1,2@2 / 2 refused"},
        {"A B C D E F G H I J K L M N O P Q", C::MoveDown, "16@16", 16,
         "A B C D E F G H I J K L M N O Q P / 17@17 / 255 | The scan's priority channel (channel "
         "16) moved to channel 17, outside 1 - 16; it is now cleared."},
        {"A B C D E F G H I J K L M N O P Q", C::MoveDown, "15@15", 15,
         "A B C D E F G H I J K L M N P O Q / 16@16 / 16"},
        {"", C::Insert, "2@2", 5, "A - B C D E / 2@2 / 6"},
        {"", C::Insert, "3,4,5@5", 1, "A B - C D E / 3@3 / 1"},  // above the first selected row
        {full, C::Insert, "@5", 255,
         "full / 5@5 / 255 refused | Channel 128 is in use. Delete or move it before inserting a "
         "channel."},
        {"", C::Delete, "2,3@2", 5, "A D E / 2@2 / 3"},
        {"", C::Delete, "3,4@4", 255, "A B E / 3@3 / 255"},  // the cursor on the first one's place
        {"", C::Delete, "@5", 5, "A B C D / 5@5 / 255" + std::string(gone5)},
        {"", C::Empty, "4,5@4", 5, "A B C / 4,5@4 / 255" + std::string(gone5)},
        {"", C::Empty, "2@4", 255, "A - C D E / 2@4 / 255"},
        {"E D C B A", C::SortByName, "@3", 5, "A B C D E / 3@3 / 1"},
        {"A@446 B@445 C@444", C::SortByRx, "2@1", 1, "C B A / 1@1 / 3"},
    };
    for (const auto& k : cases) {
        Image image = Channels(k.start.empty() ? "A B C D E" : k.start);
        image[kPriorityRow][1] = static_cast<std::uint8_t>(k.priority);
        const auto result = RunChannelCommand(k.command, image, Selection(k.selection));
        std::string got = Show(image);
        if (k.start == full && got == Show(Channels(full))) got = "full";
        got += " / " + Shown(result.selection) + " / " + std::to_string(image[kPriorityRow][1]);
        if (!result.done) got += " refused";
        if (result.refusal) got += " | " + std::string(result.refusal->english);
        EXPECT_EQ(got + Told(result.notes), k.expected)
            << static_cast<int>(k.command) << " " << k.selection << " on " << k.start.substr(0, 9);
    }
}

// Channels 3..5 ("C D E") with the priority on 4 go to the clipboard whole,
// cut or copied, and are pasted at a place: what the paste changes and
// replaces, the channels and the priority afterwards. A cut one brings the
// setting along as far as it reaches; a copy leaves it, unless the paste lands
// on its channel, when it follows the copy.
TEST(ChannelCommands, PasteLaysWholeChannelsAndThePriorityFollows) {
    const struct {
        bool cut;
        int at;
        const char* expected;  // "changed / replaced / channels / priority | told"
    } cases[] = {
        {true, 3,
         "3,4,5 / 0 / A B C D E / 4 | The scan's priority channel is now channel 4, "
         "where its channel was pasted."},
        {true, 10,
         "10,11,12 / 0 / A B - - - - - - - C D E / 11 | The scan's priority channel is "
         "now channel 11, where its channel was pasted."},
        {true, 16, "16,17,18 / 0 / A B - - - - - - - - - - - - - C D E / 255"},
        {false, 10, "10,11,12 / 0 / A B C D E - - - - C D E / 4"},
        {false, 2,
         "2,3,4 / 3 / A C D E E / 3 | The scan's priority channel is now channel 3, "
         "where its channel was pasted."},
        {false, 4,
         "4,5,6 / 2 / A B C C D E / 5 | The scan's priority channel is now channel 5, "
         "where its channel was pasted."},
        {false, 3, "none"},  // onto themselves: nothing changes
        {false, 126, "126,127,128 / 0 / fits"},
        {false, 127, "no room"},
    };
    for (const auto& k : cases) {
        Image image = Channels("A B C D E");
        image[kPriorityRow][1] = 4;
        const auto clip = ClipChannels(image, {3, 4, 5});
        ASSERT_EQ(clip[1].slot.record, image[4]);
        ASSERT_EQ(clip[1].references, 1);
        if (k.cut) (void)RunChannelCommand(ChannelCommand::Empty, image, {{3, 4, 5}, 3});
        const auto after = LayChannels(image, k.at, clip);
        std::string got = "no room";
        if (after) {
            const auto effect = ComparePaste(image, *after, {k.at, k.at + 1, k.at + 2});
            got = "none";
            for (int c : effect.changed) got = (got == "none" ? "" : got + ",") + std::to_string(c);
            if (!effect.changed.empty()) got += " / " + std::to_string(effect.replaced) + " / ";
            if (k.at > 100) {
                got += "fits";
            } else if (!effect.changed.empty()) {
                const auto told = CommitPaste(image, *after, effect, k.at, clip);
                got += Show(image) + " / " + std::to_string(image[kPriorityRow][1]) + Told(told);
            }
        }
        EXPECT_EQ(got, k.expected) << (k.cut ? "cut" : "copied") << ", pasted at " << k.at;
    }
    // Pasted channels a write would refuse are named; they are stored all the same.
    Image image = BlankImage();
    int c = 0;
    for (const char* rx : {"145.5", "446", "471"}) {
        StoreRxText(image, ++c, rx);
        ApplyGridDefaults(image, c);
    }
    EXPECT_EQ(ChannelsOutsideLimits(image, {1, 2, 3, 4}), (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace zt
