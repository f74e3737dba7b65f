// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_access.h"

#include "doctor/permission.h"

namespace zt::ctl {

PortFailure ClassifyPortFailure(const PortProbe& probe, bool openRefused) {
    if (!probe.exists) return PortFailure::NoSuchDevice;
    if (!probe.accessible) return PortFailure::PermissionDenied;
    return openRefused ? PortFailure::Busy : PortFailure::Other;
}

std::string PortFailureMessage(PortFailure failure, const std::string& device,
                               const std::string& systemReason, const PortProbe& probe,
                               const UserGroups& user, const std::optional<std::string>& rule) {
    // The serial port adapter names the device before its reason.
    std::string reason = systemReason;
    if (reason.starts_with(device + ": ")) reason.erase(0, device.size() + 2);
    const std::string head = "cannot open " + device + (reason.empty() ? "" : ": " + reason) + "\n";
    switch (failure) {
        case PortFailure::NoSuchDevice:
            return head +
                   "No such serial port: is the programming cable plugged in? Run 'zt790ctl "
                   "doctor' to find out why.\n";
        case PortFailure::PermissionDenied:
            return head +
                   PermissionAdvice(probe, user, rule ? *rule : InstalledCablesRule(SystemPaths{}))
                       .english;
        case PortFailure::Busy:
            return head +
                   "The port is busy: another program has it open. Close the other program "
                   "(another zt790ctl or zt790prog, a terminal program, ModemManager) and try "
                   "again; 'zt790ctl doctor --port " +
                   device + "' names it.\n";
        case PortFailure::Other:
            break;
    }
    return head +
           "Check that this is the programming cable's port: 'zt790ctl ports' lists the serial "
           "ports of this machine.\n";
}

}  // namespace zt::ctl
