// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three transmit power levels of the radio in row 240: bytes 0..2 the low,
// mid and high values (0..255), byte 3 the level adjusted last (0 low, 1 mid,
// 2 high). A write never sends this row; the power window does.

#include <array>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr int kPowerLevelCount = 3;
inline constexpr int kPowerLastAdjustedByte = 3;

// The captions of the power window's three bars, low to high.
inline constexpr std::array<BiText, kPowerLevelCount> kPowerLevelCaptions{
    {{"Low Power", "低功率"}, {"Mid Power", "中功率"}, {"High Power", "高功率"}}};

}  // namespace zt
