// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zt790prog's command line: a file to open, the interface language, the hidden
// menu entries, help and version. Read before the toolkit starts, so --help and
// --version work without a display; the toolkit's own options (-style,
// -platform, ...) pass through to it.

#include <string>
#include <vector>

namespace zt {

struct ProgramOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    bool chinese = false;   // --language zh
    bool advanced = false;  // --advanced
    std::string file;       // a .chann or .csv file to open at start-up
    std::string error;      // what is wrong, for Action::Error
};

// `args` without the program's name.
[[nodiscard]] ProgramOptions ParseProgramOptions(const std::vector<std::string>& args);

[[nodiscard]] std::string ProgramUsage();
[[nodiscard]] std::string ProgramVersion();

}  // namespace zt
