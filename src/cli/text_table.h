// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain-text tables for zt790ctl's reports: columns padded to their widest
// cell (counted in characters, not bytes), two blanks between columns, no
// blanks at the end of a line.

#include <string>
#include <vector>

namespace zt::ctl {

using TableRow = std::vector<std::string>;

// `rightAligned[k]` right-aligns column k (numbers); `indent` starts every line.
[[nodiscard]] std::string TextTable(const std::vector<TableRow>& rows,
                                    const std::vector<bool>& rightAligned = {},
                                    const std::string& indent = "");

}  // namespace zt::ctl
