// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl write --port PORT FILE.chann [--backup BACKUP.chann [--force]] [--verify]
// zt790ctl write --port P --port Q ... FILE.chann [--backup DIR] [--verify]
#include <filesystem>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/ctl_history.h"
#include "cli/file_output.h"
#include "cli/fleet.h"
#include "cli/limit_report.h"
#include "cli/qt_link_rig.h"
#include "cli/transfer_report.h"
#include "files/channel_file.h"

namespace zt::ctl {

namespace {

struct WriteArgs {
    std::vector<std::string> ports;
    std::string input;
    std::string backup;
    bool verify = false;
    bool force = false;
    bool forceModel = false;
    bool noHistory = false;
};

int RunWrite(const WriteArgs& args) {
    AppState app;
    if (!PrepareState(app, args.ports.front())) return kUsage;
    const FileResult loaded = LoadChannelFile(args.input, app.ChannelTable);
    if (!loaded.ok) {
        std::cerr << "zt790ctl: " << args.input << ": " << loaded.message.english << "\n";
        return kFileError;
    }

    WriteOptions options;
    options.verify = args.verify;
    options.confirmModel = ModelConfirmation(args.forceModel);
    if (!args.backup.empty()) {
        if (!OutputPathUsable(args.backup)) return kFileError;
        // The copy of a radio's memory is worth more than the convenience of
        // running the same command twice.
        if (!MayReplace(args.backup, args.force, "--backup")) return kFileError;
        options.backup = [path = args.backup](const Image& radio, std::string& reason) {
            const FileResult saved = SaveChannelFile(path, radio);
            if (!saved.ok) {
                reason = saved.message.english;
                return false;
            }
            std::cerr << "Backup saved to " << path << "\n";
            return true;
        };
    }

    QtLinkRig rig;
    ConsoleObserver observer;
    CtlHistory history(args.noHistory);
    const TransferReport report =
        WriteRadio(app, rig.Rig(), observer, options, history.For(PortDevice(app), args.input));
    if (report.status != TransferStatus::Ok) {
        const int code = ReportTransfer(report, app, true);
        if (HalfWritten(report) && !args.backup.empty() && report.backupReads > 0) {
            std::cerr << "What the radio held before is in " << args.backup << ".\n";
        }
        return code;
    }
    if (args.verify) std::cerr << "Verified: the radio holds what was written (blocks 0..239).\n";
    return kOk;
}

// The same file to every radio at once; --backup names a folder.
int RunFleetWrite(const WriteArgs& args) {
    Fleet fleet;
    if (!PrepareFleet(args.ports, fleet)) return kUsage;
    Image image{};
    const FileResult loaded = LoadChannelFile(args.input, image);
    if (!loaded.ok) {
        std::cerr << "zt790ctl: " << args.input << ": " << loaded.message.english << "\n";
        return kFileError;
    }
    // One image for all: refuse it before any port is opened.
    if (const auto refusals = WriteRefusals(image); !refusals.empty()) {
        std::cerr << LimitRefusalLines(refusals) << "zt790ctl: nothing was sent to any radio.\n";
        return kLimitCheck;
    }
    const std::filesystem::path folder(args.backup);
    if (!args.backup.empty() && !PrepareFolder("--backup", folder)) return kFileError;
    CtlHistory history(args.noHistory);
    WriteFleet(fleet, image, {args.verify, folder, args.forceModel, [&](const std::string& device) {
                                  return history.For(device, args.input);
                              }});
    return ReportFleet(fleet, "Backup");
}

}  // namespace

void AddWriteCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<WriteArgs>();
    CLI::App* cmd = app.add_subcommand(
        "write",
        "Write a .chann file to the radio (blocks 0..239, after the frequency checks); with "
        "several --port options, to every radio at once");
    AddPortsOption(*cmd, args->ports);
    cmd->add_option("file", args->input, "Channel file to send")->required();
    cmd->add_option("--backup", args->backup,
                    "Read the radio into this new .chann file first, until two reads agree; "
                    "nothing is written unless the backup is settled and saved, and the radio's "
                    "band is the file's. With several radios: a folder, which gets one file per "
                    "radio named after its port and the time");
    cmd->add_flag("--force", args->force, "Replace the --backup file if it exists");
    cmd->add_flag("--force-model", args->forceModel,
                  "Write even when the backup shows the radio's band differs from the file's");
    cmd->add_flag("--verify", args->verify,
                  "Read the radio back after the write and compare blocks 0..239");
    AddNoHistoryFlag(*cmd, args->noHistory);
    cmd->callback([args, &run] {
        run = [args] { return args->ports.size() > 1 ? RunFleetWrite(*args) : RunWrite(*args); };
    });
}

}  // namespace zt::ctl
