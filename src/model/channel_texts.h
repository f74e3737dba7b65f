// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the channel editors show: the grid's header, the channel dialog's field
// captions and the choice lists. The bulk edit dialog and the channel card use
// the same words.

#include <array>
#include <string>
#include <vector>

#include "model/bitext.h"

namespace zt {

inline constexpr BiText kToneOffText{"OFF", "关"};
// Transmit power, in list order: the position is the stored value.
inline constexpr std::array<BiText, 3> kPowerTexts{{{"Low", "低"}, {"Mid", "中"}, {"High", "高"}}};
// Bandwidth, in list order: 0 narrow, 1 wide.
inline constexpr std::array<BiText, 2> kWidthTexts{{{"Narrow", "窄带"}, {"Wide", "宽带"}}};

// The grid's header as one format string per language: "^" centres a column,
// "|" separates columns.
inline constexpr BiText kGridHeader{
    "^Channel|^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^ TX Power |^  W/N  |^  "
    "Name  ",
    "^信道号|^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT解码|^QT/DQT编码|^发射功率|^信道带宽|^信道名称"};
// The grid's column titles without the format marks and the blanks around
// them, in grid column order (Channel, RX, TX, Dec, Enc, Power, W/N, Name).
[[nodiscard]] std::vector<std::string> GridColumnTitles(bool chinese);

// The channel dialog's captions of the fields it edits.
inline constexpr BiText kDecodeCaption{"QT/DQT Decode", "QT/DQT 解码"};
inline constexpr BiText kEncodeCaption{"QT/DQT Encode", "QT/DQT 编码"};
inline constexpr BiText kPowerCaption{"TX Power", "发射功率"};
inline constexpr BiText kWidthCaption{"Wide/Narror", "宽带/窄带"};
inline constexpr BiText kNameCaption{"Channel Name", "信道名称"};
inline constexpr BiText kVoxCaption{"VOX", "声控发射"};
inline constexpr BiText kBclCaption{"BCL", "繁忙锁定"};
inline constexpr BiText kScanAddCaption{"Scan Add", "扫描添加"};
inline constexpr BiText kTxStopCaption{"TX Stop", "禁止发射"};

}  // namespace zt
