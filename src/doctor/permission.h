// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What to do about a serial port this user may not open, from the port's real
// owner, group and mode: join the port's group (or log in again after joining
// it), or, for a port only root may open, the udev rule zt790prog installs.

#include <string>

#include "doctor/braille_daemon.h"
#include "doctor/host.h"
#include "model/bitext.h"

namespace zt {

// The file name of the udev rule the package installs for programming cables.
inline constexpr const char* kCablesRuleName = "60-zt790prog-cables.rules";

// Where that rule is in force (the first of udev's rule folders that has it),
// or "" when it is not installed.
[[nodiscard]] std::string InstalledCablesRule(const SystemPaths& paths);

// Several lines, each ending with a line break. `rule`: InstalledCablesRule.
[[nodiscard]] BiString PermissionAdvice(const DeviceNode& node, const UserGroups& user,
                                        const std::string& rule);

}  // namespace zt
