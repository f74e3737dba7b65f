// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl: read, write and power adjustment from the command line.
#include <QCoreApplication>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    CLI::App app{"zt790ctl: program ZT790 radios from the command line"};
    app.require_subcommand(1);
    std::function<int()> run;
    zt::ctl::AddReadCommand(app, run);
    zt::ctl::AddWriteCommand(app, run);
    zt::ctl::AddPowerCommand(app, run);
    zt::ctl::AddShowCommand(app, run);
    zt::ctl::AddExportCsvCommand(app, run);
    zt::ctl::AddImportCsvCommand(app, run);
    zt::ctl::AddPortsCommand(app, run);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : zt::ctl::kUsage;
    }
    return run ? run() : zt::ctl::kUsage;
}
