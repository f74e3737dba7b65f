// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// --channels LIST of set and card: which channels a command works on.

#include <optional>
#include <string>
#include <vector>

namespace zt::ctl {

// The channels of "1-16,20"; every channel 1..128 for an empty text; nothing,
// with the reason printed, for a text that is no such list.
[[nodiscard]] std::optional<std::vector<int>> ParseChannelsOption(const std::string& text);

}  // namespace zt::ctl
