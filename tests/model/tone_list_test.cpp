// SPDX-License-Identifier: GPL-3.0-or-later
// The tone list as the radio knows it: the radio stores list positions, not
// frequencies or code numbers, so every tone's place, its byte pair and its
// text are checked against the radio's documented lists.
#include <gtest/gtest.h>

#include "model/tone_codec.h"

namespace zt {
namespace {

// Positions 1..50, stored as (0, position - 1).
const char* const kCtcss[50] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// Positions 51..157 in normal polarity, stored as (1, n), and 158..264 inverted,
// stored as (2, n), n counted from 0.
const char* const kDcs[107] = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131",
    "132", "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205",
    "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261",
    "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343",
    "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516",
    "523", "526", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// The list text: the visible text with its blanks before and after.
std::string Padded(int position, const std::string& text) {
    const auto [before, after] = position <= 9     ? std::pair{3, 4}
                                 : position <= 12  ? std::pair{2, 4}
                                 : position <= 101 ? std::pair{2, 3}
                                                   : std::pair{1, 3};
    return std::string(before, ' ') + text + std::string(after, ' ');
}

TEST(ToneList, EveryToneInRadioOrderWithItsBytesAndText) {
    const auto list = MakeToneList();
    struct Entry {
        int position;
        TonePair pair;
        std::string text;
    };
    std::vector<Entry> entries{{0, {255, 255}, "   OFF      "}};
    for (int n = 0; n < 50; ++n) {
        entries.push_back({1 + n, {0, std::uint8_t(n)}, Padded(1 + n, kCtcss[n])});
    }
    for (int n = 0; n < 107; ++n) {
        const std::string code = std::string("D") + kDcs[n];
        entries.push_back({51 + n, {1, std::uint8_t(n)}, Padded(51 + n, code + "N")});
        entries.push_back({158 + n, {2, std::uint8_t(n)}, code + "I"});
    }
    ASSERT_EQ(entries.size(), 265u);
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.position);
        EXPECT_EQ(list[static_cast<std::size_t>(e.position)], e.text);
        EXPECT_EQ(ToneToBytes(e.position), e.pair);
        EXPECT_EQ(BytesToTone(e.pair.type, e.pair.index), e.position);
        EXPECT_EQ(ToneToListIndex(e.pair.type, e.pair.index), e.position);
    }
    for (int p = 265; p <= 300; ++p) EXPECT_EQ(list[static_cast<std::size_t>(p)], "") << p;
}

}  // namespace
}  // namespace zt
