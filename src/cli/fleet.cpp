// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fleet.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <set>

#include "cli/ctl_common.h"
#include "cli/fleet_console.h"
#include "cli/port_access.h"
#include "cli/transfer_report.h"
#include "files/channel_file.h"
#include "qtio/serial_ports.h"
#include "transfer/local_time.h"

namespace zt::ctl {
namespace {

// A safety net only: every exchange ends by its own time-outs long before.
constexpr int kFleetLimitMs = 30 * 60 * 1000;

std::string PhaseName(TransferPhase phase) {
    switch (phase) {
        case TransferPhase::Reading:
            return "read";
        case TransferPhase::BackingUp:
            return "backup";
        case TransferPhase::Writing:
            return "write";
        case TransferPhase::ReadingAgain:
        case TransferPhase::ReadingBack:
            return "verify";
        case TransferPhase::Starting:
        case TransferPhase::Done:
            break;
    }
    return {};
}

// The device's name as a file name: /dev/ttyUSB0 -> ttyUSB0, /dev/pts/3 -> pts-3.
std::string FileStem(const FleetRadio& radio) {
    std::string name = radio.device.empty() ? "port" + radio.port : radio.device;
    if (name.starts_with("/dev/")) name.erase(0, 5);
    while (name.starts_with("/")) name.erase(0, 1);
    for (char& c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (c == '/') {
            c = '-';
        } else if (!plain) {
            c = '_';
        }
    }
    return name;
}

void Conclude(FleetRadio& radio, double seconds) {
    RadioOutcome& o = radio.outcome;
    o.port = radio.port;
    o.report = radio.task->Report();
    o.seconds = seconds;
    if (o.report.status == TransferStatus::PortFailed) {
        o.portFailure =
            radio.device.empty()
                ? PortFailure::NoSuchDevice
                : ClassifyPortFailure(ProbePort(radio.device), ReasonSaysBusy(o.report.portError));
    }
    o.portLost = PortLost(o.report, radio.device);
}

}  // namespace

bool PrepareFleet(const std::vector<std::string>& ports, Fleet& fleet) {
    std::set<std::string> seen;
    const std::vector<SerialPortEntry> available = AvailableSerialPorts();
    for (const std::string& text : ports) {
        auto radio = std::make_unique<FleetRadio>();
        radio->port = text;
        if (!PrepareState(radio->app, text)) return false;
        const ResolvedPort resolved =
            ResolvePortChoice(radio->app.ComPort, radio->app.ComDevice, available);
        if (resolved.ok) {
            radio->device = resolved.device;
            radio->app.ComDevice = resolved.device;
        }
        // Two names of one device (a number and its path, a link to it) count once.
        std::error_code ec;
        const auto real = std::filesystem::canonical(radio->device, ec);
        const std::string key = ec ? (radio->device.empty() ? text : radio->device) : real.string();
        if (!seen.insert(key).second) {
            std::cerr << "zt790ctl: --port: " << text
                      << " names a port given before; each radio needs its own port\n";
            return false;
        }
        fleet.push_back(std::move(radio));
    }
    return true;
}

bool PrepareFolder(const std::string& option, const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    if (std::filesystem::exists(folder, ec)) {
        std::cerr << "zt790ctl: " << option << ": " << folder.string()
                  << " is a file, not a folder\n";
        return false;
    }
    if (!std::filesystem::create_directories(folder, ec)) {
        std::cerr << "zt790ctl: " << option << ": cannot make the folder " << folder.string()
                  << ": " << ec.message() << "\n";
        return false;
    }
    return true;
}

std::filesystem::path NewFileFor(const std::filesystem::path& folder, const FleetRadio& radio) {
    const std::string stem = FileStem(radio) + "-" + LocalTimeText(kFileTimeFormat);
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? "" : "-" + std::to_string(n);
        const auto path = folder / (stem + suffix + ".chann");
        if (!std::filesystem::exists(path, ec)) return path;
    }
}

std::string SaveNewFile(const std::filesystem::path& folder, const FleetRadio& radio,
                        const Image& image, std::string& error) {
    const auto path = NewFileFor(folder, radio);
    const FileResult saved = SaveChannelFile(path, image);
    if (!saved.ok) {
        error = saved.message.english;
        return {};
    }
    return path.string();
}

