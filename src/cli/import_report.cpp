// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/import_report.h"

#include "cli/file_output.h"
#include "files/csv_import_report.h"

namespace zt::ctl {
namespace {

std::string Where(const std::string& csv, int line) {
    return line > 0 ? csv + ":" + std::to_string(line) + ": " : csv + ": ";
}

}  // namespace

std::string ImportRowsReport(const CsvImportResult& result, const std::string& csv, bool renumbered,
                             const std::string& target) {
    std::string out;
    for (const CsvLineMessage& p : result.problems)
        out += Where(csv, p.line) + CsvReasonsText(p.reasons).english + "\n";
    if (result.renumberingWouldHelp && !renumbered) {
        out +=
            "zt790ctl: --renumber places the rows in file order from channel 1, whatever their "
            "Location\n";
    }
    if (!result.ok) return out + "zt790ctl: nothing imported; " + OutputFate(target) + "\n";
    for (const CsvLineMessage& n : result.notes)
        out += Where(csv, n.line) + "note: " + CsvReasonsText(n.reasons).english + "\n";
    return out;
}

std::string ImportedText(const CsvImportResult& result, const std::string& target) {
    return "Imported " + ChannelCountText(result.channels.size()).english + " into " + target +
           CsvImportTally(result).english + "\n";
}

}  // namespace zt::ctl
