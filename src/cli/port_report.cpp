// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_report.h"

#include <algorithm>

#include "cli/text_table.h"
#include "doctor/permission.h"

namespace zt::ctl {

std::string PortListReport(const std::vector<PortLine>& ports, const UserGroups& user,
                           const std::string& rule) {
    if (ports.empty()) {
        return "No serial ports found.\n"
               "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
               "/dev/ttyACM0.\n";
    }
    std::vector<TableRow> rows{{"No.", "Device", "Access", "Description"}};
    std::vector<std::string> advice;  // once each, in the order of the ports
    for (std::size_t k = 0; k < ports.size(); ++k) {
        const PortLine& p = ports[k];
        // Only the first eight ports have a number, as in the port-setup dialog.
        const std::string number = k < 8 ? std::to_string(k + 1) : "-";
        std::string access = p.probe.accessible ? "ok" : "denied";
        if (!p.probe.accessible) {
            std::string a = PermissionAdvice(p.probe, user, rule).english;
            if (std::find(advice.begin(), advice.end(), a) == advice.end())
                advice.push_back(std::move(a));
        }
        rows.push_back({number, p.port.device, access, p.port.description});
    }
    std::string out = TextTable(rows, {true});
    if (ports.size() > 8) out += "Ports without a number are chosen by their device path.\n";
    for (const std::string& a : advice) out += "\n" + a;
    return out;
}

}  // namespace zt::ctl
