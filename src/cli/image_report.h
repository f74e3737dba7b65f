// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain-text report `zt790ctl show` prints for a channel file: the used
// channels as an aligned table, the band limits, the frequency-mode record and
// the optional features in words.

#include <string>

#include "model/radio_image.h"

namespace zt::ctl {

[[nodiscard]] std::string ChannelTableReport(const Image& image);
[[nodiscard]] std::string BandLimitsReport(const Image& image);
[[nodiscard]] std::string FrequencyModeReport(const Image& image);
[[nodiscard]] std::string OptionsReport(const Image& image);

// All four, separated by blank lines.
[[nodiscard]] std::string ImageReport(const Image& image);

}  // namespace zt::ctl
