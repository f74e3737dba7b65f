// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frequencies as the radio stores them: eight packed decimal digits in 10 Hz
// units, two per byte, least significant byte first in the image. The user sees
// them as text in MHz with five decimals.
//
// Between the text the user typed and the text shown, a frequency is one exact
// integer, FreqUnits, in the 10 Hz units the radio packs: 446.00000 MHz is
// 44600000. A text is read digit by digit (digits below 10 Hz are cut off, never
// carried upward), and every comparison, sum and difference of frequencies is
// done on these integers: binary floating point on decimal MHz rounds the wrong
// way at band edges (334.09707 - 234.09707 is not 100 in a double). Nibbles
// above 9, which only a foreign image can hold, weigh 10..15 as in the text form.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/radio_image.h"

namespace zt {

using FreqUnits = std::int64_t;
inline constexpr FreqUnits kUnitsPerMHz = 100000;

// Whole MHz of a frequency, rounded down (also below zero).
[[nodiscard]] constexpr FreqUnits WholeMHz(FreqUnits units) {
    return units >= 0 ? units / kUnitsPerMHz : -((-units + kUnitsPerMHz - 1) / kUnitsPerMHz);
}

// The leading number of a text (blanks, an optional sign, digits, a point and
// more digits, up to the first character that cannot continue the number; none
// reads as 0) in 10 Hz units, the digits below 10 Hz dropped: "145.123456" gives
// 14512345, "446" 44600000, "146.5abc" 14650000, "-5" -500000. Absurdly long
// whole parts saturate instead of overflowing.
[[nodiscard]] FreqUnits TextToUnits(std::string_view text);

// The shortest decimal text of a frequency in MHz, for display: 44600000 ->
// "446", 44650000 -> "446.5", 50000 -> ".5" (no zero before the point), -25000
// -> "-.25", 0 -> "0".
[[nodiscard]] std::string UnitsText(FreqUnits units);

// A frequency in MHz with all five decimals, as reports and comparisons show
// it: 44600625 -> "446.00625", -25000 -> "-0.25000".
[[nodiscard]] std::string MHzText(FreqUnits units);

// Packed digits D1 D2 | D3 D4 | D5 D6 | D7 D8, most significant byte first (the
// order of AppState::FreqBytes); in the image the same bytes stand reversed.
using BcdFreq = std::array<std::uint8_t, 4>;

// The leading number of the text packed: UnitsToBcd(TextToUnits(text)).
// Defined for 0 <= value < 1000 MHz; a value outside is clamped into that range
// rather than wrapped (editors never pass one).
[[nodiscard]] BcdFreq TextToBcd(std::string_view text);

// Image bytes in image order (b0 least significant) to the frequency text, for
// example 462.01250; four bytes of 255 give 1666.66665.
[[nodiscard]] std::string BcdToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                                    std::uint8_t b3);
// The same for the four bytes of `image[row][field .. field + 3]`.
[[nodiscard]] std::string BcdToText(const Image& image, int row, int field);

// The value of four image bytes in 10 Hz units, nibbles above 9 weighted as
// 10..15 like BcdToText does; exact, for comparing and subtracting frequencies.
[[nodiscard]] FreqUnits BcdToUnits(const Image& image, int row, int field);
// 10 Hz units (0..99999999, clamped) to packed digits.
[[nodiscard]] BcdFreq UnitsToBcd(FreqUnits units);

// The padding applied before a text is stored: blanks trimmed, a point appended
// to a text of 1 to 3 characters, then zeros up to 9 characters (446 ->
// 446.00000, 46.5 -> 46.500000).
[[nodiscard]] std::string PadFreqText(std::string_view text);

// Writes packed digits into `image[row][field .. field + 3]`, least significant
// first.
void StoreBcd(Image& image, int row, int field, const BcdFreq& bcd);

// Pads the text, packs it and stores it at `image[row][field .. field + 3]`.
// Returns the padded text (the caller shows it).
std::string StoreFreqText(Image& image, std::string_view text, int row, int field);

// Text in MHz of broadcast FM step n (87.0 + 0.1 n): 0 -> "87.0", 130 -> "100.0".
[[nodiscard]] std::string FmPresetText(int n);

}  // namespace zt
