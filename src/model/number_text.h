// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How numbers are read from and written to the texts the user types and sees.

#include <string>
#include <string_view>

namespace zt {

// The leading number of a text: blanks before it are skipped, then an optional
// sign, digits, a point and more digits are read up to the first character that
// cannot continue the number. No exponent is read, so "4.6e2" is 4.6.
struct LeadingDigits {
    bool negative = false;
    std::string_view whole;     // the digits before the point, perhaps none
    std::string_view fraction;  // the digits after it, perhaps none
};
[[nodiscard]] LeadingDigits ScanLeadingNumber(std::string_view text);

// The value of the leading number: "146.5abc" reads as 146.5; a text without a
// leading number (or an empty text) reads as 0.
[[nodiscard]] double LeadingNumber(std::string_view text);

// The shortest decimal text of a value with at most 15 significant digits, in
// fixed notation, without a leading blank, without trailing zeros and without a
// zero before the point of a value below 1: 462.0125 -> "462.0125", 0.5 -> ".5",
// 462 -> "462", -0.25 -> "-.25", 0 -> "0".
[[nodiscard]] std::string ShortestNumberText(double value);

// The plain number-to-text rule of the interface: ShortestNumberText with one
// leading blank for a value that is not negative (" 400", " .5", "-3").
[[nodiscard]] std::string PlainNumberText(double value);

// The text with blanks (spaces) removed at both ends.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

}  // namespace zt
