// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The braille display daemon (Debian's and Ubuntu's brltty) claims the USB
// serial chips most programming cables are built on (CH340, CP210x, FTDI), as
// some braille displays use the same chips: once it has taken a cable, the
// cable's serial port disappears or is busy, and nothing tells the user why.
// This notices that and says what to do. It reads only files (udev rules,
// /proc, sysfs), each under a path the caller may point elsewhere, so tests run
// it on a fake system. No Qt.

#include <cstdint>
#include <string>
#include <vector>

#include "model/bitext.h"

namespace zt {

struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    friend bool operator==(const UsbId&, const UsbId&) = default;
};
// "1a86:7523"
[[nodiscard]] std::string UsbIdText(UsbId id);

// Where the detection looks.
struct SystemPaths {
    // udev's rule folders, the first one winning for a file name.
    std::vector<std::string> udevRuleDirs{"/etc/udev/rules.d", "/run/udev/rules.d",
                                          "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                                          "/lib/udev/rules.d"};
    std::string proc = "/proc";
    std::string usbDevices = "/sys/bus/usb/devices";
};
// The same folders below `root` ("" for this machine's own).
[[nodiscard]] SystemPaths SystemPathsUnder(const std::string& root);

// A USB device plugged in now, with the serial ports (tty names) it has.
struct UsbDevice {
    UsbId id;
    std::string product;            // the device's own name, e.g. "USB Serial"; may be empty
    std::vector<std::string> ttys;  // e.g. "ttyUSB0"; empty when no driver made a port
    std::string path;               // its place on the bus, e.g. "1-2" (the kernel log's name)
    std::string driver;             // the kernel driver of its first bound interface, e.g. "ch341"
};
[[nodiscard]] std::vector<UsbDevice> ListUsbDevices(const std::string& usbDevicesDir);

struct BrailleDaemon {
    std::vector<std::string> ruleFiles;        // its udev rules in force
    std::vector<std::string> maskedRuleFiles;  // its rules masked (/dev/null or an empty file)
    std::vector<int> processes;                // running brltty processes
    // The cables it takes: those its rules in force name; with none, while it
    // runs, the generic serial chips its braille drivers look for.
    std::vector<UsbId> claimed;

    [[nodiscard]] bool Installed() const {
        return !ruleFiles.empty() || !maskedRuleFiles.empty() || !processes.empty();
    }
    [[nodiscard]] bool Claims(UsbId id) const;
};
[[nodiscard]] BrailleDaemon DetectBrailleDaemon(const SystemPaths& paths);

enum class PortTrouble {
    Missing,  // the port to open is not there
    Busy,     // the port is there but another program has it
};

// Two or three paragraphs on what happened and what to do, when the daemon
// explains the trouble: a cable it claims is plugged in without a serial port
// (Missing), or the busy `device` is such a cable (Busy). Empty otherwise.
[[nodiscard]] BiString BrailleDaemonAdvice(const BrailleDaemon& daemon,
                                           const std::vector<UsbDevice>& usb, PortTrouble trouble,
                                           const std::string& device);
// The same for the system at `paths`.
[[nodiscard]] BiString BrailleDaemonAdvice(PortTrouble trouble, const std::string& device,
                                           const SystemPaths& paths = {});

}  // namespace zt
