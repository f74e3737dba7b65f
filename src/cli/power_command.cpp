// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl power --port PORT [--low N] [--mid N] [--high N]
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/transfer_report.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"

namespace zt::ctl {

namespace {

struct PowerArgs {
    std::string port;
    std::optional<int> levels[3];
};

constexpr int kLinkWaitMs = 5000;

int RunPower(const PowerArgs& args) {
    AppState app;
    if (!PrepareState(app, args.port)) return kUsage;

    QtSerialPort port;
    QtLinkTimers timers;
    ConsoleObserver observer;
    SerialLink link(LinkMode::Power, app, port, timers, observer);
    const bool ready = [&] {
        if (link.Connect() != StartResult::Started) return false;
        RunUntil([&] { return link.State() == LinkState::Ready || observer.Outcome().has_value(); },
                 kLinkWaitMs);
        return link.State() == LinkState::Ready;
    }();
    if (!ready) {
        if (observer.Outcome() == ExchangeOutcome::PortFailed) {
            const std::string reason = link.LastPortError();
            link.Abort();
            return ReportPortFailure(app, reason);
        }
        std::cerr << "zt790ctl: the radio did not answer the power adjustment. Check that it is "
                     "switched on and the cable is seated.\n";
        link.Abort();
        return kNoAnswer;
    }
    static constexpr const char* kNames[] = {"low", "mid", "high"};
    // One level at a time, each acknowledged before the next.
    for (int level = 0; level < 3; ++level) {
        if (!args.levels[level]) continue;
        link.SetPowerLevel(level, *args.levels[level]);
        RunUntil([&] { return link.State() != LinkState::Transferring; }, kLinkWaitMs);
        if (link.State() != LinkState::Ready) {
            std::cerr << "The radio did not acknowledge the " << kNames[level] << " power value.\n";
            link.Abort();
            return kNoAnswer;
        }
        std::cout << kNames[level] << " set to " << *args.levels[level] << std::endl;
    }
    link.ClosePower();
    return kOk;
}

}  // namespace

void AddPowerCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<PowerArgs>();
    CLI::App* cmd = app.add_subcommand(
        "power", "Show the radio's three transmit power values and change any of them");
    AddPortOption(*cmd, args->port);
    cmd->add_option("--low", args->levels[0], "New low power value 0..255")
        ->check(CLI::Range(0, 255));
    cmd->add_option("--mid", args->levels[1], "New mid power value 0..255")
        ->check(CLI::Range(0, 255));
    cmd->add_option("--high", args->levels[2], "New high power value 0..255")
        ->check(CLI::Range(0, 255));
    cmd->callback([args, &run] { run = [args] { return RunPower(*args); }; });
}

}  // namespace zt::ctl
