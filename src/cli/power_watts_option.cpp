// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/power_watts_option.h"

#include <iostream>

namespace zt::ctl {

std::optional<CsvPowerLevels> ParsePowerWattsOption(const std::string& text) {
    if (text.empty()) return CsvPowerLevels{};
    BiString error;
    const auto levels = ParsePowerLevels(text, error);
    if (!levels) std::cerr << "zt790ctl: --power-watts " << text << ": " << error.english << "\n";
    return levels;
}

}  // namespace zt::ctl
