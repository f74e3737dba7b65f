// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Images whose channels are written as a line of tokens, for tests of commands
// that move whole channels.

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "table.h"

namespace zt {

// Channels written as tokens, channel 1 first: "-" an empty channel, "NAME" or
// "NAME@MHz" a used one, "@MHz" a used one without a name. Every other byte of
// the record is made from the name, so a record that travels without its name
// (or the other way round) shows as "?".
inline ImageRow RecordFor(const std::string& name) {
    ImageRow r = RowOf({});
    int sum = 0;
    for (char ch : name) sum += ch;
    r[0] = 0;  // receive frequency in bytes 0..3, stored afterwards
    r[4] = static_cast<std::uint8_t>(sum % 100);
    r[8] = 0;
    r[9] = static_cast<std::uint8_t>(sum % 50);
    r[12] = static_cast<std::uint8_t>(0x40 | (name.size() % 3));
    r[13] = 0x20;
    r[15] = static_cast<std::uint8_t>(name.size());
    return r;
}

inline Image Channels(std::string_view tokens) {
    Image image = BlankImage();
    std::istringstream in{std::string(tokens)};
    std::string token;
    for (int c = 1; in >> token; ++c) {
        if (token == "-") continue;
        const auto at = token.find('@');
        const std::string name = token.substr(0, at);
        image[static_cast<std::size_t>(c)] = RecordFor(name);
        StoreBcd(image, c, 0,
                 at == std::string::npos ? UnitsToBcd(44600000 + 1250 * c)
                                         : TextToBcd(token.substr(at + 1)));
        WriteName(image, c, name);
    }
    return image;
}

inline std::string Show(const Image& image) {
    int last = 0;
    for (int c = 1; c <= 128; ++c)
        if (!IsChannelEmpty(image, c) || !ReadName(image, c).empty()) last = c;
    std::string out;
    for (int c = 1; c <= last; ++c) {
        if (c > 1) out += ' ';
        const std::string name = ReadName(image, c);
        ImageRow record = image[static_cast<std::size_t>(c)];
        if (IsChannelEmpty(image, c)) {
            out += name.empty() && record == RowOf({}) ? "-" : "?";
            continue;
        }
        std::fill_n(record.begin(), 4, 255);
        record[0] = 0;
        out += record != RecordFor(name) ? "?" : name.empty() ? "@" : name;
    }
    return out;
}

// Channels as the grid makes them, written as tokens ("NAME@MHz", "-").
inline Image GridChannels(const std::string& tokens) {
    const Image named = Channels(tokens);
    Image image = BlankImage();
    for (int c = 1; c <= 128; ++c) {
        if (IsChannelEmpty(named, c)) continue;
        StoreRxText(image, c, RxText(named, c));
        ApplyGridDefaults(image, c);
        WriteName(image, c, ReadName(named, c));
    }
    return image;
}

// The names of channels 1..12 up to the last used one, "-" for an empty one.
inline std::string Names(const Image& image) {
    std::string out;
    for (int c = 1; c <= 12; ++c)
        out += (c > 1 ? " " : "") + (IsChannelEmpty(image, c) ? "-" : ReadName(image, c));
    return out.substr(0, out.find_last_not_of(" -") + 1);
}

// A published list: a title line, then rows the radio takes and rows it
// cannot (a VHF channel in a UHF radio, a digital mode).
inline const std::string kPublishedList =
    "County net list, March\n"
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\n"
    "1,RPT1,439.250000,-,9.000000,Tone,82.5,82.5,FM,5W\n"
    "2,CALL,145.500000,,0,,88.5,88.5,FM,5W\n"
    "3,SIMPX,433.450000,,0,,88.5,88.5,NFM,2.5W\n"
    "4,DSTAR,438.400000,-,7.6,,88.5,88.5,DV,5W\n";

}  // namespace zt
