// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kernel's messages about USB serial adapters: which appeared or vanished
// lately, and a PL2303 the driver refused. Read from /dev/kmsg, which only
// some users may read (Debian lets only root and the adm group's tools see it).

#include <string>
#include <vector>

#include "doctor/host.h"

namespace zt {

struct KernelLog {
    bool readable = false;
    double now = 0;  // seconds since boot (/proc/uptime)
    struct Record {
        double seconds = 0;  // since boot
        std::string text;    // "usb 1-2: ch341-uart converter now attached to ttyUSB0"
    };
    std::vector<Record> records;
};
[[nodiscard]] KernelLog ReadKernelLog(const Host& host);

struct AdapterEvent {
    bool attached = true;  // false: disconnected
    std::string tty;       // "ttyUSB0"
    int ageSeconds = 0;
};
// The serial ports USB adapters made or lost within `seconds`, newest first.
[[nodiscard]] std::vector<AdapterEvent> RecentAdapterEvents(const KernelLog& log, int seconds);

// Whether the kernel refused the PL2303 at bus place `usbPath` ("1-2") as a
// device type it does not know: a counterfeit chip or one phased out.
[[nodiscard]] bool KernelRefusedPl2303(const KernelLog& log, const std::string& usbPath);

}  // namespace zt
