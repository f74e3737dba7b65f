// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of a read or write in zt790ctl's own words, for the progress of one
// radio and of several.

#include <string>

#include "link/exchange_observer.h"

namespace zt::ctl {

// "reading block 17 of 254", "no answer from the radio, trying again in 5 s
// (attempt 2 of 4)".
[[nodiscard]] std::string StepText(const LinkStep& step);

}  // namespace zt::ctl
