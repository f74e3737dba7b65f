// zt790ctl write --port PORT FILE.chann
#include <iostream>

#include "cli/ctl_common.h"
#include "files/channel_file.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"

namespace zt::ctl {

namespace {

struct WriteArgs {
    std::string port;
    std::string input;
};

int RunWrite(const WriteArgs& args) {
    AppState app;
    if (!PrepareState(app, args.port)) return kUsage;
    const FileResult loaded = LoadChannelFile(args.input, app.ChannelTable);
    if (!loaded.ok) {
        std::cerr << "zt790ctl: " << args.input << ": " << loaded.message.english << "\n";
        return kFileError;
    }

    QtSerialPort port;
    QtLinkTimers timers;
    ConsoleObserver observer;
    SerialLink link(LinkMode::Write, app, port, timers, observer);
    const StartResult started = link.Start();
    if (started == StartResult::CheckFailed) return kLimitCheck;  // the message is printed
    RunUntil([&] { return observer.Outcome().has_value(); }, 10 * 60 * 1000);
    const auto outcome = observer.Outcome();
    if (outcome == ExchangeOutcome::PortFailed) {
        std::cerr << "zt790ctl: " << link.LastPortError() << "\n";
        return kNoAnswer;
    }
    if (outcome != ExchangeOutcome::Completed) return kNoAnswer;
    // Let the end byte leave before the process goes.
    return kOk;
}

}  // namespace

void AddWriteCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<WriteArgs>();
    CLI::App* cmd = app.add_subcommand(
        "write", "Write a .chann file to the radio (blocks 0..239, after the frequency checks)");
    AddPortOption(*cmd, args->port);
    cmd->add_option("file", args->input, "Channel file to send")->required();
    cmd->callback([args, &run] { run = [args] { return RunWrite(*args); }; });
}

}  // namespace zt::ctl
