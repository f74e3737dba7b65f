// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Broadcast FM presets: 25 stations, one byte each, presets 0..15 in row 154 and
// 16..24 in row 155. A byte c of 0..210 is 87.0 + 0.1 c MHz; anything above 210
// is an empty preset (written as 255).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/bitext.h"
#include "model/editor_prompt.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr int kFmPresetCount = 25;
inline constexpr int kFmLastStep = 210;  // 108.0 MHz
inline constexpr std::uint8_t kFmEmpty = 255;
inline constexpr int kFmFirstRow = 154;
inline constexpr int kFmPresetsInFirstRow = 16;
inline constexpr int kFmEditMaxChars = 5;  // a sixth character empties the cell

struct FmCaptions {
    BiText window{"Radio Frequency", "收音机编辑"};
    BiText close{"Close", "关闭"};
    BiText help{"Help", "帮助"};
    // Grid column format: "^" centres a column, "|" separates the two headers.
    BiText gridFormat{"^Radio Channel |^ Frequency (MHZ)",
                      "^收  音  频  道 |^    频      率  (MHZ) "};
};
inline constexpr FmCaptions kFmCaptions{};

inline constexpr BiText kFmOutOfRange{"Over the range of FM frequency .", "收音机频率超出范围 ！"};

// The two column headers of the grid, taken from its format string.
[[nodiscard]] std::array<std::string, 2> FmGridHeaders(bool languageChinese);

[[nodiscard]] std::uint8_t FmPresetByte(const Image& image, int preset);
void SetFmPresetByte(Image& image, int preset, std::uint8_t value);

// What a cell shows for a stored byte: the FM text of the step, or nothing.
[[nodiscard]] std::string FmCellText(std::uint8_t value);
// The cell texts of all presets (grid rows 1..25).
[[nodiscard]] std::array<std::string, kFmPresetCount> FmGridTexts(const Image& image);

// The byte a cell text stores: empty or outside 87.0..108.0 gives 255, otherwise
// the whole 0.1 MHz steps from 87.0, counted on the decimal digits as typed
// (87.15 gives 1, 108.0 gives 210).
[[nodiscard]] std::uint8_t FmStepOfText(std::string_view cellText);

// Stores one cell, or every cell of the grid.
void StoreFmPreset(Image& image, int preset, std::string_view cellText);
void StoreFmPresets(Image& image, const std::array<std::string, kFmPresetCount>& cellTexts);

// The edit box now holds this text: true when it is too long (six or more
// characters); the window then shows kFmOutOfRange, empties the box and the cell
// and stores that preset, which becomes empty.
[[nodiscard]] bool FmEditTooLong(std::string_view editText);

// Leaving an edited cell: the text the cell takes and the message to show, if any.
// Out of range: a typed text gives the message and the cell becomes "87"; an
// empty text just empties the cell. In range: "88" and "100" become "88.0" and
// "100.0"; other texts stay as typed.
struct FmCommit {
    std::string cellText;
    std::optional<Prompt> message;
};
[[nodiscard]] FmCommit CommitFmEdit(std::string_view editText);

}  // namespace zt
