// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_table.h"

#include <algorithm>

#include "model/name_codec.h"

namespace zt::ctl {

std::string TextTable(const std::vector<TableRow>& rows, const std::vector<bool>& rightAligned,
                      const std::string& indent) {
    auto width = [](const std::string& text) { return Utf8Characters(text).size(); };
    std::vector<std::size_t> widths;
    for (const TableRow& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t k = 0; k < row.size(); ++k) widths[k] = std::max(widths[k], width(row[k]));
    }
    std::string out;
    for (const TableRow& row : rows) {
        std::string line = indent;
        for (std::size_t k = 0; k < row.size(); ++k) {
            const std::string pad(widths[k] - width(row[k]), ' ');
            const bool right = k < rightAligned.size() && rightAligned[k];
            line += (k > 0 ? "  " : "") + (right ? pad + row[k] : row[k] + pad);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace zt::ctl
