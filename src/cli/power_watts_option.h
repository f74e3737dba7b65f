// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// --power-watts LOW,MID,HIGH of export-csv and import-csv: the nominal watts
// each power level stands for in a CSV file.

#include <optional>
#include <string>

#include "files/csv_power.h"

namespace zt::ctl {

// The levels the option's text gives (the usual 1, 2.5 and 5 W when it was not
// given), or nothing with the reason printed.
[[nodiscard]] std::optional<CsvPowerLevels> ParsePowerWattsOption(const std::string& text);

}  // namespace zt::ctl
