// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl export-csv FILE.chann [-o OUT.csv]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "files/text_file.h"
#include "model/channel.h"

namespace zt::ctl {
namespace {

struct ExportArgs {
    std::string file;
    std::string output;
};

int RunExport(const ExportArgs& args) {
    Image image{};
    const FileResult loaded = LoadChannelFile(args.file, image);
    if (!loaded.ok) {
        std::cerr << "zt790ctl: " << loaded.message.english << "\n";
        return kFileError;
    }
    const std::string csv = FormatChannelCsv(image);
    int count = 0;
    for (int c = 1; c <= kChannelCount; ++c) count += IsChannelEmpty(image, c) ? 0 : 1;
    if (args.output.empty() || args.output == "-") {
        std::cout << csv << std::flush;
        return std::cout ? kOk : kFileError;
    }
    std::string error;
    if (!WriteTextFile(args.output, csv, error)) {
        std::cerr << "zt790ctl: " << error << "\n";
        return kFileError;
    }
    std::cerr << "Exported " << count << (count == 1 ? " channel" : " channels") << " to "
              << args.output << "\n";
    return kOk;
}

}  // namespace

void AddExportCsvCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<ExportArgs>();
    CLI::App* cmd = app.add_subcommand(
        "export-csv", "Write the used channels of a .chann file as CSV for other radio tools");
    cmd->add_option("file", args->file, "Channel file")->required();
    cmd->add_option("-o,--output", args->output, "CSV file to write (standard output if omitted)");
    cmd->callback([args, &run] { run = [args] { return RunExport(*args); }; });
}

}  // namespace zt::ctl
