// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl diff A.chann B.chann [--csv]
// zt790ctl diff --port PORT FILE.chann [--verify] [--csv]
#include <iostream>
#include <map>

#include "cli/ctl_common.h"
#include "cli/ctl_history.h"
#include "cli/diff_report.h"
#include "cli/qt_link_rig.h"
#include "cli/transfer_report.h"
#include "files/channel_file.h"
#include "model/write_prep.h"
#include "transfer/difference_summary.h"

namespace zt::ctl {

namespace {

// Exit codes of diff; failures keep the codes of the other commands.
constexpr int kSame = 0;
constexpr int kDifferent = 1;

struct DiffArgs {
    std::vector<std::string> files;
    std::string port;
    bool verify = false;
    bool csv = false;
    bool noHistory = false;
};

bool LoadImage(const std::string& path, Image& image) {
    const FileResult loaded = LoadChannelFile(path, image);
    if (!loaded.ok) std::cerr << "zt790ctl: " << path << ": " << loaded.message.english << "\n";
    return loaded.ok;
}

int RunDiff(const DiffArgs& args) {
    const bool radio = !args.port.empty();
    if (args.files.size() != (radio ? 1U : 2U)) {
        std::cerr << "zt790ctl: diff: give two channel files, or --port PORT and one file\n";
        return kUsage;
    }
    if (args.verify && !radio) {
        std::cerr << "zt790ctl: diff: --verify reads a radio twice; it needs --port\n";
        return kUsage;
    }
    Image a{};
    Image b{};
    std::string nameA = args.files.front();
    const std::string& nameB = args.files.back();
    int rows = kImageRows;
    if (radio) {
        AppState app;
        if (!PrepareState(app, args.port)) return kUsage;
        if (!LoadImage(nameB, b)) return kFileError;
        QtLinkRig rig;
        ConsoleObserver observer;
        CtlHistory history(args.noHistory);
        const TransferReport report =
            ReadRadio(app, rig.Rig(), observer, args.verify, history.For(PortDevice(app)));
        if (report.status != TransferStatus::Ok) {
            const int code = ReportTransfer(report, app, false);
            // 1 means "different" here: a radio that could not be read is an
            // input that could not be read.
            return code == kNoAnswer ? kFileError : code;
        }
        a = app.ChannelTable;
        // What writing the file would change: the rows a write sends, the file
        // completed as a write completes it.
        PrepareImageForWrite(b);
        rows = kWriteRows;
        nameA = "the radio on " + args.port;
    } else if (!LoadImage(nameA, a) || !LoadImage(nameB, b)) {
        return kFileError;
    }

    std::string b2 = nameB;
    if (radio) b2 += " as a write sends it (blocks 0..239)";
    return PrintDiff(a, b, rows, nameA, b2, args.csv);
}

}  // namespace

int PrintDiff(const Image& a, const Image& b, int rows, const std::string& nameA,
              const std::string& nameB, bool csv) {
    const DiffReport report = MakeDiffReport(a, b, rows, nameA, nameB, csv);
    std::cout << report.out << std::flush;
    std::cerr << report.err;
    return report.same ? kSame : kDifferent;
}

void AddDiffCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<DiffArgs>();
    CLI::App* cmd = app.add_subcommand(
        "diff",
        "List what differs between two .chann files, or between a radio and a file, in radio "
        "terms (exit 0 same, 1 different)");
    cmd->add_option("files", args->files, "A.chann B.chann, or one file with --port");
    cmd->add_option("-p,--port", args->port,
                    "Read the radio on this port and compare it with FILE: what writing FILE "
                    "would change");
    cmd->add_flag("--verify", args->verify, "With --port: read the radio twice and compare first");
    cmd->add_flag("--csv", args->csv, "Write the channel differences as CSV");
    AddNoHistoryFlag(*cmd, args->noHistory);
    cmd->callback([args, &run] { run = [args] { return RunDiff(*args); }; });
}

}  // namespace zt::ctl
