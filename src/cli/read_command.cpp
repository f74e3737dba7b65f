// zt790ctl read --port PORT --output FILE.chann
#include <QCoreApplication>
#include <filesystem>
#include <iostream>

#include "cli/ctl_common.h"
#include "files/channel_file.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"

namespace zt::ctl {

namespace {

struct ReadArgs {
    std::string port;
    std::string output;
};

int RunRead(const ReadArgs& args) {
    AppState app;
    if (!PrepareState(app, args.port)) return kUsage;
    // Refuse a file that could never be written before spending the read on it.
    const std::filesystem::path output(args.output);
    std::error_code ec;
    const auto dir = output.has_parent_path() ? output.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(dir, ec) || std::filesystem::is_directory(output, ec)) {
        std::cerr << "zt790ctl: " << args.output << ": no such folder, or it is a folder\n";
        return kFileError;
    }

    QtSerialPort port;
    QtLinkTimers timers;
    ConsoleObserver observer;
    SerialLink link(LinkMode::Read, app, port, timers, observer);
    link.Start();
    RunUntil([&] { return observer.Outcome().has_value(); }, 10 * 60 * 1000);
    const auto outcome = observer.Outcome();
    if (outcome == ExchangeOutcome::PortFailed) {
        std::cerr << "zt790ctl: " << link.LastPortError() << "\n";
        return kNoAnswer;
    }
    if (outcome != ExchangeOutcome::Completed) return kNoAnswer;
    // The image now holds the radio's memory in rows 0..253; rows 254 and 255
    // keep the blank image's values, as the program's own save would.
    const FileResult saved = SaveChannelFile(output, app.ChannelTable);
    if (!saved.ok) {
        std::cerr << "zt790ctl: " << saved.message.english << "\n";
        return kFileError;
    }
    std::cerr << "Saved " << args.output << "\n";
    return kOk;
}

}  // namespace

void AddReadCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<ReadArgs>();
    CLI::App* cmd = app.add_subcommand("read", "Read the radio's memory into a .chann file");
    AddPortOption(*cmd, args->port);
    cmd->add_option("-o,--output", args->output,
                    "Channel file to write; written only after a complete read")
        ->required();
    cmd->callback([args, &run] { run = [args] { return RunRead(*args); }; });
}

}  // namespace zt::ctl
