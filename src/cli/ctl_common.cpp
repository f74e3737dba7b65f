// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ctl_common.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "model/startup.h"
#include "qtio/serial_ports.h"

namespace zt::ctl {

ConsoleObserver::ConsoleObserver() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void ConsoleObserver::OnProgress(int percent) {
    percent_ = percent;
    if (terminal_) Draw();  // plain lines wait for the label that follows
}

void ConsoleObserver::OnStatus(const LinkText& label) {
    label_ = label.english;
    Draw();
}

void ConsoleObserver::Draw() {
    if (terminal_) {
        constexpr int kWidth = 30;
        const int p = percent_ < 0 ? 0 : percent_;
        const int filled = p * kWidth / 100;
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] ";
        std::fprintf(stderr, "%3d%%  ", p);
        std::cerr << label_ << "\033[K" << std::flush;
        barShown_ = true;
        return;
    }
    // Plain lines: the start, every tenth percent, and the end.
    if (percent_ < 0 || percent_ == 0 || percent_ == 100 || percent_ >= lastPrinted_ + 10) {
        if (percent_ >= 0) lastPrinted_ = percent_;
        lastLabel_ = label_;
        std::cerr << (percent_ >= 0 ? std::to_string(percent_) + "% " : std::string()) << label_
                  << "\n";
    }
}

void ConsoleObserver::EndBarLine() {
    if (barShown_) std::cerr << "\n";
    barShown_ = false;
}

void ConsoleObserver::OnMessage(const LinkMessage& message) {
    // A port that will not open and a refused write are told in zt790ctl's own
    // words once the exchange has returned (transfer_report.h).
    if (message.kind == LinkMessageKind::PortError || message.kind == LinkMessageKind::LimitCheck)
        return;
    EndBarLine();
    std::cerr << message.text.english << "\n";
}

void ConsoleObserver::OnPowerValues(int low, int mid, int high) {
    powerValues_ = true;
    std::cout << "low " << low << "\nmid " << mid << "\nhigh " << high << std::endl;
}

void ConsoleObserver::OnFinished(ExchangeOutcome outcome) {
    if (!terminal_ && !label_.empty() && label_ != lastLabel_) std::cerr << label_ << "\n";
    EndBarLine();
    outcome_ = outcome;
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
