// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl import-csv IN.csv [FILE.chann] [-o OUT.chann] [--model N]
//     [--skip-invalid] [--renumber[=FIRST]] [--replace] [--power-watts L,M,H]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/file_output.h"
#include "cli/import_report.h"
#include "cli/model_option.h"
#include "cli/power_watts_option.h"
#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "files/csv_numbers.h"
#include "files/text_file.h"

namespace zt::ctl {
namespace {

struct ImportArgs {
    std::string csv;
    std::string file;
    std::string output;
    std::string model;
    std::string renumber;
    std::string powerWatts;
    bool skipInvalid = false;
    bool replace = false;
};

// The options as the importer takes them, or nothing with the reason printed.
std::optional<CsvImportOptions> ImportOptions(const ImportArgs& args, const CLI::App& cmd) {
    CsvImportOptions options;
    options.skipInvalid = args.skipInvalid;
    options.replace = args.replace;
    if (cmd.count("--renumber") > 0) {
        // A bare --renumber arrives as "true".
        const auto first = args.renumber == "true" ? 1 : ParseDecimal(args.renumber, 0);
        if (!first || *first < 1 || *first > 128 || args.renumber.find('.') != std::string::npos) {
            std::cerr << "zt790ctl: --renumber=" << args.renumber
                      << " is not a channel number 1..128\n";
            return {};
        }
        options.renumberFrom = static_cast<int>(*first);
    }
    const auto power = ParsePowerWattsOption(args.powerWatts);
    if (!power) return {};
    options.power = *power;
    return options;
}

// The image to import into: the channel file, or the one `new` would write.
std::optional<Image> BaseImage(const ImportArgs& args) {
    if (args.file.empty()) return StartImage(args.model);
    Image image{};
    if (!LoadInputFile(args.file, image)) return {};
    return image;
}

int RunImport(const ImportArgs& args, const CLI::App& cmd) {
    const auto options = ImportOptions(args, cmd);
    if (!options) return kUsage;
    if (!args.file.empty() && !args.model.empty()) {
        std::cerr << "zt790ctl: --model chooses the blank image to start from; it does not go "
                     "with a channel file\n";
        return kUsage;
    }
    if (args.file.empty() && args.output.empty()) {
        std::cerr << "zt790ctl: give the channel file to import into, or -o OUT.chann to start "
                     "from a blank image\n";
        return kUsage;
    }
    if (!args.model.empty() && !ParseModel(args.model)) return kUsage;

    std::string error;
    const auto text = ReadTextFile(args.csv, error);
    if (!text) {
        std::cerr << "zt790ctl: " << error << "\n";
        return kFileError;
    }
    auto image = BaseImage(args);
    if (!image) return kFileError;
    const std::string target = args.output.empty() ? args.file : args.output;

    const CsvImportResult result = ImportChannelCsv(*text, *image, *options);
    std::cerr << ImportRowsReport(result, args.csv, options->renumberFrom.has_value(), target);
    if (!result.ok) return kFileError;
    if (!WriteOutputFile(target, FormatChannelFile(*image))) return kFileError;

    std::cerr << ImportedText(result, target);
    return kOk;
}

}  // namespace

void AddImportCsvCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* cmd = app.add_subcommand(
        "import-csv",
        "Store the channels of a CSV file into a .chann file; every row is checked first and, "
        "unless --skip-invalid, a bad row changes nothing");
    cmd->add_option("csv", args->csv, "CSV file in the generic layout")->required();
    cmd->add_option("file", args->file,
                    "Channel file to import into (a blank image of --model if omitted)");
    cmd->add_option("-o,--output", args->output,
                    "Channel file to write (the input channel file if omitted)");
    cmd->add_flag("--skip-invalid", args->skipInvalid,
                  "Import every row that passes and report the others as skipped");
    cmd->add_flag("--renumber", args->renumber,
                  "Place the rows in file order from channel FIRST (default 1), ignoring Location")
        ->option_text("[=FIRST]");
    cmd->add_flag("--replace", args->replace, "Empty the channels the CSV does not store");
    cmd->add_option("--power-watts", args->powerWatts,
                    "Nominal watts of Low, Mid and High for Power in watts (default 1,2.5,5)")
        ->option_text("LOW,MID,HIGH");
    AddModelOption(*cmd, args->model);
    cmd->footer(
        "Power in watts is stored as the highest level whose nominal power does not exceed it "
        "(Low 1 W, Mid 2.5 W, High 5 W unless --power-watts); below Low it is stored as Low.\n" +
        cmd->get_footer());
    cmd->callback([args, cmd, &run] { run = [args, cmd] { return RunImport(*args, *cmd); }; });
}

}  // namespace zt::ctl
