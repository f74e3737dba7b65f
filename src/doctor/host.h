// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine the doctor examines: a root folder that stands for "/" (empty
// for this machine; a fake tree in tests), the user running it, and how a
// device node's owner, group and mode are read.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

// The groups of this user: those the running session has, and those the group
// database lists (they differ until the user logs in again after being added).
struct UserGroups {
    std::string user;
    std::vector<std::string> session;
    std::vector<std::string> configured;
};
[[nodiscard]] UserGroups CurrentUserGroups();

// A device node as `ls -l` shows it, and whether this user may open it for
// reading and writing (the kernel's answer, access control lists included).
struct DeviceNode {
    bool exists = false;
    bool accessible = false;
    std::string owner;  // names; empty when unknown
    std::string group;
    unsigned mode = 0;  // permission bits, e.g. 0660
    char type = 'c';    // 'c' for a character device, as the first letter of `ls -l`
};
// What the system says about `path`.
[[nodiscard]] DeviceNode StatDevice(const std::string& path);
// "crw-rw---- root dialout"
[[nodiscard]] std::string NodeText(const DeviceNode& node);

struct Host {
    std::string root;  // "" for this machine
    UserGroups user;
    // Reads a node; gets the rooted path.
    std::function<DeviceNode(const std::string& path)> node = StatDevice;

    // `absolute` ("/sys/...") below the root.
    [[nodiscard]] std::string Path(std::string_view absolute) const {
        return root + std::string(absolute);
    }
};
// This machine, as the user running the program sees it.
[[nodiscard]] Host ThisMachine();

}  // namespace zt
