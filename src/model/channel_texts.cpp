// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_texts.h"

#include "model/number_text.h"

namespace zt {

std::vector<std::string> GridColumnTitles(bool chinese) {
    std::vector<std::string> titles;
    std::string_view rest = kGridHeader.in(chinese);
    while (true) {
        const auto bar = rest.find('|');
        std::string_view title = rest.substr(0, bar);
        if (title.starts_with('^')) title.remove_prefix(1);
        titles.emplace_back(TrimBlanks(title));
        if (bar == std::string_view::npos) return titles;
        rest.remove_prefix(bar + 1);
    }
}

}  // namespace zt
