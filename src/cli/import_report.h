// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zt790ctl import-csv says on standard error about the rows of a CSV file.

#include <string>

#include "files/channel_csv.h"

namespace zt::ctl {

// Every bad row and the hint for Locations outside the channels (unless the
// rows were renumbered); then, refused, that nothing was imported and what
// became of `target`, or, stored, every note.
[[nodiscard]] std::string ImportRowsReport(const CsvImportResult& result, const std::string& csv,
                                           bool renumbered, const std::string& target);

// The last line once `target` was written: how many channels went in, and
// what was skipped or emptied.
[[nodiscard]] std::string ImportedText(const CsvImportResult& result, const std::string& target);

}  // namespace zt::ctl
