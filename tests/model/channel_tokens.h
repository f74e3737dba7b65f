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

}  // namespace zt
