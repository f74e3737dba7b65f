// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl ports
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/port_report.h"
#include "doctor/braille_daemon.h"
#include "doctor/permission.h"

namespace zt::ctl {

void AddPortsCommand(CLI::App& app, std::function<int()>& run) {
    CLI::App* cmd = app.add_subcommand(
        "ports",
        "List the serial ports, the number that selects each, and whether you may open it");
    cmd->callback([&run] {
        run = [] {
            std::vector<PortLine> lines;
            for (SerialPortEntry& port : AvailableSerialPorts()) {
                PortProbe probe = ProbePort(port.device);
                lines.push_back({std::move(port), std::move(probe)});
            }
            std::cout << PortListReport(lines, CurrentUserGroups(),
                                        InstalledCablesRule(SystemPaths{}));
            // A cable the braille display daemon took has no port to list.
            if (const BiString advice = BrailleDaemonAdvice(PortTrouble::Missing, "");
                !advice.empty()) {
                std::cout << "\n" << advice.english;
            }
            return static_cast<int>(kOk);
        };
    });
}

}  // namespace zt::ctl
