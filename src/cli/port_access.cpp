// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_access.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace zt::ctl {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

PortProbe ProbePort(const std::string& device) {
    PortProbe probe;
    struct stat st {};
    if (device.empty() || ::stat(device.c_str(), &st) != 0) return probe;
    probe.exists = true;
    probe.accessible = ::access(device.c_str(), R_OK | W_OK) == 0;
    if (const group* g = ::getgrgid(st.st_gid)) probe.group = g->gr_name;
    return probe;
}

PortFailure ClassifyPortFailure(const PortProbe& probe, bool openRefused) {
    if (!probe.exists) return PortFailure::NoSuchDevice;
    if (!probe.accessible) return PortFailure::PermissionDenied;
    return openRefused ? PortFailure::Busy : PortFailure::Other;
}

UserGroups CurrentUserGroups() {
    UserGroups user;
    const passwd* pw = ::getpwuid(::geteuid());
    if (pw) user.user = pw->pw_name;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> gids(static_cast<std::size_t>(std::max(n, 0)));
    if (n > 0 && ::getgroups(n, gids.data()) == n) {
        gids.push_back(::getegid());
        for (const gid_t gid : gids) {
            if (const group* g = ::getgrgid(gid); g && !Contains(user.session, g->gr_name)) {
                user.session.emplace_back(g->gr_name);
            }
        }
    }
    if (pw) {
        int count = 64;
        std::vector<gid_t> list(static_cast<std::size_t>(count));
        if (::getgrouplist(pw->pw_name, pw->pw_gid, list.data(), &count) < 0) {
            list.resize(static_cast<std::size_t>(count));
            (void)::getgrouplist(pw->pw_name, pw->pw_gid, list.data(), &count);
        }
        list.resize(static_cast<std::size_t>(std::max(count, 0)));
        for (const gid_t gid : list) {
            if (const group* g = ::getgrgid(gid); g && !Contains(user.configured, g->gr_name)) {
                user.configured.emplace_back(g->gr_name);
            }
        }
    }
    return user;
}

std::string PermissionAdvice(const std::string& group, const UserGroups& user) {
    const std::string g = group.empty() ? "dialout" : group;
    const std::string name = user.user.empty() ? "$USER" : user.user;
    if (Contains(user.configured, g) && !Contains(user.session, g)) {
        return "You are in the " + g +
               " group, but this login session started before you were added:\n"
               "log out and in again (or run: newgrp " +
               g + ").\n";
    }
    if (Contains(user.session, g)) {
        return "You are in the " + g +
               " group, yet the port refuses you: check its permissions (ls -l) and any udev "
               "rule that changes them.\n";
    }
    return "Serial ports belong to the " + g +
           " group. To use them without root, add yourself to it:\n"
           "    sudo adduser " +
           name + " " + g +
           "\n"
           "then log out and in again.\n";
}

bool ReasonSaysBusy(const std::string& systemReason) {
    std::string lower = systemReason;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("busy") != std::string::npos || lower.find("lock") != std::string::npos;
}

std::string PortFailureMessage(PortFailure failure, const std::string& device,
                               const std::string& systemReason, const PortProbe& probe,
                               const UserGroups& user) {
    // The serial port adapter names the device before its reason.
    std::string reason = systemReason;
    if (reason.starts_with(device + ": ")) reason.erase(0, device.size() + 2);
    const std::string head = "cannot open " + device + (reason.empty() ? "" : ": " + reason) + "\n";
    switch (failure) {
        case PortFailure::NoSuchDevice:
            return head +
                   "No such serial port: is the programming cable plugged in? Run 'zt790ctl "
                   "ports' to list the ports of this machine.\n";
        case PortFailure::PermissionDenied:
            return head + PermissionAdvice(probe.group, user);
        case PortFailure::Busy:
            return head +
                   "The port is busy: another program has it open. Close the other program "
                   "(another zt790ctl or zt790prog, a terminal program, ModemManager) and try "
                   "again.\n";
        case PortFailure::Other:
            break;
    }
    return head +
           "Check that this is the programming cable's port: 'zt790ctl ports' lists the serial "
           "ports of this machine.\n";
}

}  // namespace zt::ctl
