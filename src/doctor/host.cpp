// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/host.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace zt {
namespace {

void AddGroup(std::vector<std::string>& list, gid_t gid) {
    const group* g = ::getgrgid(gid);
    if (g && std::find(list.begin(), list.end(), g->gr_name) == list.end())
        list.emplace_back(g->gr_name);
}

}  // namespace

UserGroups CurrentUserGroups() {
    UserGroups user;
    const passwd* pw = ::getpwuid(::geteuid());
    if (pw) user.user = pw->pw_name;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> gids(static_cast<std::size_t>(std::max(n, 0)));
    if (n > 0 && ::getgroups(n, gids.data()) == n) {
        gids.push_back(::getegid());
        for (const gid_t gid : gids) AddGroup(user.session, gid);
    }
    if (pw) {
        const std::string name = pw->pw_name;  // getgr* below may reuse pw's storage
        const gid_t primary = pw->pw_gid;
        int count = 64;
        std::vector<gid_t> list(static_cast<std::size_t>(count));
        if (::getgrouplist(name.c_str(), primary, list.data(), &count) < 0) {
            list.resize(static_cast<std::size_t>(count));
            (void)::getgrouplist(name.c_str(), primary, list.data(), &count);
        }
        list.resize(static_cast<std::size_t>(std::max(count, 0)));
        for (const gid_t gid : list) AddGroup(user.configured, gid);
    }
    return user;
}

DeviceNode StatDevice(const std::string& path) {
    DeviceNode node;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return node;
    node.exists = true;
    node.accessible = ::access(path.c_str(), R_OK | W_OK) == 0;
    if (const passwd* pw = ::getpwuid(st.st_uid)) node.owner = pw->pw_name;
    if (const group* g = ::getgrgid(st.st_gid)) node.group = g->gr_name;
    node.mode = st.st_mode & 07777;
    node.type = S_ISCHR(st.st_mode) ? 'c' : '-';
    return node;
}

std::string NodeText(const DeviceNode& node) {
    std::string text(1, node.type);
    for (int shift = 6; shift >= 0; shift -= 3) {
        const unsigned bits = node.mode >> shift;
        text += bits & 4 ? 'r' : '-';
        text += bits & 2 ? 'w' : '-';
        text += bits & 1 ? 'x' : '-';
    }
    return text + " " + (node.owner.empty() ? "?" : node.owner) + " " +
           (node.group.empty() ? "?" : node.group);
}

Host ThisMachine() { return Host{"", CurrentUserGroups()}; }

}  // namespace zt
