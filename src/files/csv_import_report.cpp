// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_import_report.h"

namespace zt {

namespace {

std::string Counted(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// "\nline 3: reason" for each line, the skipped ones marked, then how many
// more there are.
void AppendLines(BiString& message, const std::vector<CsvLineMessage>& lines, bool skipped) {
    for (std::size_t i = 0; i < lines.size() && i < kShownCsvLines; ++i) {
        const CsvLineMessage& m = lines[i];
        if (m.line > 0) {
            const std::string n = std::to_string(m.line);
            message.english += "\nline " + n + (skipped ? " skipped: " : ": ") + m.text;
            message.chinese += "\n第 " + n + (skipped ? " 行（已跳过）：" : " 行：") + m.text;
        } else {
            message.english += "\n" + m.text;
            message.chinese += "\n" + m.text;
        }
    }
    if (lines.size() > kShownCsvLines) {
        const std::string more = std::to_string(lines.size() - kShownCsvLines);
        message.english += "\n... " + more + " more";
        message.chinese += "\n…… 另有 " + more + " 条";
    }
}

}  // namespace

BiString ChannelCountText(std::size_t channels) {
    return {Counted(channels, "channel"), std::to_string(channels) + " 个信道"};
}

BiString CsvImportTally(const CsvImportResult& result) {
    BiString tally;
    if (!result.problems.empty()) {
        const std::size_t n = result.problems.size();
        tally.english += "; " + Counted(n, "row") + " skipped";
        tally.chinese += "；跳过 " + std::to_string(n) + " 行";
    }
    if (!result.emptied.empty()) {
        const std::size_t n = result.emptied.size();
        tally.english += "; " + Counted(n, "other channel") + " emptied";
        tally.chinese += "；清空其他 " + std::to_string(n) + " 个信道";
    }
    return tally;
}

BiString CsvImportMessage(const CsvImportResult& result, const CsvImportWording& wording) {
    BiString message;
    if (result.ok) {
        const BiString tally = CsvImportTally(result);
        message.english = wording.stored.english + tally.english + ".";
        message.chinese = wording.stored.chinese + tally.chinese + "。";
    } else {
        message = wording.refused;
    }
    // Skipped rows are marked as such; a refusal's rows are why nothing changed.
    AppendLines(message, result.problems, result.ok);
    if (result.renumberingWouldHelp && !wording.renumberHint.empty()) {
        message.english += "\n" + wording.renumberHint.english;
        message.chinese += "\n" + wording.renumberHint.chinese;
    }
    if (result.ok) AppendLines(message, result.notes, false);
    return message;
}

}  // namespace zt
