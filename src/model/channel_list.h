// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lists of channel numbers as people write them: "1-16,20" in, "1-16, 20" out.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

// The channels of a list of numbers and ranges separated by commas ("1-16,20",
// "5", "120-128"; blanks allowed), ascending and each once. Nothing when the
// text is not such a list, a number lies outside 1..128 or a range runs
// backwards.
[[nodiscard]] std::optional<std::vector<int>> ParseChannelList(std::string_view text);

// Ascending channels as runs: "1-20, 25, 30-31"; "" for none.
[[nodiscard]] std::string FormatChannelList(const std::vector<int>& channels);

}  // namespace zt
