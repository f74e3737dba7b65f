// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image every run starts from: all bytes 255 except the frequency-mode
// record, the band edges, the option and password blocks, the presence bitmap,
// the identification tag and the power levels.

#include "model/radio_image.h"

namespace zt {

struct AppState;

[[nodiscard]] Image BlankImage();

// Writes the blank image into ChannelTable and takes its band edges (400 and
// 470 MHz) over into BandLowMHz / BandHighMHz.
void WriteBlankImage(AppState& state);

}  // namespace zt
