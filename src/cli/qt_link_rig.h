// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port and timers zt790ctl's exchanges run on, driven by the Qt event
// loop, with what comes next announced on standard error. With ZT790_TRACE set
// to a file, what went over the line is added to it when the command ends, so
// a script's commands trace into one file.

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "link/link_trace.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

class QtLinkRig {
  public:
    QtLinkRig() {
        const char* path = std::getenv("ZT790_TRACE");
        if (path == nullptr || *path == '\0') return;
        tracePath_ = path;
        trace_ = std::make_unique<LinkTrace>(port_, timers_, [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        });
    }
    QtLinkRig(const QtLinkRig&) = delete;
    QtLinkRig& operator=(const QtLinkRig&) = delete;
    ~QtLinkRig() {
        if (!trace_) return;
        std::ofstream out(tracePath_, std::ios::app);
        for (const std::string& line : trace_->Lines()) out << line << "\n";
        if (!out.flush()) std::cerr << "zt790ctl: ZT790_TRACE: cannot write " << tracePath_ << "\n";
    }

    [[nodiscard]] LinkRig Rig() {
        Port& port = trace_ ? static_cast<Port&>(*trace_) : port_;
        LinkTimers& timers = trace_ ? static_cast<LinkTimers&>(*trace_) : timers_;
        return {port, timers,
                [](const std::function<bool()>& done) {
                    // A safety net only: the exchange's own time-outs end it long before.
                    return RunUntil(done, 10 * 60 * 1000);
                },
                [](const std::string& text) { std::cerr << text << "\n"; }};
    }

  private:
    QtSerialPort port_;
    QtLinkTimers timers_;
    std::string tracePath_;
    std::unique_ptr<LinkTrace> trace_;
};

}  // namespace zt::ctl
