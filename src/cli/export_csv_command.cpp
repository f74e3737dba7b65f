// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl export-csv FILE.chann [-o OUT.csv] [--power-watts L,M,H]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/file_output.h"
#include "cli/power_watts_option.h"
#include "files/channel_csv.h"
#include "model/channel.h"

namespace zt::ctl {
namespace {

struct ExportArgs {
    std::string file;
    std::string output;
    std::string powerWatts;
};

int RunExport(const ExportArgs& args) {
    const auto power = ParsePowerWattsOption(args.powerWatts);
    if (!power) return kUsage;
    Image image{};
    if (!LoadInputFile(args.file, image)) return kFileError;
    const std::string csv = FormatChannelCsv(image, *power);
    int count = 0;
    for (int c = 1; c <= kChannelCount; ++c) count += IsChannelEmpty(image, c) ? 0 : 1;
    if (args.output.empty() || args.output == "-") {
        std::cout << csv << std::flush;
        return std::cout ? kOk : kFileError;
    }
    if (!WriteOutputFile(args.output, csv)) return kFileError;
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
    cmd->add_option("--power-watts", args->powerWatts,
                    "Nominal watts written for Low, Mid and High (default 1,2.5,5)")
        ->option_text("LOW,MID,HIGH");
    cmd->footer("Power is written as the nominal watts of the level: 1.0W, 2.5W, 5.0W.");
    cmd->callback([args, &run] { run = [args] { return RunExport(*args); }; });
}

}  // namespace zt::ctl
