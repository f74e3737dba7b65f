// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Squelch tones: the list every tone editor shows (off, 50 CTCSS tones, 107 DCS
// codes in normal and in inverted polarity) and the (type, index) byte pair the
// radio stores. The radio receives list positions, so the order of both lists is
// part of the radio interface.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt {

struct AppState;

// Last list position of each group: 1..50 CTCSS, 51..157 DCS normal,
// 158..264 DCS inverted; 0 is off.
inline constexpr int kToneCtcssEnd = 50;
inline constexpr int kToneDcsNEnd = 157;
inline constexpr int kToneDcsIEnd = 264;

// Type byte of a stored tone.
inline constexpr std::uint8_t kToneCtcss = 0;
inline constexpr std::uint8_t kToneDcsNormal = 1;
inline constexpr std::uint8_t kToneDcsInverted = 2;
inline constexpr std::uint8_t kToneOff = 255;

struct TonePair {
    std::uint8_t type = kToneOff;
    std::uint8_t index = kToneOff;
    friend constexpr bool operator==(const TonePair&, const TonePair&) = default;
};

// CTCSS tones in Hz ("67.0" ...) and DCS codes ("017" ...), in radio order.
extern const std::array<std::string_view, kToneCtcssEnd> kCtcssTones;
extern const std::array<std::string_view, kToneDcsNEnd - kToneCtcssEnd> kDcsCodes;

// The display texts of positions 0..300 with their exact padding ("   OFF      ",
// "   67.0    ", "  D023N   ", "D023I"; 265..300 empty).
[[nodiscard]] std::array<std::string, 301> MakeToneList();
// Fills AppState::ToneList and the three group bounds.
void BuildToneList(AppState& state);

// List position to the stored pair: 0 -> (255, 255); 1..50 -> (0, p-1);
// 51..157 -> (1, p-51); 158..264 -> (2, p-158). Positions outside 0..264 are
// programming errors; they are clamped.
[[nodiscard]] TonePair ToneToBytes(int position);

// How the optional-features window shows a stored pair: 255 in either byte is
// off; other indexes are clamped to the last entry of their group; a type other
// than 0, 1, 2 or 255 gives no position (the list keeps its selection).
[[nodiscard]] std::optional<int> BytesToTone(std::uint8_t type, std::uint8_t index);

// How the channel editors show a stored pair: the type byte decides first, so
// (0, 255) shows the last CTCSS tone; type 255 is off; any other type is off when
// the index is 255 and otherwise gives no position (the cell keeps what it showed).
[[nodiscard]] std::optional<int> ToneToListIndex(std::uint8_t type, std::uint8_t index);

}  // namespace zt
