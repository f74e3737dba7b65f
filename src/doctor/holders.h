// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The processes that have a device open, found through /proc/*/fd. Only the
// processes this user may look into are seen (all of them for root).

#include <string>
#include <vector>

#include "doctor/host.h"

namespace zt {

struct Holder {
    int pid = 0;
    std::string name;  // its command name (/proc/PID/comm), e.g. "ModemManager"
    friend bool operator==(const Holder&, const Holder&) = default;
};

struct HolderScan {
    std::vector<Holder> holders;  // by process id
    int hidden = 0;               // processes whose open files this user may not see
};
[[nodiscard]] HolderScan FindHolders(const Host& host, const std::string& device);

}  // namespace zt
