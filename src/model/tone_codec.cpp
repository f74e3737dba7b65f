// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tone_codec.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/number_text.h"

namespace zt {

const std::array<std::string_view, kToneCtcssEnd> kCtcssTones{
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const std::array<std::string_view, kToneDcsNEnd - kToneCtcssEnd> kDcsCodes{
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131",
    "132", "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205",
    "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261",
    "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343",
    "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516",
    "523", "526", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

namespace {

// Blanks before / after the visible text of the stored entries of the list.
std::string Padded(std::string_view text, int position) {
    std::size_t before = 2;
    std::size_t after = 3;
    if (position == 0) {
        before = 3;
        after = 6;
    } else if (position <= 9) {
        before = 3;
        after = 4;
    } else if (position <= 12) {
        after = 4;
    } else if (position >= 102) {
        before = 1;
    }
    return std::string(before, ' ') + std::string(text) + std::string(after, ' ');
}

}  // namespace

std::array<std::string, 301> MakeToneList() {
    std::array<std::string, 301> list{};
    list[0] = Padded("OFF", 0);
    for (int p = 1; p <= kToneCtcssEnd; ++p) {
        list[static_cast<std::size_t>(p)] = Padded(kCtcssTones[static_cast<std::size_t>(p - 1)], p);
    }
    for (int p = kToneCtcssEnd + 1; p <= kToneDcsNEnd; ++p) {
        const auto code = kDcsCodes[static_cast<std::size_t>(p - kToneCtcssEnd - 1)];
        list[static_cast<std::size_t>(p)] = Padded("D" + std::string(code) + "N", p);
    }
    // Each inverted code is built from its normal twin: the first four visible
    // characters and an I.
    constexpr int kGroup = kToneDcsNEnd - kToneCtcssEnd;
    for (int p = kToneCtcssEnd + 1; p <= kToneDcsNEnd; ++p) {
        const auto normal = TrimBlanks(list[static_cast<std::size_t>(p)]);
        list[static_cast<std::size_t>(p + kGroup)] = std::string(normal.substr(0, 4)) + "I";
    }
    return list;
}

void BuildToneList(AppState& state) {
    state.ToneList = MakeToneList();
    state.ToneCtcssEnd = kToneCtcssEnd;
    state.ToneDcsNEnd = kToneDcsNEnd;
    state.ToneDcsIEnd = kToneDcsIEnd;
}

TonePair ToneToBytes(int p) {
    p = std::min(p, kToneDcsIEnd);
    if (p <= 0) return {kToneOff, kToneOff};
    if (p <= kToneCtcssEnd) return {kToneCtcss, static_cast<std::uint8_t>(p - 1)};
    if (p <= kToneDcsNEnd) {
        return {kToneDcsNormal, static_cast<std::uint8_t>(p - kToneCtcssEnd - 1)};
    }
    return {kToneDcsInverted, static_cast<std::uint8_t>(p - kToneDcsNEnd - 1)};
}

namespace {

std::optional<int> GroupPosition(std::uint8_t type, std::uint8_t index) {
    switch (type) {
        case kToneCtcss:
            return std::min<int>(index, kToneCtcssEnd - 1) + 1;
        case kToneDcsNormal:
            return std::min(kToneCtcssEnd + 1 + index, kToneDcsNEnd);
        case kToneDcsInverted:
            return std::min(kToneDcsNEnd + 1 + index, kToneDcsIEnd);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<int> BytesToTone(std::uint8_t type, std::uint8_t index) {
    if (type == kToneOff || index == kToneOff) return 0;
    return GroupPosition(type, index);
}

std::optional<int> ToneToListIndex(std::uint8_t type, std::uint8_t index) {
    if (auto p = GroupPosition(type, index)) return p;
    if (type == kToneOff || index == kToneOff) return 0;
    return std::nullopt;
}

}  // namespace zt
