// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_power.h"

#include <array>

#include "files/csv_numbers.h"

namespace zt {
namespace {

// A power in watts, with or without its unit ("4", "4W", "4 w", "500mW"), in
// milliwatts; nothing for another text or one above 1 MW.
std::optional<int> Milliwatts(std::string_view text) {
    std::string t = LowerWord(text);
    int scale = 3;  // decimals of a watt value
    if (t.ends_with("mw")) {
        t.resize(t.size() - 2);
        scale = 0;
    } else if (t.ends_with('w')) {
        t.pop_back();
    }
    const auto value = ParseDecimal(t, scale);
    if (!value || *value > 1'000'000'000) return {};
    return static_cast<int>(*value);
}

}  // namespace

std::optional<CsvPowerLevels> ParsePowerLevels(std::string_view text, BiString& error) {
    CsvPowerLevels levels;
    std::size_t start = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string_view::npos) != (k == 2)) {
            error = {"give three powers in watts, Low, Mid and High, such as 1,2.5,5",
                     "请给出三个以瓦为单位的功率：低、中、高，例如 1,2.5,5"};
            return {};
        }
        const std::string_view part = text.substr(start, comma - start);
        const auto mw = Milliwatts(part);
        if (!mw || *mw == 0) {
            const std::string quoted = "\"" + std::string(part) + "\"";
            error = {quoted + " is not a power in watts", quoted + " 不是以瓦为单位的功率"};
            return {};
        }
        levels.milliwatts[k] = *mw;
        start = comma + 1;
    }
    if (levels.milliwatts[0] >= levels.milliwatts[1] ||
        levels.milliwatts[1] >= levels.milliwatts[2]) {
        error = {"the powers must rise from Low to Mid to High", "功率必须由低到中到高依次增大"};
        return {};
    }
    return levels;
}

std::optional<CsvPowerField> ParsePowerField(std::string_view text) {
    const std::string word = LowerWord(text);
    struct Name {
        std::string_view text;
        int level;
    };
    static constexpr std::array<Name, 11> kNames{{{"low", kPowerLow},
                                                  {"lo", kPowerLow},
                                                  {"l", kPowerLow},
                                                  {"mid", kPowerMid},
                                                  {"med", kPowerMid},
                                                  {"medium", kPowerMid},
                                                  {"m", kPowerMid},
                                                  {"high", kPowerHigh},
                                                  {"hi", kPowerHigh},
                                                  {"h", kPowerHigh},
                                                  {"", kPowerHigh}}};
    for (const Name& name : kNames) {
        if (word == name.text) return CsvPowerField{name.level, {}};
    }
    if (const auto mw = Milliwatts(word)) return CsvPowerField{{}, *mw};
    return {};
}

int LevelForMilliwatts(int milliwatts, const CsvPowerLevels& levels) {
    int level = kPowerLow;
    for (int k = kPowerLow; k <= kPowerHigh; ++k) {
        if (levels.milliwatts[static_cast<std::size_t>(k)] <= milliwatts) level = k;
    }
    return level;
}

std::string WattsText(int milliwatts) {
    std::string fraction = std::to_string(milliwatts % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
    return std::to_string(milliwatts / 1000) + "." + fraction;
}

std::string_view PowerLevelName(int level) {
    static constexpr std::array<std::string_view, 3> kLevel{"Low", "Mid", "High"};
    return kLevel.at(static_cast<std::size_t>(level));
}

}  // namespace zt
