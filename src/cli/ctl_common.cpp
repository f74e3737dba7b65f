// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ctl_common.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "cli/step_text.h"
#include "model/startup.h"
#include "qtio/serial_ports.h"

namespace zt::ctl {

ConsoleObserver::ConsoleObserver() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void ConsoleObserver::OnProgress(int percent) { percent_ = percent; }

void ConsoleObserver::OnStep(const LinkStep& step) {
    using Kind = LinkStep::Kind;
    label_ = StepText(step);
    if (step.kind == Kind::ReadDone || step.kind == Kind::WriteDone) percent_ = 100;
    const bool block = step.kind == Kind::Reading || step.kind == Kind::Writing;
    // Plain lines: every step but the blocks, of which one every tenth percent;
    // a retry starts the count again.
    if (!terminal_ && block) {
        if (percent_ < lastPrinted_ + 10) return;
        lastPrinted_ = percent_;
    }
    if (step.kind == Kind::Connecting) {  // a retry starts again from the first block
        percent_ = 0;
        lastPrinted_ = -10;
    }
    Draw(block || step.kind == Kind::ReadDone || step.kind == Kind::WriteDone);
}

void ConsoleObserver::Draw(bool withPercent) {
    const int p = percent_ < 0 ? 0 : percent_;
    if (terminal_) {
        constexpr int kWidth = 30;
        const int filled = p * kWidth / 100;
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] ";
        std::fprintf(stderr, "%3d%%  ", p);
        std::cerr << label_ << "\033[K" << std::flush;
        barShown_ = true;
        return;
    }
    std::cerr << (withPercent ? std::to_string(p) + "% " : std::string()) << label_ << "\n";
}

void ConsoleObserver::EndBarLine() {
    if (barShown_) std::cerr << "\n";
    barShown_ = false;
}

void ConsoleObserver::OnMessage(const LinkMessage& message) {
    // A port that will not open and a refused write are told in zt790ctl's own
    // words once the exchange has returned (transfer_report.h); the end of a
    // read, and a read or write given up, by the last step.
    switch (message.kind) {
        case LinkMessageKind::PortError:
        case LinkMessageKind::LimitCheck:
        case LinkMessageKind::ReadComplete:
        case LinkMessageKind::FailConnect:
            return;
        case LinkMessageKind::Busy:
        case LinkMessageKind::DontClose:
            break;
    }
    EndBarLine();
    std::cerr << message.text.english << "\n";
}

void ConsoleObserver::OnPowerValues(int low, int mid, int high) {
    std::cout << "low " << low << "\nmid " << mid << "\nhigh " << high << std::endl;
}

void ConsoleObserver::OnFinished(ExchangeOutcome outcome) {
    EndBarLine();
    outcome_ = outcome;
}

std::string ExitCodeHelp() {
    return "Exit codes:\n"
           "  0  success (diff: no differences)\n"
           "  1  the radio did not answer, or stopped answering (diff: there are differences)\n"
           "  2  the command line is wrong\n"
           "  3  a file or folder could not be read or written\n"
           "  4  a frequency-limit check stopped the write; nothing was sent\n"
           "  5  no such port\n"
           "  6  permission denied on the port\n"
           "  7  the port is busy: another program has it open\n"
           "  8  verification failed: two reads, or a write and its read-back, differ\n"
           "  9  the radio's band is not the image's (--force-model writes it all the same)\n";
}

bool PrepareState(AppState& app, const std::string& portText) {
    StartUp(app);
    int number = 1;
    std::string device;
    std::string error;
    if (!ParsePortText(portText, number, device, error)) {
        std::cerr << "zt790ctl: --port: " << error << "\n";
        return false;
    }
    app.ComPort = static_cast<std::int16_t>(number);
    app.ComDevice = device;
    return true;
}

bool RunUntil(const std::function<bool()>& done, int limitMs) {
    bool expired = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&expired] { expired = true; });
    deadline.start(limitMs);
    QEventLoop loop;
    while (!done()) {
        if (expired) return false;
        // Sleeps until the port, a link timer or the deadline has something.
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void AddPortOption(CLI::App& command, std::string& port) {
    command
        .add_option("-p,--port", port,
                    "Serial port: a device path, or a number 1..8 (the n-th "
                    "available port, USB adapters first)")
        ->required();
}

void AddPortsOption(CLI::App& command, std::vector<std::string>& ports) {
    command
        .add_option("-p,--port", ports,
                    "Serial port: a device path, or a number 1..8 (the n-th available port, USB "
                    "adapters first); once per radio")
        ->required()
        ->expected(1)
        ->allow_extra_args(false)
        ->take_all();
}

}  // namespace zt::ctl
