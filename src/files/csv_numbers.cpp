// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_numbers.h"

#include <algorithm>
#include <cctype>

#include "model/freq_codec.h"

namespace zt {

std::optional<std::int64_t> ParseDecimal(std::string_view text, int decimals) {
    const std::string_view t = TrimField(text);
    const std::size_t point = t.find('.');
    const std::string_view whole = t.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : t.substr(point + 1);
    auto digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(whole) || !digits(fraction) || (whole.empty() && fraction.empty()) ||
        whole.size() > 9) {
        return {};
    }
    const std::size_t used =
        std::min<std::size_t>(fraction.size(), static_cast<std::size_t>(decimals));
    if (fraction.substr(used).find_first_not_of('0') != std::string_view::npos) return {};
    std::int64_t value = 0;
    for (const char c : whole) value = value * 10 + (c - '0');
    for (std::size_t k = 0; k < static_cast<std::size_t>(decimals); ++k) {
        value = value * 10 + (k < used ? fraction[k] - '0' : 0);
    }
    return value;
}

std::string UnitsToMHzText(std::int64_t units) { return MHzText(units) + "0"; }

std::string_view TrimField(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::string LowerWord(std::string_view text) {
    std::string out(TrimField(text));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace zt
