// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether this user may open a serial port, and why a port would not open: the
// three failures a user can act on (no such device, permission denied, port
// busy) each get their own message and exit code. What the system says about
// a port, and the advice on permissions, are the connection doctor's.

#include <optional>
#include <string>

#include "doctor/host.h"
#include "doctor/radio_probe.h"

namespace zt::ctl {

enum class PortFailure {
    NoSuchDevice,      // nothing at that path, or no n-th port
    PermissionDenied,  // the device exists but this user may not open it
    Busy,              // another program has it open
    Other,
};

// What the system says about a device path.
using PortProbe = DeviceNode;
[[nodiscard]] inline PortProbe ProbePort(const std::string& device) { return StatDevice(device); }

// The failure a probe explains, given that opening failed; a device that
// exists and may be opened but still would not open is taken as busy when
// `openRefused` (the system refused it as locked, in use or not permitted).
[[nodiscard]] PortFailure ClassifyPortFailure(const PortProbe& probe, bool openRefused);

// The whole message for a failed opening: the device and the system's reason,
// then what to do; several lines ending with a line break. `rule`: the udev
// rule for cables in force (InstalledCablesRule), looked up when not given.
[[nodiscard]] std::string PortFailureMessage(PortFailure failure, const std::string& device,
                                             const std::string& systemReason,
                                             const PortProbe& probe, const UserGroups& user,
                                             const std::optional<std::string>& rule = {});

}  // namespace zt::ctl
