// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether this user may open a serial port, and why a port would not open: the
// three failures a user can act on (no such device, permission denied, port
// busy) each get their own message and exit code.

#include <string>
#include <vector>

namespace zt::ctl {

enum class PortFailure {
    NoSuchDevice,      // nothing at that path, or no n-th port
    PermissionDenied,  // the device exists but this user may not open it
    Busy,              // another program has it open
    Other,
};

// What the system says about a device path.
struct PortProbe {
    bool exists = false;
    bool accessible = false;  // read and write allowed for this user
    std::string group;        // the device's group, e.g. "dialout"; empty when unknown
};

[[nodiscard]] PortProbe ProbePort(const std::string& device);

// The failure a probe explains, given that opening failed; a device that
// exists and may be opened but still would not open is taken as busy when
// `openRefused` (the system refused it as locked, in use or not permitted).
[[nodiscard]] PortFailure ClassifyPortFailure(const PortProbe& probe, bool openRefused);
// Whether the system's reason for a failed opening says the port is in use
// ("Device or resource busy", a lock held by another program).
[[nodiscard]] bool ReasonSaysBusy(const std::string& systemReason);

// The groups of this user: those the running session has, and those the group
// database lists (they differ until the user logs in again after being added).
struct UserGroups {
    std::string user;
    std::vector<std::string> session;
    std::vector<std::string> configured;
};
[[nodiscard]] UserGroups CurrentUserGroups();

// How to get permission for a port owned by `group` (Debian's dialout for
// serial ports): add the user to the group, or log in again when that was done
// already; ends with a line break.
[[nodiscard]] std::string PermissionAdvice(const std::string& group, const UserGroups& user);

// The whole message for a failed opening: the device and the system's reason,
// then what to do; several lines ending with a line break.
[[nodiscard]] std::string PortFailureMessage(PortFailure failure, const std::string& device,
                                             const std::string& systemReason,
                                             const PortProbe& probe, const UserGroups& user);

}  // namespace zt::ctl
