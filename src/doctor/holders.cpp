// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/holders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zt {

namespace fs = std::filesystem;

HolderScan FindHolders(const Host& host, const std::string& device) {
    HolderScan scan;
    // A link such as /dev/serial/by-id/... names the node the processes hold.
    std::error_code ec;
    std::string node = fs::weakly_canonical(host.Path(device), ec).string();
    if (ec || !node.starts_with(host.root)) node = host.Path(device);
    node.erase(0, host.root.size());
    for (const auto& entry : fs::directory_iterator(host.Path("/proc"), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        fs::directory_iterator fds(entry.path() / "fd", fdError);
        if (fdError) {
            ++scan.hidden;
            continue;
        }
        for (const auto& fd : fds) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fd.path(), linkError);
            if (linkError || (target != node && target != device)) continue;
            std::string comm;
            std::getline(std::ifstream(entry.path() / "comm"), comm);
            scan.holders.push_back({std::stoi(name), comm});
            break;
        }
    }
    std::sort(scan.holders.begin(), scan.holders.end(),
              [](const Holder& a, const Holder& b) { return a.pid < b.pid; });
    return scan;
}

}  // namespace zt
