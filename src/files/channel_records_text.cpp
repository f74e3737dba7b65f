// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_records_text.h"

#include <algorithm>
#include <charconv>

namespace zt {

namespace {

constexpr std::string_view kFirstLine = "zt790prog channel records 1";
constexpr int kValuesPerLine = kRowBytes + kNameLength + 1;

std::string_view Line(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// The line's values, when it holds exactly kValuesPerLine of 0..255.
std::optional<std::array<std::uint8_t, kValuesPerLine>> Values(std::string_view line) {
    std::array<std::uint8_t, kValuesPerLine> values{};
    std::size_t n = 0;
    const char* p = line.data();
    const char* end = line.data() + line.size();
    while (true) {
        while (p != end && *p == ' ') ++p;
        if (p == end) break;
        unsigned v = 0;
        const auto [next, error] = std::from_chars(p, end, v);
        if (error != std::errc() || v > 255 || n == values.size()) return std::nullopt;
        values[n++] = static_cast<std::uint8_t>(v);
        p = next;
    }
    if (n != values.size()) return std::nullopt;
    return values;
}

}  // namespace

std::string FormatChannelRecords(std::span<const ClipChannel> channels) {
    std::string text(kFirstLine);
    text += "\r\n";
    for (const ClipChannel& c : channels) {
        std::string line;
        const auto add = [&line](int v) { line += (line.empty() ? "" : " ") + std::to_string(v); };
        for (std::uint8_t b : c.slot.record) add(b);
        for (std::uint8_t b : c.slot.name) add(b);
        add(c.references);
        text += line + "\r\n";
    }
    return text;
}

std::optional<std::vector<ClipChannel>> ParseChannelRecords(std::string_view text) {
    if (Line(text) != kFirstLine) return std::nullopt;
    std::vector<ClipChannel> channels;
    while (!text.empty()) {
        const std::string_view line = Line(text);
        if (line.empty()) continue;
        const auto values = Values(line);
        if (!values || channels.size() == kChannelCount) return std::nullopt;
        ClipChannel c;
        std::copy_n(values->begin(), kRowBytes, c.slot.record.begin());
        std::copy_n(values->begin() + kRowBytes, kNameLength, c.slot.name.begin());
        c.references = values->back();
        channels.push_back(c);
    }
    return channels;
}

}  // namespace zt
