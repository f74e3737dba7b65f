// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_paste.h"

#include <algorithm>

#include "model/limits.h"

namespace zt {

std::vector<ClipChannel> ClipChannels(const Image& image, const std::vector<int>& channels) {
    std::vector<ClipChannel> clip;
    clip.reserve(channels.size());
    for (int c : channels) clip.push_back({TakeChannel(image, c), ReferencesTo(image, c)});
    return clip;
}

std::optional<Image> LayChannels(const Image& image, int first, std::span<const ClipChannel> clip) {
    if (first < 1 || first + static_cast<int>(clip.size()) - 1 > kChannelCount) return std::nullopt;
    Image after = image;
    int c = first;
    for (const ClipChannel& channel : clip) PutChannel(after, c++, channel.slot);
    return after;
}

PasteEffect ComparePaste(const Image& before, const Image& after, std::vector<int> targets) {
    PasteEffect effect;
    effect.targets = std::move(targets);
    std::vector<int> sorted = effect.targets;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (int c : sorted) {
        if (TakeChannel(before, c) == TakeChannel(after, c)) continue;
        effect.changed.push_back(c);
        if (!IsChannelEmpty(before, c)) ++effect.replaced;
    }
    return effect;
}

std::vector<BiString> CommitPaste(Image& image, const Image& after, const PasteEffect& effect,
                                  int first, std::span<const ClipChannel> clip) {
    // Settings live outside the channel rows; only the channels come from `after`.
    for (int c = 1; c <= kChannelCount; ++c) PutChannel(image, c, TakeChannel(after, c));
    ChannelMap map = ChannelMap::Identity();
    for (int c : effect.changed) map.to[static_cast<std::size_t>(c)] = 0;
    std::vector<ReferenceLanding> landed;
    int c = first;
    for (const ClipChannel& channel : clip) landed.push_back({channel.references, c++});
    return FollowChannels(image, map, landed);
}

std::vector<int> ChannelsOutsideLimits(const Image& image, const std::vector<int>& channels) {
    const BandEdges limits = ReadBandEdges(image);
    std::vector<int> outside;
    for (int c : channels) {
        if (!IsChannelEmpty(image, c) && RecordLimitFailure(image, c, limits)) outside.push_back(c);
    }
    return outside;
}

}  // namespace zt
