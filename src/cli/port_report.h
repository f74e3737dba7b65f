// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list `zt790ctl ports` prints: every serial port with the number 1..8 that
// selects it (the same numbering as the port-setup dialog), its description and
// whether this user may open it, with advice when permission is missing.

#include <string>
#include <vector>

#include "cli/port_access.h"
#include "qtio/serial_ports.h"

namespace zt::ctl {

struct PortLine {
    SerialPortEntry port;
    PortProbe probe;
};

// `ports` in the order of AvailableSerialPorts; `rule`: the udev rule for
// cables in force (InstalledCablesRule), for the advice on a denied port.
[[nodiscard]] std::string PortListReport(const std::vector<PortLine>& ports, const UserGroups& user,
                                         const std::string& rule);

}  // namespace zt::ctl
