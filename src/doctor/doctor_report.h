// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The doctor's report in either language: a table of every port's checks
// (port, check, result, detail), then what to do. Front ends lay the table out
// their own way; the keys name checks and results in data for scripts.

#include <string>
#include <vector>

#include "doctor/doctor.h"

namespace zt {

[[nodiscard]] BiText CheckName(Check check);
[[nodiscard]] const char* CheckKey(Check check);  // "device", "adapter", ...
[[nodiscard]] BiText VerdictName(Verdict verdict);
[[nodiscard]] const char* VerdictKey(
    Verdict verdict);  // "ok", "note", "warning", "failed", "skipped"

// A header row, then one row per check of each port; the port only on its first.
[[nodiscard]] std::vector<std::vector<std::string>> DoctorTable(
    const std::vector<PortDiagnosis>& ports, bool chinese);
// "What to do:" and each failed check's advice, or that nothing needs doing;
// lines ending with a line break.
[[nodiscard]] std::string DoctorAdvice(const std::vector<PortDiagnosis>& ports, bool chinese);

}  // namespace zt
