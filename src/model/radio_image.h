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

}  // namespace zt
