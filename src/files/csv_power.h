// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transmit power in the CSV layout. The radio has three levels; a CSV gives
// either a level name or a power in watts ("0.5W", "4 W", "50W"). Each level
// stands for a nominal power, by default the usual figures of this class of
// handheld: Low 1 W, Mid 2.5 W, High 5 W. A power in watts is stored as the
// highest level whose nominal power does not exceed it, so a channel never
// transmits more than its file asks, except below Low, which is the least the
// radio can do.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/bitext.h"

namespace zt {

inline constexpr int kPowerLow = 0;
inline constexpr int kPowerMid = 1;
inline constexpr int kPowerHigh = 2;

struct CsvPowerLevels {
    std::array<int, 3> milliwatts{1000, 2500, 5000};  // Low, Mid, High
    friend bool operator==(const CsvPowerLevels&, const CsvPowerLevels&) = default;
};

// "LOW,MID,HIGH" in watts ("1,2.5,5"): three powers rising from Low to High.
// Nothing, with `error` set in both languages, for any other text.
[[nodiscard]] std::optional<CsvPowerLevels> ParsePowerLevels(std::string_view text,
                                                             BiString& error);

// What a Power field says: a level (a name, or empty for the default High) or
// a power in milliwatts.
struct CsvPowerField {
    std::optional<int> level;
    std::optional<int> milliwatts;
};
// Nothing for a text that is neither ("Max", "5 V").
[[nodiscard]] std::optional<CsvPowerField> ParsePowerField(std::string_view text);

// The level a power in milliwatts is stored as: the highest whose nominal power
// does not exceed it; Low below Low.
[[nodiscard]] int LevelForMilliwatts(int milliwatts, const CsvPowerLevels& levels);

// Watts with at least one decimal: 500 -> "0.5", 5000 -> "5.0", 1250 -> "1.25".
[[nodiscard]] std::string WattsText(int milliwatts);

[[nodiscard]] std::string_view PowerLevelName(int level);  // "Low", "Mid", "High"

}  // namespace zt
