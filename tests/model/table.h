// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers that let a table of cases, or a whole image row, be written on a line.

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <iomanip>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/bitext.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/radio_image.h"

namespace zt {

// Runs one rule over a list of inputs and joins what it gives with "|".
template <class In, class Rule>
std::string Each(std::initializer_list<In> inputs, Rule rule) {
    std::ostringstream out;
    out << std::boolalpha << std::setprecision(15);
    bool first = true;
    for (const In& in : inputs) {
        if (!first) out << "|";
        first = false;
        out << rule(in);
    }
    return out.str();
}

// A key typed into a box holding a text.
using Key = std::pair<const char*, char32_t>;

// The lines of a table written as a raw string, each cut at "|" into N fields
// (a blank either side of a bar is not the field's), the last holding the rest
// of the line; "\n" stands for a line break.
template <std::size_t N>
std::vector<std::array<std::string, N>> Rows(std::string_view raw) {
    std::vector<std::array<std::string, N>> rows;
    std::istringstream in{std::string(raw)};
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        for (std::size_t at; (at = line.find("\\n")) != std::string::npos;)
            line.replace(at, 2, "\n");
        std::array<std::string, N>& row = rows.emplace_back();
        for (std::size_t k = 0, at = 0; k < N; ++k) {
            const std::size_t bar = k + 1 < N ? line.find('|', at) : std::string::npos;
            row[k] = line.substr(at, bar == std::string::npos ? bar : bar - at);
            if (bar != std::string::npos && row[k].ends_with(' ')) row[k].pop_back();
            at = bar == std::string::npos ? line.size() : bar + 1;
            if (line[at] == ' ') ++at;
        }
    }
    return rows;
}

// Runs a key filter over a list of (box text, key) cases.
template <class Filter>
std::string Keys(std::initializer_list<Key> keys, Filter filter) {
    return Each<Key>(keys, [&](Key k) { return filter(k.first, k.second); });
}

// The texts of a list in one language, joined with "|".
inline std::string Joined(std::span<const BiText> items, bool chinese) {
    std::string text;
    for (const BiText& item : items) {
        text += (text.empty() ? "" : "|") + std::string(item.in(chinese));
    }
    return text;
}

// Bytes in hex, as "0A FF".
inline std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, " %02X", b);
        text += two;
    }
    return text.substr(text.empty() ? 0 : 1);
}

// Texts joined with "|".
template <std::size_t N>
std::string Joined(const std::array<std::string, N>& texts) {
    std::string text;
    for (const std::string& t : texts) text += (&t == texts.data() ? "" : "|") + t;
    return text;
}

// An image row that starts with these bytes and holds 255 after them.
inline ImageRow RowOf(std::initializer_list<int> head) {
    ImageRow row;
    row.fill(255);
    std::copy(head.begin(), head.end(), row.begin());
    return row;
}

// Puts a channel written on a line: its name ("-" none), receive frequency and
// offset in MHz, decode and encode tone bytes (type:index), then bytes 12, 13
// and 14..15 in hex, as in "RPT 439.25 7.6 0:0 1:1 80 30 FFFF".
inline void PutChannel(Image& image, int c, const std::string& text) {
    std::istringstream in(text);
    std::string name, rx, offset;
    unsigned bytes[6], flags1, flags2, spare;
    char colon;
    in >> name >> rx >> offset >> bytes[0] >> colon >> bytes[1] >> bytes[2] >> colon >> bytes[3] >>
        std::hex >> flags1 >> flags2 >> spare;
    StoreBcd(image, c, 0, TextToBcd(rx));
    StoreBcd(image, c, 4, TextToBcd(offset));
    bytes[4] = flags1, bytes[5] = flags2;
    auto& row = image[static_cast<std::size_t>(c)];
    std::copy_n(bytes, 6, row.begin() + 8);
    row[14] = static_cast<std::uint8_t>(spare >> 8), row[15] = static_cast<std::uint8_t>(spare);
    WriteName(image, c, name == "-" ? "" : name);
}

}  // namespace zt
