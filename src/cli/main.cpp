// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl: the command-line tool, one subcommand per file.
#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "project_version.h"

namespace {

// "zt790ctl: unknown subcommand "x"; the subcommands are: read, write, ..." for
// the first word that is no option and no subcommand (or the lack of any);
// nothing when the command line names a subcommand.
std::string SubcommandProblem(CLI::App& app, int argc, char** argv) {
    std::string names;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
        names += (names.empty() ? "" : ", ") + sub->get_name();
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--version") return {};
        if (arg.starts_with('-')) continue;
        for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
            if (sub->get_name() == arg) return {};
        }
        return "zt790ctl: unknown subcommand \"" + arg + "\"; the subcommands are: " + names;
    }
    return "zt790ctl: give a subcommand: " + names;
}

// The subcommand the command line names: its first word that is no option.
std::string Subcommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') return argv[i];
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    // The card draws text, which takes Qt's fonts and so a GUI application. It
    // opens no window: the offscreen platform needs no display, and a display
    // that is set but gone cannot stop it.
    std::unique_ptr<QCoreApplication> qt;
    if (Subcommand(argc, argv) == "card") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qt = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        qt = std::make_unique<QCoreApplication>(argc, argv);
    }
    CLI::App app{"zt790ctl: program ZT790 radios from the command line"};
    app.set_version_flag("--version",
                         std::string("zt790ctl ") + zt::kProjectVersion + "\n" + zt::kLicenceNotice,
                         "Print the version and exit");
    app.require_subcommand(1);
    app.footer(zt::ctl::ExitCodeHelp() +
               "\nEnvironment:\n"
               "  ZT790_TRACE=FILE  read, write and diff --port add to FILE every byte sent and\n"
               "                    received, with the port's and the time-outs' events, one\n"
               "                    line each, in ms since the command began\n");
    std::function<int()> run;
    zt::ctl::AddReadCommand(app, run);
    zt::ctl::AddWriteCommand(app, run);
    zt::ctl::AddPowerCommand(app, run);
    zt::ctl::AddCloneCommand(app, run);
    zt::ctl::AddDiffCommand(app, run);
    zt::ctl::AddShowCommand(app, run);
    zt::ctl::AddExportCsvCommand(app, run);
    zt::ctl::AddImportCsvCommand(app, run);
    zt::ctl::AddNewCommand(app, run);
    zt::ctl::AddPortsCommand(app, run);
    zt::ctl::AddSetCommand(app, run);
    zt::ctl::AddCardCommand(app, run);
    zt::ctl::AddDoctorCommand(app, run);
    zt::ctl::AddHistoryCommand(app, run);
    if (const std::string problem = SubcommandProblem(app, argc, argv); !problem.empty()) {
        std::cerr << problem << "\nRun with --help for more information.\n";
        return zt::ctl::kUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : zt::ctl::kUsage;
    }
    return run ? run() : zt::ctl::kUsage;
}
