// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The USB serial chips programming cables are built on, one entry per family,
// and what sysfs says about the adapter behind a serial port.

#include <optional>
#include <string>
#include <vector>

#include "doctor/braille_daemon.h"
#include "doctor/host.h"

namespace zt {

struct ChipFamily {
    const char* name;    // "CH340/CH341"
    const char* driver;  // the Linux driver that takes it, "ch341"
    std::vector<UsbId> ids;
};

// The family of a USB device: by its id, else by the driver bound to it;
// nullptr when it is none of the usual cable chips.
[[nodiscard]] const ChipFamily* FamilyOf(const UsbDevice& device);
// The family whose Linux driver is `driver`, or nullptr.
[[nodiscard]] const ChipFamily* FamilyOfDriver(const std::string& driver);

// The USB device that has the serial port `tty` ("ttyUSB0"), or nullptr.
[[nodiscard]] const UsbDevice* DeviceOfTty(const std::vector<UsbDevice>& usb,
                                           const std::string& tty);

// An FTDI adapter's latency timer in ms (sysfs latency_timer), when it has one.
[[nodiscard]] std::optional<int> LatencyTimerMs(const Host& host, const std::string& tty);

}  // namespace zt
