// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/channels_option.h"

#include <iostream>

#include "model/channel.h"
#include "model/channel_list.h"

namespace zt::ctl {

std::optional<std::vector<int>> ParseChannelsOption(const std::string& text) {
    if (text.empty()) {
        std::vector<int> all;
        for (int c = 1; c <= kChannelCount; ++c) all.push_back(c);
        return all;
    }
    auto channels = ParseChannelList(text);
    if (!channels) {
        std::cerr << "zt790ctl: --channels " << text
                  << " is not a list of channels 1..128 such as 1-16,20\n";
    }
    return channels;
}

}  // namespace zt::ctl
