// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl clone --from PORT --to PORT [--to PORT ...] [--backup DIR] [--output FILE.chann]
#include <filesystem>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/ctl_history.h"
#include "cli/file_output.h"
#include "cli/fleet.h"
#include "cli/limit_report.h"
#include "files/channel_file.h"

namespace zt::ctl {

namespace {

struct CloneArgs {
    std::string from;
    std::vector<std::string> to;
    std::string backup;
    std::string output;
    bool forceModel = false;
    bool noHistory = false;
};

int RunClone(const CloneArgs& args) {
    std::vector<std::string> ports{args.from};
    ports.insert(ports.end(), args.to.begin(), args.to.end());
    Fleet targets;
    if (!PrepareFleet(ports, targets)) return kUsage;
    Fleet source;
    source.push_back(std::move(targets.front()));
    targets.erase(targets.begin());
    const std::filesystem::path folder(args.backup);
    if (!args.backup.empty() && !PrepareFolder("--backup", folder)) return kFileError;
    if (!args.output.empty() && !OutputPathUsable(args.output)) return kFileError;

    CtlHistory history(args.noHistory);
    // The source is read twice and compared: a clone spreads whatever it reads.
    RunFleet(source, [&history](FleetRadio& radio, ExchangeObserver& observer) {
        radio.outcome.verify = true;
        auto task = TransferTask::Read(radio.app, true, radio.serial, radio.timers, observer);
        task->SetHistory(history.For(radio.device));
        return task;
    });
    FleetRadio& from = *source.front();
    if (from.outcome.report.status != TransferStatus::Ok) {
        for (auto& radio : targets) {
            radio->outcome.port = radio->port;
            radio->outcome.started = false;
        }
        std::cerr << "zt790ctl: the source radio " << from.port
                  << " was not read; nothing was written.\n";
        return ReportFleet(targets, "File", {from.outcome});
    }
    const Image image = from.task->Result().ChannelTable;
    if (!args.output.empty()) {
        const FileResult saved = SaveChannelFile(args.output, image);
        if (!saved.ok) {
            std::cerr << "zt790ctl: " << saved.message.english << "\nNothing was written.\n";
            return kFileError;
        }
        from.outcome.file = args.output;
    }
    if (const auto refusals = WriteRefusals(image); !refusals.empty()) {
        std::cerr << LimitRefusalLines(refusals) << "zt790ctl: the image of " << from.port
                  << " fails the limit check; nothing was sent to any radio.\n";
        return kLimitCheck;
    }
    WriteFleet(targets, image, {true, folder, args.forceModel, [&](const std::string& device) {
                                    return history.For(device, "the radio on " + from.port);
                                }});
    return ReportFleet(targets, "File", {from.outcome});
}

}  // namespace

void AddCloneCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<CloneArgs>();
    CLI::App* cmd = app.add_subcommand(
        "clone",
        "Read one radio (twice, compared) and write its memory to the others at once, each "
        "verified");
    cmd->add_option("--from", args->from, "The radio to copy: a device path or a number 1..8")
        ->required();
    cmd->add_option("--to", args->to, "A radio to write; once per radio")
        ->required()
        ->expected(1)
        ->allow_extra_args(false)
        ->take_all();
    cmd->add_option("--backup", args->backup,
                    "Folder for each target radio's previous memory, read before it is written "
                    "(one file per radio named after its port and the time)");
    cmd->add_option("-o,--output", args->output, "Also save the source radio's image to this file");
    cmd->add_flag("--force-model", args->forceModel,
                  "Write a radio whose band differs from the source's all the same");
    AddNoHistoryFlag(*cmd, args->noHistory);
    cmd->callback([args, &run] { run = [args] { return RunClone(*args); }; });
}

}  // namespace zt::ctl
