// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl new [--model N] -o FILE.chann [--force]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/file_output.h"
#include "cli/model_option.h"
#include "files/channel_file.h"

namespace zt::ctl {
namespace {

struct NewArgs {
    std::string output;
    std::string model;
    bool force = false;
};

int RunNew(const NewArgs& args) {
    const auto image = StartImage(args.model);
    if (!image) return kUsage;
    if (!MayReplace(args.output, args.force)) return kFileError;
    if (!WriteOutputFile(args.output, FormatChannelFile(*image))) {
        return kFileError;
    }
    const int model = args.model.empty() ? 0 : ParseModel(args.model).value_or(0);
    std::cerr << "Wrote a blank image for " << ModelText(model) << " to " << args.output << "\n";
    return kOk;
}

}  // namespace

void AddNewCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<NewArgs>();
    CLI::App* cmd = app.add_subcommand(
        "new",
        "Write the blank image the program starts from, for a radio model, as a .chann file");
    cmd->add_option("-o,--output", args->output, "Channel file to write")->required();
    AddModelOption(*cmd, args->model);
    cmd->add_flag("--force", args->force, "Replace the file if it exists");
    cmd->callback([args, &run] { run = [args] { return RunNew(*args); }; });
}

}  // namespace zt::ctl
