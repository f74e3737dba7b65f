// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How zt790ctl names the records the frequency-limit check refuses: every one,
// with its receive and transmit frequency and the band limits, for the write
// refusal and for the marks of `show`.

#include <string>
#include <vector>

#include "model/limits.h"

namespace zt::ctl {

// Every record a write of `image` would refuse: the check runs on the image as
// the write prepares it.
[[nodiscard]] std::vector<LimitFailure> WriteRefusals(const Image& image);

// "channel 2: receive 146.52000 MHz is outside the band limits 400..470 MHz, and
// so is transmit 146.52000 MHz"; "frequency mode: ..." for record 0.
[[nodiscard]] std::string LimitFailureText(const LimitFailure& failure);

// One line per refused record, then what to do. Empty when nothing is refused.
[[nodiscard]] std::string LimitRefusalLines(const std::vector<LimitFailure>& failures);
// What a refused write prints: the lines above and that nothing was sent.
[[nodiscard]] std::string LimitRefusalReport(const std::vector<LimitFailure>& failures);

}  // namespace zt::ctl
