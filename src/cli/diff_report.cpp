// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/diff_report.h"

#include <vector>

#include "cli/text_table.h"
#include "files/csv_text.h"
#include "model/image_diff.h"
#include "transfer/difference_summary.h"

namespace zt::ctl {
namespace {

std::string TextReport(const std::vector<DiffEntry>& diffs, const std::string& a,
                       const std::string& b) {
    std::string out = "A: " + a + "\nB: " + b + "\n";
    std::string heading;
    std::vector<TableRow> rows;
    auto flush = [&] {
        if (!rows.empty()) out += "\n" + heading + "\n" + TextTable(rows, {}, "  ");
        rows.clear();
    };
    for (const DiffEntry& e : diffs) {
        const std::string h = DiffHeading(e).english;
        if (h != heading) {
            flush();
            heading = h;
        }
        rows.push_back({e.field.english, e.a.english, "->", e.b.english});
    }
    flush();
    const std::size_t n = diffs.size();
    out += n == 0 ? "\nNo differences.\n"
                  : "\n" + std::to_string(n) + (n == 1 ? " difference.\n" : " differences.\n");
    return out;
}

std::string CsvReport(const std::vector<DiffEntry>& diffs, int& left) {
    std::string out = CsvLine({"Channel", "Field", "A", "B"});
    left = 0;
    for (const DiffEntry& e : diffs) {
        if (e.section != DiffSection::Channel) {
            ++left;
            continue;
        }
        // Names come quoted, to show their blanks; CSV has quoting of its own.
        auto plain = [](const std::string& v) {
            return v.size() >= 2 && v.front() == '"' && v.back() == '"' ? v.substr(1, v.size() - 2)
                                                                        : v;
        };
        out += CsvLine(
            {std::to_string(e.item), e.field.english, plain(e.a.english), plain(e.b.english)});
    }
    return out;
}

}  // namespace

DiffReport MakeDiffReport(const Image& a, const Image& b, int rows, const std::string& nameA,
                          const std::string& nameB, bool csv) {
    const std::vector<DiffEntry> diffs = DiffImages(a, b, rows);
    DiffReport report;
    report.same = diffs.empty();
    if (!csv) {
        report.out = TextReport(diffs, nameA, nameB);
        return report;
    }
    int left = 0;
    report.out = CsvReport(diffs, left);
    if (left > 0) {
        report.err = "zt790ctl: " + std::to_string(left) +
                     (left == 1 ? " difference lies" : " differences lie") +
                     " outside the channels; run without --csv to see " +
                     (left == 1 ? "it" : "them") + ".\n";
    }
    return report;
}

}  // namespace zt::ctl
