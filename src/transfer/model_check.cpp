// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/model_check.h"

#include "model/catalogue.h"

namespace zt {
namespace {

// "a ZT790 C1.0 UHF (400-470 MHz)", or "a radio of 1-2 MHz".
BiString Model(BandEdges edges) {
    const std::string band = BandRangeText(edges);
    if (const ModelEntry* m = FindModel(edges)) {
        const std::string name(m->name);
        return {"a " + name + " (" + band + ")", name + "（" + band + "）"};
    }
    return {"a radio of " + band, band + " 的对讲机"};
}

}  // namespace

std::optional<ModelMismatch> CheckModel(const Image& radio, const Image& image) {
    const ModelMismatch m{ReadBandEdges(radio), ReadBandEdges(image)};
    if (m.radio == m.image) return std::nullopt;
    return m;
}

BiString ModelMismatchText(const ModelMismatch& mismatch) {
    const BiString radio = Model(mismatch.radio);
    const BiString image = Model(mismatch.image);
    return {"The radio is " + radio.english + ", but the image is for " + image.english + ".",
            "对讲机是 " + radio.chinese + "，而数据是为 " + image.chinese + " 编写的 ！"};
}

}  // namespace zt
