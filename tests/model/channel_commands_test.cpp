// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's commands on whole channels below the widgets: the channels, the
// selection and the current channel afterwards, the scan's priority channel
// following its channel, and pasting (what the clipboard holds, where it fits,
// what it replaces, what it says).
#include <gtest/gtest.h>

#include <sstream>

#include "channel_tokens.h"
#include "model/channel_commands.h"
#include "model/channel_list.h"
#include "model/channel_paste.h"
#include "model/channel_rows.h"

namespace zt {
namespace {

constexpr int kPriorityRow = 213;  // the scan record; byte 1 the priority channel

// "3,4@4": channels 3 and 4 selected, the cursor on 4; "1-128@1" all of them;
// "@2": none selected.
ChannelSelection Selection(const std::string& text) {
    ChannelSelection s;
    const auto at = text.find('@');
    s.current = std::stoi(text.substr(at + 1));
    std::istringstream in(text.substr(0, at));
    for (std::string item; std::getline(in, item, ',');) {
        const auto dash = item.find('-');
        for (int c = std::stoi(item); c <= std::stoi(item.substr(dash + 1)); ++c)
            s.channels.push_back(c);
    }
    return s;
}

std::string Shown(const ChannelSelection& s) {
    return FormatChannelList(s.channels) + "@" + std::to_string(s.current);
}

// A token n times over, as in Many("-", 3) == "- - -".
std::string Many(const char* token, int n) {
    std::string out = token;
    while (--n > 0) out += std::string(" ") + token;
    return out;
}

std::string Told(const std::vector<BiString>& lines) {
    std::string out;
    for (const BiString& l : lines) out += " | " + l.english;
    return out;
}

// Each command on "A B C D E" (or the start given) with the priority on a
// channel (255: none): "channels / selection@current / priority | told". Rows
// other than the channels, their names and the scan record never change.
TEST(ChannelCommands, ChannelsSelectionCursorAndPriorityAfterEachCommand) {
    using C = ChannelCommand;
    const std::string far = "A " + Many("-", 125) + " Y Z",
                      abc = "A B C D E F G H I J K L M N O P Q";
    const std::string gone5 =
        " | The scan's priority channel (channel 5) is gone; it is now cleared.";
    const std::string full =
        " | Channel 128 is in use. Delete or move it before inserting a channel.";
    const struct {
        std::string start;
        C command;
        const char* selection;
        int priority;
        std::string expected;
    } cases[] = {
        {"", C::MoveUp, "5@5", 5, "A B C E D / 4@4 / 4"},
        {"", C::MoveUp, "5@5", 4, "A B C E D / 4@4 / 5"},
        {"", C::MoveUp, "3,4@3", 4, "A C D B E / 2-3@2 / 3"},
        {"", C::MoveUp, "4,2@4", 255, "B A D C E / 1, 3@3 / 255"},
        {"", C::MoveUp, "1,5@5", 5, "A B C E D / 1, 4@4 / 4"},    // the block at the top stays
        {"", C::MoveDown, "2,4@1", 4, "A C B E D / 3, 5@1 / 5"},  // a cursor off them stays
        {"A B C DEFGH", C::MoveDown, "3@3", 255, "A B DEFGH C / 4@4 / 255"},  // rows 160 and 161
        {"A B C D", C::MoveDown, "3,4@3", 255, "A B - C D / 4-5@4 / 255"},
        {"A B - D", C::MoveUp, "4,4@4", 255, "A B D / 3@3 / 255"},
        {"", C::MoveUp, "1,2@2", 2, "A B C D E / 1-2@2 / 2 refused"},
        {far, C::MoveDown, "127,128@127", 255, far + " / 127-128@127 / 255 refused"},
        {far, C::MoveDown, "127@127", 255, "A " + Many("-", 125) + " Z Y / 128@128 / 255"},
        {far, C::MoveUp, "1@1", 255, far + " / 1@1 / 255 refused"},
        {"A B", C::MoveDown, "1-128@1", 255, "A B / 1-128@1 / 255 refused"},
        {abc, C::MoveDown, "16@16", 16,
         "A B C D E F G H I J K L M N O Q P / 17@17 / 255 | The scan's priority channel (channel "
         "16) moved to channel 17, outside 1 - 16; it is now cleared."},
        {abc, C::MoveDown, "15@15", 15, "A B C D E F G H I J K L M N P O Q / 16@16 / 16"},
        {"", C::Insert, "2@2", 5, "A - B C D E / 2@2 / 6"},
        {"", C::Insert, "3-5@5", 1, "A B - C D E / 3@3 / 1"},  // above the first selected row
        {"", C::Insert, "1@1", 255, "- A B C D E / 1@1 / 255"},
        {"", C::Insert, "6@6", 255, "A B C D E / 6@6 / 255"},
        {Many("@", 128), C::Insert, "@5", 255, Many("@", 128) + " / 5@5 / 255 refused" + full},
        {Many("@", 128), C::Insert, "128@128", 255,
         Many("@", 128) + " / 128@128 / 255 refused" + full},
        {Many("@", 127), C::Insert, "1@1", 255,
         "- " + Many("@", 127) + " / 1@1 / 255"},  // channel 128 free: it fits
        {"", C::Delete, "2,3@2", 5, "A D E / 2@2 / 3"},
        {"", C::Delete, "3,4@4", 255, "A B E / 3@3 / 255"},  // the cursor on the first one's place
        {"", C::Delete, "4,1,4@4", 255, "B C E / 1@1 / 255"},
        {"A - B", C::Delete, "2@2", 255, "A B / 2@2 / 255"},
        {Many("@", 127) + " LAST", C::Delete, "5@5", 255,
         Many("@", 126) + " LAST / 5@5 / 255"},  // 128 moves up, nameless
        {"", C::Delete, "1-128@1", 255, " / 1@1 / 255"},
        {"", C::Delete, "@5", 5, "A B C D / 5@5 / 255" + gone5},
        {"", C::Empty, "4,5@4", 5, "A B C / 4-5@4 / 255" + gone5},
        {"", C::Empty, "2@4", 255, "A - C D E / 2@4 / 255"},
        {"E D C B A", C::SortByName, "@3", 5, "A B C D E / 3@3 / 1"},
        {"CH10 - @146 CH2 AB CH02 B-1 B_1", C::SortByName, "@1", 255,
         "AB B-1 B_1 CH02 CH2 CH10 @ / 1@1 / 255"},
        {"A@446 B@445 C@444", C::SortByRx, "2@1", 1, "C B A / 1@1 / 3"},
        {"B@146 A@145.5 - C@144.5 D@145.5 @136", C::SortByRx, "@1", 255, "@ C A D B / 1@1 / 255"},
        {"- - X@440", C::SortByRx, "@1", 255, "X / 1@1 / 255"},
    };
    for (const auto& k : cases) {
        const Image before = Channels(k.start.empty() ? "A B C D E" : k.start);
        Image image = before;
        image[kPriorityRow][1] = static_cast<std::uint8_t>(k.priority);
        const auto result = RunChannelCommand(k.command, image, Selection(k.selection));
        std::string got = Show(image) + " / " + Shown(result.selection) + " / " +
                          std::to_string(image[kPriorityRow][1]);
        if (!result.done) got += " refused";
        if (result.refusal) got += " | " + std::string(result.refusal->english);
        const std::string trace =
            std::to_string(static_cast<int>(k.command)) + " " + k.selection + " on " + k.start;
        EXPECT_EQ(got + Told(result.notes), k.expected) << trace;
        for (int r = 0; r < 256; ++r) {
            if (r != kPriorityRow && (r < 1 || r > 128) && (r < 160 || r > 199)) {
                EXPECT_EQ(image[r], before[r]) << trace << " row " << r;
            }
        }
    }
}

TEST(ChannelCommands, NameOrderTakesNumbersByValue) {
    for (const char* line :
         {"CH2 < CH10", "CH10 > CH9", "CH02 < CH2", "A < AB", "9 < A", "R007 < R7X", "AB = AB"}) {
        std::istringstream in(line);
        std::string a, order, b;
        in >> a >> order >> b;
        const int r = CompareNames(a, b);
        EXPECT_EQ(r < 0 ? "<" : r > 0 ? ">" : "=", order) << line;
    }
}

// Channels 3..5 ("C D E") with the priority on 4 go to the clipboard whole,
// cut or copied, and are pasted at a place: what the paste changes and
// replaces, the channels and the priority afterwards. A cut one brings the
// setting along as far as it reaches; a copy leaves it, unless the paste lands
// on its channel, when it follows the copy.
TEST(ChannelCommands, PasteLaysWholeChannelsAndThePriorityFollows) {
    // "channel N" stands for where the priority went.
    const auto moved = [](const char* n) {
        return std::string(" | The scan's priority channel is now channel ") + n +
               ", where its channel was pasted.";
    };
    const struct {
        bool cut;
        int at;
        std::string expected;  // "changed / replaced / channels / priority | told"
    } cases[] = {
        {true, 3, "3,4,5 / 0 / A B C D E / 4" + moved("4")},
        {true, 10, "10,11,12 / 0 / A B - - - - - - - C D E / 11" + moved("11")},
        {true, 16, "16,17,18 / 0 / A B - - - - - - - - - - - - - C D E / 255"},
        {false, 10, "10,11,12 / 0 / A B C D E - - - - C D E / 4"},
        {false, 2, "2,3,4 / 3 / A C D E E / 3" + moved("3")},
        {false, 4, "4,5,6 / 2 / A B C C D E / 5" + moved("5")},
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
