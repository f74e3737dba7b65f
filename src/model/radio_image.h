// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio memory image: 16-byte rows, row r holding radio memory r*16 .. r*16+15.
// Rows 0..253 are the radio's programmable memory; 254 and 255 exist only so the
// blank image and the channel file can carry a full 256 x 16 table.

#include <array>
#include <cstdint>

namespace zt {

inline constexpr int kRowBytes = 16;
inline constexpr int kImageRows = 256;  // rows held and saved to a channel file
inline constexpr int kRadioRows = 254;  // rows a read fills (blocks 0..253)
inline constexpr int kWriteRows = 240;  // rows a write sends (blocks 0..239)

using ImageRow = std::array<std::uint8_t, kRowBytes>;
using Image = std::array<ImageRow, kImageRows>;

// Rows with a fixed meaning.
inline constexpr int kVfoRow = 0;               // frequency-mode record, laid out like a channel
inline constexpr int kFirstChannelRow = 1;      // channel c is row c, c = 1..128
inline constexpr int kBandEdgeRow = 153;        // frequency limits of the radio
inline constexpr int kFirstNameRow = 160;       // channel names, 5 codes per channel ...
inline constexpr int kLastNameRow = 199;        // ... laid end to end up to this row
inline constexpr int kOptionRow = 208;          // switch and level settings
inline constexpr int kPasswordRow = 209;        // power-on password and message
inline constexpr int kPresenceRow = 210;        // one bit per channel, cleared = in use
inline constexpr int kIdentificationRow = 212;  // identification tag
inline constexpr int kPowerRow = 240;           // transmit power levels

}  // namespace zt