void RunFleet(Fleet& fleet, const TaskMaker& make, const std::function<void(FleetRadio&)>& done) {
    std::vector<std::string> ports;
    for (const auto& radio : fleet) ports.push_back(radio->port);
    winsize size{};
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    const int columns =
        terminal && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col
                                                                                      : 80;
    FleetConsole console(ports, std::cerr, terminal, columns);
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        const int index = static_cast<int>(i);
        fleet[i]->task = make(*fleet[i], console.Observer(index));
        fleet[i]->task->SetPhaseHandler(
            [&console, index](TransferPhase phase) { console.SetPhase(index, PhaseName(phase)); });
    }
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::vector<bool> finished(fleet.size(), false);
    auto finish = [&](std::size_t i) {
        FleetRadio& radio = *fleet[i];
        finished[i] = true;
        Conclude(radio, elapsed());
        if (done) done(radio);
        console.Finish(static_cast<int>(i), OutcomeExitCode(radio.outcome) == kOk,
                       OutcomeText(radio.outcome));
    };
    const bool ended = RunUntil(
        [&] {
            bool all = true;
            for (std::size_t i = 0; i < fleet.size(); ++i) {
                if (finished[i]) continue;
                if (fleet[i]->task->Step()) {
                    finish(i);
                } else {
                    all = false;
                }
            }
            console.Tick();
            return all;
        },
        kFleetLimitMs);
    if (!ended) {
        for (std::size_t i = 0; i < fleet.size(); ++i) {
            if (finished[i]) continue;
            fleet[i]->task->Abort();
            finish(i);
        }
    }
    console.Close();
}

void WriteFleet(Fleet& fleet, const Image& image, const FleetWrite& how) {
    RunFleet(fleet, [&](FleetRadio& radio, ExchangeObserver& observer) {
        radio.app.ChannelTable = image;
        radio.outcome.write = true;
        radio.outcome.verify = how.verify;
        WriteOptions options;
        options.verify = how.verify;
        options.confirmModel = ModelConfirmation(how.forceModel);
        if (!how.backupFolder.empty()) {
            options.backup = [&radio, folder = how.backupFolder](const Image& memory,
                                                                 std::string& reason) {
                radio.outcome.file = SaveNewFile(folder, radio, memory, reason);
                return !radio.outcome.file.empty();
            };
        }
        auto task = TransferTask::Write(radio.app, options, radio.serial, radio.timers, observer);
        if (how.history) task->SetHistory(how.history(radio.device));
        return task;
    });
}

int ReportFleet(const Fleet& fleet, const std::string& fileColumn,
                const std::vector<RadioOutcome>& before) {
    std::vector<RadioOutcome> outcomes = before;
    for (const auto& radio : fleet) outcomes.push_back(radio->outcome);
    std::cout << FleetReport(outcomes, fileColumn) << std::flush;
    std::vector<int> codes;
    for (const RadioOutcome& o : outcomes) codes.push_back(OutcomeExitCode(o));
    // What to do about ports that would not open; the braille daemon's advice
    // once, however many radios it explains.
    std::set<std::string> cableAdvice;
    for (const auto& radio : fleet) {
        const RadioOutcome& o = radio->outcome;
        if (o.report.status != TransferStatus::PortFailed) continue;
        if (radio->device.empty()) {
            std::cerr << "zt790ctl: " << radio->port
                      << ": no such port. Run 'zt790ctl ports' to list the ports of this "
                         "machine.\n";
            cableAdvice.insert(CableAdvice(PortFailure::NoSuchDevice, ""));
            continue;
        }
        std::cerr << "zt790ctl: "
                  << PortFailureMessage(o.portFailure, radio->device, o.report.portError,
                                        ProbePort(radio->device), CurrentUserGroups());
        cableAdvice.insert(CableAdvice(o.portFailure, radio->device));
    }
    for (const std::string& advice : cableAdvice) {
        if (!advice.empty()) std::cerr << "\n" << advice;
    }
    return MostSeriousExitCode(codes);
}

}  // namespace zt::ctl
