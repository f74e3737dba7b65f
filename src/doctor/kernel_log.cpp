// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/kernel_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <ctime>
#include <fstream>
#include <regex>

namespace zt {
namespace {

// Every record at once: /dev/kmsg gives one record per read and EAGAIN at the
// end (EPIPE for records overwritten meanwhile); a plain file gives chunks.
bool ReadAll(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EPIPE || errno == EINTR)) {
            continue;
        } else {
            break;
        }
    }
    ::close(fd);
    return true;
}

}  // namespace

KernelLog ReadKernelLog(const Host& host) {
    KernelLog log;
    std::string text;
    if (!ReadAll(host.Path("/dev/kmsg"), text)) return log;
    log.readable = true;
    // The records are stamped on the monotonic clock, which stops while the
    // machine sleeps; /proc/uptime does not, so it stands in only for a fake tree.
    if (host.root.empty()) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        log.now = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    } else {
        std::ifstream(host.Path("/proc/uptime")) >> log.now;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        // "6,339,5140900,-;message"; continuation lines start with a blank.
        const auto semicolon = line.find(';');
        if (line.empty() || line[0] == ' ' || semicolon == std::string::npos) continue;
        const auto c1 = line.find(',');
        const auto c2 = c1 == std::string::npos ? c1 : line.find(',', c1 + 1);
        const auto c3 = c2 == std::string::npos ? c2 : line.find(',', c2 + 1);
        if (c3 == std::string::npos || c3 > semicolon) continue;
        double micros = 0;
        try {
            micros = std::stod(line.substr(c2 + 1, c3 - c2 - 1));
        } catch (...) {
            continue;
        }
        log.records.push_back({micros / 1e6, line.substr(semicolon + 1)});
    }
    return log;
}

std::vector<AdapterEvent> RecentAdapterEvents(const KernelLog& log, int seconds) {
    static const std::regex attached(
        R"(converter now attached to (tty\w+)|: (ttyACM\d+): USB ACM device)");
    static const std::regex detached(R"(converter now disconnected from (tty\w+))");
    std::vector<AdapterEvent> events;
    for (auto r = log.records.rbegin(); r != log.records.rend(); ++r) {
        const double age = log.now - r->seconds;
        if (age > seconds) break;
        std::smatch m;
        if (std::regex_search(r->text, m, attached)) {
            events.push_back(
                {true, m[1].matched ? m[1].str() : m[2].str(), static_cast<int>(std::lround(age))});
        } else if (std::regex_search(r->text, m, detached)) {
            events.push_back({false, m[1].str(), static_cast<int>(std::lround(age))});
        }
    }
    return events;
}

bool KernelRefusedPl2303(const KernelLog& log, const std::string& usbPath) {
    const std::string prefix = "pl2303 " + usbPath + ":";
    for (const KernelLog::Record& r : log.records) {
        if (r.text.starts_with(prefix) && r.text.find("unknown device type") != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace zt
