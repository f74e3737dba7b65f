// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_list.h"

#include <algorithm>
#include <cctype>

#include "model/channel.h"
#include "model/number_text.h"

namespace zt {

namespace {

std::optional<int> ChannelNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 3) return std::nullopt;
    int n = 0;
    for (char ch : text) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) return std::nullopt;
        n = n * 10 + (ch - '0');
    }
    if (n < 1 || n > kChannelCount) return std::nullopt;
    return n;
}

}  // namespace

std::optional<std::vector<int>> ParseChannelList(std::string_view text) {
    std::vector<int> channels;
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto dash = item.find('-');
        const auto first = ChannelNumber(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : ChannelNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first) return std::nullopt;
        for (int c = *first; c <= *last; ++c) channels.push_back(c);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

std::string FormatChannelList(const std::vector<int>& channels) {
    std::string text;
    for (std::size_t i = 0; i < channels.size();) {
        std::size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(channels[i]);
        if (j > i) text += "-" + std::to_string(channels[j]);
        i = j + 1;
    }
    return text;
}

}  // namespace zt
