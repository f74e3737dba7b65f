// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts both channel editors show for the choice lists.

#include <array>

#include "model/bitext.h"

namespace zt {

inline constexpr BiText kToneOffText{"OFF", "关"};
// Transmit power, in list order: the position is the stored value.
inline constexpr std::array<BiText, 3> kPowerTexts{{{"Low", "低"}, {"Mid", "中"}, {"High", "高"}}};
// Bandwidth, in list order: 0 narrow, 1 wide.
inline constexpr std::array<BiText, 2> kWidthTexts{{{"Narrow", "窄带"}, {"Wide", "宽带"}}};

}  // namespace zt
