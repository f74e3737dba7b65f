// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/permission.h"

#include <algorithm>
#include <filesystem>

namespace zt {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The group the rule gives cables to, which Debian's serial ports belong to.
constexpr const char* kSerialGroup = "dialout";

}  // namespace

std::string InstalledCablesRule(const SystemPaths& paths) {
    for (const std::string& dir : paths.udevRuleDirs) {
        const std::filesystem::path rule = std::filesystem::path(dir) / kCablesRuleName;
        std::error_code ec;
        if (std::filesystem::is_regular_file(rule, ec) && std::filesystem::file_size(rule, ec) > 0)
            return rule.string();
    }
    return {};
}

BiString PermissionAdvice(const DeviceNode& node, const UserGroups& user, const std::string& rule) {
    const std::string name = user.user.empty() ? "$USER" : user.user;
    const std::string& g = node.group;
    // Read and write for the group, and a group that is not root's own.
    const bool groupMayUse = (node.mode & 060) == 060 && !g.empty() && g != "root";
    if (!groupMayUse) {
        const std::string text = NodeText(node);
        BiString advice{"The port is for root only (" + text + ").\n",
                        "该端口只有 root 可以使用（" + text + "）。\n"};
        const std::string reload = "    sudo udevadm control --reload && sudo udevadm trigger\n";
        if (!rule.empty()) {
            advice.english += "The udev rule zt790prog installs, " + rule +
                              ", gives USB programming cables to the dialout group. Load it, "
                              "or plug the cable in again:\n" +
                              reload;
            advice.chinese +=
                "zt790prog 安装的 udev 规则 " + rule +
                " 会把 USB 编程线交给 dialout 组。请加载它，或者拔下编程线再重新插入：\n" + reload;
        } else {
            advice.english += std::string("zt790prog's udev rule ") + kCablesRuleName +
                              " gives USB programming cables to the dialout group; the zt790prog "
                              "package installs it in /usr/lib/udev/rules.d. Install the package, "
                              "then load the rule:\n" +
                              reload;
            advice.chinese += std::string("zt790prog 的 udev 规则 ") + kCablesRuleName +
                              " 会把 USB 编程线交给 dialout 组，zt790prog 软件包把它安装在 "
                              "/usr/lib/udev/rules.d。请安装软件包，然后加载规则：\n" +
                              reload;
        }
        if (!Contains(user.configured, kSerialGroup)) {
            advice.english += "Then add yourself to the dialout group:\n    sudo adduser " + name +
                              " dialout\nand log out and in again.\n";
            advice.chinese += "然后把自己加入 dialout 组：\n    sudo adduser " + name +
                              " dialout\n并注销后重新登录。\n";
        }
        return advice;
    }
    if (Contains(user.configured, g) && !Contains(user.session, g)) {
        return {"You are in the " + g +
                    " group, but this login session started before you were added:\n"
                    "log out and in again (or run: newgrp " +
                    g + ").\n",
                "你已在 " + g +
                    " 组中，但本次登录是在加入该组之前开始的：\n请注销后重新登录（或运行：newgrp " +
                    g + "）。\n"};
    }
    if (Contains(user.session, g)) {
        return {"You are in the " + g +
                    " group, yet the port refuses you: check its permissions (ls -l) and any udev "
                    "rule that changes them.\n",
                "你已在 " + g +
                    " 组中，但端口仍拒绝访问：请检查它的权限（ls -l）以及修改权限的 udev 规则。\n"};
    }
    const std::string text = NodeText(node);
    return {"The port belongs to the " + g + " group (" + text +
                "). To use it without root, add yourself to the group:\n    sudo adduser " + name +
                " " + g + "\nthen log out and in again.\n",
            "该端口属于 " + g + " 组（" + text +
                "）。要不用 root 使用它，请把自己加入该组：\n    sudo adduser " + name + " " + g +
                "\n然后注销后重新登录。\n"};
}

}  // namespace zt
