// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band edges of the radio (its frequency limits), in whole MHz, as image row
// 153 stores them, and the band test every frequency entry uses.

#include <array>
#include <concepts>
#include <cstdint>

#include "model/freq_codec.h"
#include "model/radio_image.h"

namespace zt {

struct AppState;

struct BandEdges {
    int lowMHz = 0;
    int highMHz = 0;
    friend constexpr bool operator==(const BandEdges&, const BandEdges&) = default;
};

// One edge E (0..999 MHz, clamped) as two bytes, low byte first:
// low = (E mod 10) * 16, high = (E / 100) * 16 + (E mod 100) / 10.
// 136 -> {0x60, 0x13}; 470 -> {0x00, 0x47}.
[[nodiscard]] std::array<std::uint8_t, 2> EncodeBandEdge(int mhz);
// The edge back from its two bytes; the 100 kHz digit (low nibble of the low
// byte) is ignored, nibbles above 9 count as 10..15.
[[nodiscard]] int DecodeBandEdge(std::uint8_t low, std::uint8_t high);

// Lower edge from bytes 0..1 of row 153, upper edge from bytes 2..3.
[[nodiscard]] BandEdges ReadBandEdges(const Image& image);
void WriteBandEdges(Image& image, BandEdges edges);

// Takes the edges of row 153 over into BandLowMHz / BandHighMHz.
void RecomputeBandEdges(AppState& state);

// The band test of every frequency entry, on the frequency as it is stored:
// low <= f < high (the upper edge itself is outside: with 400 and 470,
// 469.99999 is in band and 470 is not).
[[nodiscard]] bool InBand(FreqUnits f, double lowMHz, double highMHz);
// The same against the edges in force.
[[nodiscard]] bool InBand(const AppState& state, FreqUnits f);
// A frequency in MHz held as a double would be taken for 10 Hz units.
template <std::floating_point T>
bool InBand(const AppState& state, T mhz) = delete;

}  // namespace zt
