// SPDX-License-Identifier: GPL-3.0-or-later
// Whole channels moved, inserted, deleted, emptied and sorted.
#include "model/channel_rows.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "channel_tokens.h"
#include "table.h"

namespace zt {
namespace {

// Runs a command on a start image; the channels afterwards, or "refused" when
// the image stayed exactly as it was. Rows other than channels and names never
// change.
std::string Apply(std::string_view start, const std::function<bool(Image&)>& command) {
    const Image before = Channels(start);
    Image image = before;
    const bool done = command(image);
    for (int r = 0; r < 256; ++r) {
        const bool channelRow = r >= 1 && r <= 128;
        const bool nameRow = r >= 160 && r <= 199;
        if (!channelRow && !nameRow &&
            image[static_cast<std::size_t>(r)] != before[static_cast<std::size_t>(r)])
            return "row " + std::to_string(r) + " changed";
    }
    if (!done) return image == before ? "refused" : "refused but changed";
    return Show(image);
}

std::vector<int> AllChannels() {
    std::vector<int> all;
    for (int c = 1; c <= 128; ++c) all.push_back(c);
    return all;
}

std::string Joined(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers) out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

struct MoveCase {
    const char* start;
    std::vector<int> selected;
    MoveDirection direction;
    const char* expected;  // channels, then the selection's new numbers
};

TEST(ChannelRows, MoveBlocksUpAndDown) {
    constexpr auto Up = MoveDirection::Up;
    constexpr auto Down = MoveDirection::Down;
    std::string far = "A";  // channels 1, 127 and 128 used
    for (int c = 2; c <= 126; ++c) far += " -";
    far += " Y Z";
    const std::string swapped = far.substr(0, far.size() - 3) + "Z Y / 128";
    const MoveCase cases[] = {
        {"A B C D", {2}, Up, "B A C D / 1"},
        {"A B C D", {2, 3}, Up, "B C A D / 1,2"},
        {"A B C D", {4, 2}, Up, "B A D C / 1,3"},
        {"A B C DEFGH", {3}, Down, "A B DEFGH C / 4"},  // a name over rows 160 and 161
        {"A B C D", {1, 3}, Down, "B A D C / 2,4"},
        {"A B C D", {3, 4}, Down, "A B - C D / 4,5"},  // onto empty channels
        {"A B - D", {4, 4}, Up, "A B D / 3"},
        // Past either end: the block stays where it is.
        {"A B C D", {1, 2}, Up, "refused"},
        {"A B C D", {1, 3}, Up, "A C B D / 1,2"},  // the block at the top stays
        {far.c_str(), {127, 128}, Down, "refused"},
        {far.c_str(), {127}, Down, swapped.c_str()},
        {far.c_str(), {1}, Up, "refused"},
        {"A B", AllChannels(), Down, "refused"},
    };
    for (const MoveCase& m : cases) {
        std::vector<int> moved;
        const std::string got = Apply(m.start, [&](Image& image) {
            auto result = MoveChannels(image, m.selected, m.direction);
            if (result) moved = *result;
            return result.has_value();
        });
        EXPECT_EQ(got == "refused" ? got : got + " / " + Joined(moved), m.expected)
            << m.start << " " << Joined(m.selected);
    }
}

TEST(ChannelRows, InsertDeleteAndEmpty) {
    std::string full;  // all 128 channels used
    for (int c = 1; c <= 128; ++c) full += "@146 ";
    const std::string spare = full.substr(5);  // channel 128 free: an insert fits
    std::string shifted = "-";
    for (int c = 1; c <= 127; ++c) shifted += " @";
    const auto insert = [](int c) { return [c](Image& i) { return InsertEmptyChannel(i, c); }; };
    const auto del = [](std::vector<int> cs) {
        return [cs](Image& i) { return DeleteChannels(i, cs), true; };
    };
    const auto empty = [](std::vector<int> cs) {
        return [cs](Image& i) { return EmptyChannels(i, cs), true; };
    };
    const struct {
        const char* start;
        std::function<bool(Image&)> command;
        const char* expected;
    } cases[] = {
        {"A B C", insert(2), "A - B C"},      {"A B C", insert(1), "- A B C"},
        {"A B C", insert(4), "A B C"},        {full.c_str(), insert(128), "refused"},
        {full.c_str(), insert(1), "refused"}, {spare.c_str(), insert(1), shifted.c_str()},
        {"A B C D", del({2}), "A C D"},       {"A B C D", del({3, 1, 3}), "B D"},
        {"A - B", del({2}), "A B"},           {"A B", del(AllChannels()), ""},
        {"A B C", empty({2, 3}), "A"},        {"A B C", empty({1}), "- B C"},
    };
    for (const auto& k : cases) EXPECT_EQ(Apply(k.start, k.command), k.expected) << k.start;

    // Channel 128 moves up when a channel before it goes.
    Image image = Channels(full);
    WriteName(image, 128, "LAST");
    DeleteChannels(image, {5});
    EXPECT_EQ(ReadName(image, 127), "LAST");
    EXPECT_TRUE(IsChannelEmpty(image, 128));
    EXPECT_EQ(ReadName(image, 128), "");
}

TEST(ChannelRows, SortEmptyChannelsLast) {
    const auto byRx = [](Image& i) { return SortChannels(i, ChannelSortKey::RxFrequency), true; };
    const auto byName = [](Image& i) { return SortChannels(i, ChannelSortKey::Name), true; };
    EXPECT_EQ(Apply("B@146 A@145.5 - C@144.5 D@145.5 @136", byRx), "@ C A D B");
    EXPECT_EQ(Apply("- - X@440", byRx), "X");
    EXPECT_EQ(Apply("CH10 - @146 CH2 AB CH02 B-1 B_1", byName), "AB B-1 B_1 CH02 CH2 CH10 @");
    EXPECT_EQ(Apply("Z Y X", byName), "X Y Z");
}

TEST(ChannelRows, NameOrderTakesNumbersByValue) {
    for (const char* line :
         {"CH2 < CH10", "CH10 > CH9", "CH02 < CH2", "A < AB", "9 < A", "R007 < R7X", "AB = AB"}) {
        std::istringstream in(line);
        std::string a, order, b;
        in >> a >> order >> b;
        const int r = CompareNames(a, b);
        EXPECT_EQ(r < 0 ? "<" : r > 0 ? ">" : "=", order) << line;
    }
}

}  // namespace
}  // namespace zt
