// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers and words as CSV fields give them: exact decimals (no binary
// floating point on the way, so 469.99999 stays below 470), and case-blind
// keywords.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt {

// A decimal without sign ("146.52", "446", ".5", blanks around) as an integer
// in units of 10^-decimals: ParseDecimal("146.52", 5) = 14652000. Nothing for
// another text, for more than nine whole digits, or for non-zero digits finer
// than one unit.
[[nodiscard]] std::optional<std::int64_t> ParseDecimal(std::string_view text, int decimals);

// 10 Hz units as MHz with six decimals, as the layout writes them:
// 46201250 -> "462.012500".
[[nodiscard]] std::string UnitsToMHzText(std::int64_t units);

// The text with blanks and tabs removed at both ends.
[[nodiscard]] std::string_view TrimField(std::string_view text);

// The text with blanks and tabs trimmed and letters in lower case.
[[nodiscard]] std::string LowerWord(std::string_view text);

}  // namespace zt
