// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/model_check.h"

#include "model/catalogue.h"

namespace zt {
namespace {

std::string Band(BandEdges edges) {
    return std::to_string(edges.lowMHz) + "-" + std::to_string(edges.highMHz) + " MHz";
}

// "a ZT790 C1.0 UHF (400-470 MHz)", or "a radio of 1-2 MHz".
BiString Model(BandEdges edges) {
    for (const ModelEntry& m : kModelCatalogue) {
        if (m.lowMHz == edges.lowMHz && m.highMHz == edges.highMHz) {
            const std::string name(m.name);
            return {"a " + name + " (" + Band(edges) + ")", name + "（" + Band(edges) + "）"};
        }
    }
    return {"a radio of " + Band(edges), Band(edges) + " 的对讲机"};
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
