#pragma once
// Small text rules the editor windows share: how a box's text is trimmed, how
// its numeric value is read, and how a typed key is described to a key filter.

#include <string>
#include <string_view>

namespace zt {

// The keys a box's key filter sees: a character code, or one of these two.
inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;

namespace edit {

// The text without blanks at either end (only the blank counts, as in the boxes).
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// The numeric value of the leading number of a text: blanks before it are skipped,
// then an optional sign, digits with at most one point, and an optional exponent;
// reading stops at the first character that cannot continue the number. A text
// without a leading number is worth 0.
[[nodiscard]] double LeadingNumber(std::string_view text);

// The number of characters of a UTF-8 text (what a text box counts as its length).
[[nodiscard]] int CharCount(std::string_view utf8);

// A number as the shortest decimal text that reads back to the same value
// (no leading blank, no trailing zeros, "1" for one, "0.5" for a half).
[[nodiscard]] std::string ShortestNumberText(double value);

}  // namespace edit
}  // namespace zt
