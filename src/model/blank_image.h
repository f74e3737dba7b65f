// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image every run starts from: all bytes 255 except the frequency-mode
// record, the band edges, the option and password blocks, the presence bitmap,
// the identification tag and the power levels.

#include "model/radio_image.h"

namespace zt {

struct AppState;

[[nodiscard]] Image BlankImage();

// What confirming catalogue entry `index` (0..6) in the model dialog writes into
// an image: the entry's band edges into row 153, and the lower edge + 0.625 MHz
// as the frequency-mode record's receive frequency (row 0, bytes 0..3).
void ApplyModelToImage(Image& image, int index);

// The blank image for a model: BlankImage with entry `index` confirmed, the
// file a user gets by starting the program, choosing that model and saving.
[[nodiscard]] Image BlankImageForModel(int index);

// Writes the blank image into ChannelTable and takes its band edges (400 and
// 470 MHz) over into BandLowMHz / BandHighMHz.
void WriteBlankImage(AppState& state);

}  // namespace zt
