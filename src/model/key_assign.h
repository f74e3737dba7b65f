// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key assignment: the functions of the two programmable side keys PF1 and PF2.
// The two-byte key record lives in row 214, bytes 0 (PF1) and 1 (PF2): a row the
// radio is written with and that nothing else uses, so it overlaps no channel.

#include <array>
#include <cstdint>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr int kKeyRecordRow = 214;
inline constexpr int kKeyPf1Byte = 0;
inline constexpr int kKeyPf2Byte = 1;

struct KeyFunction {
    BiText name;
    std::uint8_t code;  // what the radio stores for it
};

// List order of both key lists.
inline constexpr std::array<KeyFunction, 12> kKeyFunctions{{
    {{"None", "无"}, 255},
    {{"Autodial", "自动拨号"}, 0},
    {{"Key Lock", "按键锁定"}, 2},
    {{"Key Lock with Backup", "按键锁定及备份"}, 3},
    {{"Monitor", "监听"}, 4},
    {{"Monitor Momentary", "监听瞬时"}, 5},
    {{"Scan", "扫描"}, 6},
    {{"Scan+Temporary Delete", "扫描 + 暂时删除"}, 7},
    {{"Scrambler", "扰频器"}, 8},
    {{"Squelch Off", "取消静噪"}, 9},
    {{"Squelch Off Momentary", "瞬时取消静噪"}, 10},
    {{"Temporary Delete", "暂时删除"}, 11},
}};

struct KeyCaptions {
    BiText window{"Key Assingment", "键设定"};
    BiText pf1{"PF1", "PF1"};
    BiText pf2{"PF2", "PF2"};
    BiText close{"Close", "关闭"};
    BiText help{"Help", "帮助"};
};
inline constexpr KeyCaptions kKeyCaptions{};

// List position that shows a stored code: codes 0 and 1 both show "Autodial",
// codes beyond the list show "None".
[[nodiscard]] int KeyPositionOfCode(std::uint8_t code);
// Code stored for a list position.
[[nodiscard]] std::uint8_t KeyCodeOfPosition(int position);

struct KeyView {
    int pf1 = 0;
    int pf2 = 0;
};
[[nodiscard]] KeyView RefreshKeys(const Image& image);

// A change of either list stores both keys from the lists' selections; a list
// without a selection (-1) leaves its byte alone. The window first replaces an
// empty selection of the list that changed by position 0.
void CommitKeys(Image& image, int pf1Position, int pf2Position);

}  // namespace zt
