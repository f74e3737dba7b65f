// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_references.h"

#include <algorithm>
#include <string>

#include "model/scan_info.h"

namespace zt {

namespace {

std::uint8_t& Byte(Image& image, const ChannelReference& r) {
    return image[static_cast<std::size_t>(r.row)][static_cast<std::size_t>(r.byte)];
}

// The channel a reference names, or 0.
int Named(const Image& image, const ChannelReference& r) {
    const int v = image[static_cast<std::size_t>(r.row)][static_cast<std::size_t>(r.byte)];
    return v >= r.first && v <= r.last ? v : 0;
}

std::string Range(const ChannelReference& r) {
    return std::to_string(r.first) + " - " + std::to_string(r.last);
}

}  // namespace

ChannelMap ChannelMap::Identity() {
    ChannelMap map;
    for (int c = 1; c <= kChannelCount; ++c) map.to[static_cast<std::size_t>(c)] = c;
    return map;
}

const std::vector<ChannelReference>& ChannelReferences() {
    static const std::vector<ChannelReference> references{
        {{"The scan's priority channel", "扫描优先信道"},
         kScanRecordRow,
         kScanPriorityChannelByte,
         kScanFirstPriorityChannel,
         kScanLastPriorityChannel,
         255},
    };
    return references;
}

ReferenceSet ReferencesTo(const Image& image, int c) {
    ReferenceSet set = 0;
    const auto& refs = ChannelReferences();
    for (std::size_t i = 0; i < refs.size(); ++i)
        if (Named(image, refs[i]) == c) set = static_cast<ReferenceSet>(set | (1u << i));
    return set;
}

std::vector<BiString> FollowChannels(Image& image, const ChannelMap& map,
                                     std::span<const ReferenceLanding> landed) {
    std::vector<BiString> told;
    const auto& refs = ChannelReferences();
    for (std::size_t i = 0; i < refs.size(); ++i) {
        const ChannelReference& r = refs[i];
        const int was = Named(image, r);
        const int now = was ? map.to[static_cast<std::size_t>(was)] : 0;
        if (now >= r.first && now <= r.last) {
            Byte(image, r) = static_cast<std::uint8_t>(now);
            continue;
        }
        const std::string en(r.name.english);
        const std::string zh(r.name.chinese);
        const auto landing = std::find_if(landed.begin(), landed.end(), [&](const auto& l) {
            return (l.references & (1u << i)) && l.channel >= r.first && l.channel <= r.last;
        });
        if (landing != landed.end()) {
            const std::string at = std::to_string(landing->channel);
            Byte(image, r) = static_cast<std::uint8_t>(landing->channel);
            told.push_back({en + " is now channel " + at + ", where its channel was pasted.",
                            zh + "现为信道 " + at + "（其信道粘贴到的位置）。"});
            continue;
        }
        if (was == 0) continue;
        Byte(image, r) = r.none;
        const std::string from = std::to_string(was);
        if (now == 0) {
            told.push_back({en + " (channel " + from + ") is gone; it is now cleared.",
                            zh + "（信道 " + from + "）已不存在，已清除。"});
        } else {
            const std::string to = std::to_string(now);
            told.push_back({en + " (channel " + from + ") moved to channel " + to + ", outside " +
                                Range(r) + "; it is now cleared.",
                            zh + "（信道 " + from + "）已移至信道 " + to + "，超出 " + Range(r) +
                                "，已清除。"});
        }
    }
    return told;
}

}  // namespace zt
