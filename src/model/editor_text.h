// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text rules the editor windows share beyond the number-text rules: how a
// typed key is described to a box's key filter, and how long a box's text is.

#include <string_view>

namespace zt {

// The keys a box's key filter sees: a character code, or one of these two.
inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;

// The number of characters of a UTF-8 text (what a text box counts as its length).
[[nodiscard]] int CharCount(std::string_view utf8);

}  // namespace zt
