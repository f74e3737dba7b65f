// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether an image was made for the radio it is about to be written into: the
// band edges the radio keeps in its own row 153 against the image's. An image
// for a UHF radio written into a VHF one leaves it with channels it cannot use.

#include <optional>

#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

struct ModelMismatch {
    BandEdges radio;
    BandEdges image;
    friend bool operator==(const ModelMismatch&, const ModelMismatch&) = default;
};

// Nothing when the radio's memory and the image have the same band edges.
[[nodiscard]] std::optional<ModelMismatch> CheckModel(const Image& radio, const Image& image);

// "The radio is a ZT790 C1.0 VHF (136-174 MHz), but the image is for a ZT790
// C1.0 UHF (400-470 MHz)."; edges no model has are "a radio of 1-2 MHz".
[[nodiscard]] BiString ModelMismatchText(const ModelMismatch& mismatch);

}  // namespace zt
