// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port and timers zt790ctl's exchanges run on, driven by the Qt event
// loop, with what comes next announced on standard error.

#include <iostream>

#include "cli/ctl_common.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

class QtLinkRig {
  public:
    [[nodiscard]] LinkRig Rig() {
        return {port_, timers_,
                [](const std::function<bool()>& done) {
                    // A safety net only: the exchange's own time-outs end it long before.
                    return RunUntil(done, 10 * 60 * 1000);
                },
                [](const std::string& text) { std::cerr << text << "\n"; }};
    }

  private:
    QtSerialPort port_;
    QtLinkTimers timers_;
};

}  // namespace zt::ctl
