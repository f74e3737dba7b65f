// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl read --port PORT --output FILE.chann [--verify]
// zt790ctl read --port P [--port Q ...] --output-dir DIR [--verify]
#include <QCoreApplication>
#include <filesystem>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/ctl_history.h"
#include "cli/file_output.h"
#include "cli/fleet.h"
#include "cli/qt_link_rig.h"
#include "cli/transfer_report.h"
#include "files/channel_file.h"

namespace zt::ctl {

namespace {

struct ReadArgs {
    std::vector<std::string> ports;
    std::string output;
    std::string outputDir;
    bool verify = false;
    bool noHistory = false;
};

int RunRead(const ReadArgs& args) {
    AppState app;
    if (!PrepareState(app, args.ports.front())) return kUsage;
    // Refuse a file that could never be written before spending the read on it.
    if (!OutputPathUsable(args.output)) return kFileError;

    QtLinkRig rig;
    ConsoleObserver observer;
    CtlHistory history(args.noHistory);
    const TransferReport report =
        ReadRadio(app, rig.Rig(), observer, args.verify, history.For(PortDevice(app)));
    if (report.status != TransferStatus::Ok) return ReportTransfer(report, app, false);
    if (args.verify) std::cerr << "Verified: both reads of the radio agree.\n";
    // The image now holds the radio's memory in rows 0..253; rows 254 and 255
    // keep the blank image's values, as the program's own save would.
    const FileResult saved = SaveChannelFile(args.output, app.ChannelTable);
    if (!saved.ok) {
        std::cerr << "zt790ctl: " << saved.message.english << "\n";
        return kFileError;
    }
    std::cerr << "Saved " << args.output << "\n";
    return kOk;
}

// Every radio at once, each into its own new file in the folder.
int RunFleetRead(const ReadArgs& args) {
    Fleet fleet;
    if (!PrepareFleet(args.ports, fleet)) return kUsage;
    const std::filesystem::path folder(args.outputDir);
    if (!PrepareFolder("--output-dir", folder)) return kFileError;
    CtlHistory history(args.noHistory);
    RunFleet(
        fleet,
        [&](FleetRadio& radio, ExchangeObserver& observer) {
            radio.outcome.verify = args.verify;
            auto task =
                TransferTask::Read(radio.app, args.verify, radio.serial, radio.timers, observer);
            task->SetHistory(history.For(radio.device));
            return task;
        },
        [&folder](FleetRadio& radio) {
            if (radio.task->Report().status != TransferStatus::Ok) return;
            radio.outcome.file = SaveNewFile(folder, radio, radio.task->Result().ChannelTable,
                                             radio.outcome.fileError);
        });
    return ReportFleet(fleet, "File");
}

int ChooseRead(const ReadArgs& args) {
    if (args.output.empty() == args.outputDir.empty()) {
        std::cerr << "zt790ctl: read: give either --output FILE (one radio) or --output-dir DIR\n";
        return kUsage;
    }
    if (!args.output.empty() && args.ports.size() > 1) {
        std::cerr << "zt790ctl: read: several radios need --output-dir DIR, not --output\n";
        return kUsage;
    }
    return args.output.empty() ? RunFleetRead(args) : RunRead(args);
}

}  // namespace

void AddReadCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<ReadArgs>();
    CLI::App* cmd = app.add_subcommand(
        "read",
        "Read the radio's memory into a .chann file; with several --port options, every "
        "radio at once");
    AddPortsOption(*cmd, args->ports);
    cmd->add_option("-o,--output", args->output,
                    "Channel file to write; written only after a complete read");
    cmd->add_option("--output-dir", args->outputDir,
                    "Folder for the images of several radios, one new file per radio named after "
                    "its port and the time (made when missing)");
    cmd->add_flag("--verify", args->verify,
                  "Read the radio twice and save only when both reads agree (the protocol has no "
                  "checksum)");
    AddNoHistoryFlag(*cmd, args->noHistory);
    cmd->callback([args, &run] { run = [args] { return ChooseRead(*args); }; });
}

}  // namespace zt::ctl
