// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/blank_image.h"

#include <algorithm>
#include <initializer_list>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/catalogue.h"
#include "model/freq_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

void SetFields(ImageRow& row, std::initializer_list<int> values) {
    std::size_t f = 0;
    for (const int v : values) row.at(f++) = static_cast<std::uint8_t>(v);
}

}  // namespace

Image BlankImage() {
    Image image{};
    for (auto& row : image) row.fill(255);

    // 462.01250 MHz, offset 10 MHz, tones off, high power, simplex, wide.
    SetFields(image[kVfoRow], {0x50, 0x12, 0x20, 0x46, 0, 0, 0, 1, 255, 255, 255, 255, 2, 32});
    SetFields(image[kBandEdgeRow], {0, 64, 0, 71});  // 400..470 MHz
    SetFields(image[kOptionRow], {5, 113, 129, 3, 0, 4, 3, 0, 0, 0, 0, 0, 0});
    SetFields(image[kPasswordRow], {255, 255, 255, 255, 19, 16, 23, 23, 26});  // HELLO
    image[kPresenceRow].fill(0);
    SetFields(image[kIdentificationRow], {'Z', 'T', ' ', '7', '9', '0', '2', 2});
    SetFields(image[kPowerRow], {50, 100, 200});
    return image;
}

void ApplyModelToImage(Image& image, int index) {
    const ModelEntry& entry = kModelCatalogue.at(static_cast<std::size_t>(index));
    WriteBandEdges(image, {entry.lowMHz, entry.highMHz});
    StoreFreqText(image, ShortestNumberText(entry.lowMHz) + ".625", kVfoRow, 0);
}

Image BlankImageForModel(int index) {
    Image image = BlankImage();
    ApplyModelToImage(image, index);
    return image;
}

void WriteBlankImage(AppState& state) {
    state.ChannelTable = BlankImage();
    RecomputeBandEdges(state);
}

}  // namespace zt
