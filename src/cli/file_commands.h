// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zt790ctl subcommands that work on files and list ports, without a radio:
// show, export-csv, import-csv, new, ports, set and card. Each returns the process exit code.

#include <CLI/CLI.hpp>
#include <functional>

namespace zt::ctl {

void AddShowCommand(CLI::App& app, std::function<int()>& run);
void AddExportCsvCommand(CLI::App& app, std::function<int()>& run);
void AddImportCsvCommand(CLI::App& app, std::function<int()>& run);
void AddNewCommand(CLI::App& app, std::function<int()>& run);
void AddPortsCommand(CLI::App& app, std::function<int()>& run);
void AddSetCommand(CLI::App& app, std::function<int()>& run);
void AddCardCommand(CLI::App& app, std::function<int()>& run);

}  // namespace zt::ctl
