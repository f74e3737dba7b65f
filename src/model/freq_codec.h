// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frequencies as the radio stores them: eight packed decimal digits in 10 Hz
// units, two per byte, least significant byte first in the image. The user sees
// them as text in MHz with five decimals.
//
// The arithmetic below copies the radio software's own floating-point habits on
// purpose (a 0.000000001 nudge, digits below 10 Hz cut off, nibbles above 9 read
// as 10..15), so that the same text always gives the same bytes as on the radio.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/radio_image.h"

namespace zt {

// Packed digits D1 D2 | D3 D4 | D5 D6 | D7 D8, most significant byte first (the
// order of AppState::FreqBytes); in the image the same bytes stand reversed.
using BcdFreq = std::array<std::uint8_t, 4>;

// The numeric value of the text (its leading number) packed to 10 Hz, digits
// below 10 Hz dropped. Defined for 0 <= value < 1000 MHz; values beyond what four
// packed bytes can name are clamped rather than wrapped (editors never pass them).
[[nodiscard]] BcdFreq TextToBcd(std::string_view text);
[[nodiscard]] BcdFreq ValueToBcd(double mhz);

// Image bytes in image order (b0 least significant) to the frequency text, for
// example 462.01250; four bytes of 255 give 1666.66665.
[[nodiscard]] std::string BcdToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                                    std::uint8_t b3);
// The same for the four bytes of `image[row][field .. field + 3]`.
[[nodiscard]] std::string BcdToText(const Image& image, int row, int field);
// The numeric value of BcdToText of `image[row][field .. field + 3]`, in MHz.
[[nodiscard]] double BcdToMHz(const Image& image, int row, int field);

// The value of four image bytes in 10 Hz units, nibbles above 9 weighted as
// 10..15 like BcdToText does; exact, for comparing and subtracting frequencies.
[[nodiscard]] std::int64_t BcdToUnits(const Image& image, int row, int field);
// 10 Hz units (0..99999999, clamped) to packed digits.
[[nodiscard]] BcdFreq UnitsToBcd(std::int64_t units);

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
