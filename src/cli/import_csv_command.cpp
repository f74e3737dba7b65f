// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl import-csv IN.csv FILE.chann [-o OUT.chann]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "files/text_file.h"

namespace zt::ctl {
namespace {

struct ImportArgs {
    std::string csv;
    std::string file;
    std::string output;
};

std::string Where(const std::string& csv, int line) {
    return line > 0 ? csv + ":" + std::to_string(line) + ": " : csv + ": ";
}

int RunImport(const ImportArgs& args) {
    std::string error;
    const auto text = ReadTextFile(args.csv, error);
    if (!text) {
        std::cerr << "zt790ctl: " << error << "\n";
        return kFileError;
    }
    Image image{};
    const FileResult loaded = LoadChannelFile(args.file, image);
    if (!loaded.ok) {
        std::cerr << "zt790ctl: " << loaded.message.english << "\n";
        return kFileError;
    }
    const CsvImportResult result = ImportChannelCsv(*text, image);
    if (!result.ok) {
        for (const CsvLineMessage& p : result.problems) {
            std::cerr << Where(args.csv, p.line) << p.text << "\n";
        }
        std::cerr << "zt790ctl: nothing imported; "
                  << (args.output.empty() ? args.file : args.output) << " is unchanged\n";
        return kFileError;
    }
    for (const CsvLineMessage& n : result.notes) {
        std::cerr << Where(args.csv, n.line) << "note: " << n.text << "\n";
    }
    const std::string target = args.output.empty() ? args.file : args.output;
    const FileResult saved = SaveChannelFile(target, image);
    if (!saved.ok) {
        std::cerr << "zt790ctl: " << saved.message.english << "\n";
        return kFileError;
    }
    const std::size_t n = result.channels.size();
    std::cerr << "Imported " << n << (n == 1 ? " channel" : " channels") << " into " << target
              << "\n";
    return kOk;
}

}  // namespace

void AddImportCsvCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* cmd = app.add_subcommand(
        "import-csv",
        "Store the channels of a CSV file into a .chann file; every row is checked first and a "
        "bad row changes nothing");
    cmd->add_option("csv", args->csv, "CSV file in the generic layout")->required();
    cmd->add_option("file", args->file, "Channel file to import into")->required();
    cmd->add_option("-o,--output", args->output,
                    "Channel file to write (the input channel file if omitted)");
    cmd->callback([args, &run] { run = [args] { return RunImport(*args); }; });
}

}  // namespace zt::ctl
