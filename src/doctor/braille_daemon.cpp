// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/braille_daemon.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <tuple>

namespace zt {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDaemon = "brltty";

// The generic USB serial chips brltty's braille drivers claim when it runs
// without udev rules of its own (Debian starts it as a system service): CH340,
// CP210x, CP2110 and FT232.
constexpr UsbId kGenericSerialChips[] = {
    {0x1a86, 0x7523}, {0x10c4, 0xea60}, {0x10c4, 0xea80}, {0x0403, 0x6001}};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string FirstLine(const fs::path& path) {
    std::string text = ReadText(path);
    if (const auto end = text.find('\n'); end != std::string::npos) text.resize(end);
    return text;
}

std::optional<std::uint16_t> Hex16(const std::string& text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    std::uint16_t value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return std::nullopt;
        value = static_cast<std::uint16_t>(value * 16 + digit);
    }
    return value;
}

void AddUnique(std::vector<UsbId>& ids, UsbId id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
}

// The devices a rule file names, in its two usual spellings:
//   ENV{PRODUCT}=="1a86/7523/*"
//   ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523"
// Lines commented out claim nothing.
void CollectClaims(const std::string& rules, std::vector<UsbId>& ids) {
    static const std::regex product(
        R"re(ENV\{PRODUCT\}=="([0-9a-fA-F]{1,4})/([0-9a-fA-F]{1,4})/)re");
    static const std::regex vendorAttr(R"re((?:ATTRS?|SYSFS)\{idVendor\}=="([0-9a-fA-F]{4})")re");
    static const std::regex productAttr(R"re((?:ATTRS?|SYSFS)\{idProduct\}=="([0-9a-fA-F]{4})")re");
    std::size_t start = 0;
    while (start < rules.size()) {
        std::size_t end = rules.find('\n', start);
        if (end == std::string::npos) end = rules.size();
        const std::string line = rules.substr(start, end - start);
        start = end + 1;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::smatch m, v, p;
        if (std::regex_search(line, m, product)) {
            AddUnique(ids, {*Hex16(m[1]), *Hex16(m[2])});
        } else if (std::regex_search(line, v, vendorAttr) &&
                   std::regex_search(line, p, productAttr)) {
            AddUnique(ids, {*Hex16(v[1]), *Hex16(p[1])});
        }
    }
}

bool IsMasked(const fs::path& file) {
    std::error_code ec;
    if (fs::is_symlink(file, ec) && fs::read_symlink(file, ec) == "/dev/null") return true;
    return fs::is_regular_file(file, ec) && fs::file_size(file, ec) == 0;
}

std::vector<int> DaemonProcesses(const std::string& proc) {
    std::vector<int> pids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(proc, ec)) {
        const std::string name = entry.path().filename().string();
        const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        if (!number) continue;
        if (FirstLine(entry.path() / "comm") == kDaemon) pids.push_back(std::stoi(name));
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

// The serial ports below one interface folder of a USB device: usb-serial
// drivers put ttyUSB0 there, cdc-acm puts tty/ttyACM0.
void CollectTtys(const fs::path& interface, std::vector<std::string>& ttys) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(interface, ec)) {
        const std::string name = entry.path().filename().string();
        if (name == "tty") {
            for (const auto& inner : fs::directory_iterator(entry.path(), ec))
                ttys.push_back(inner.path().filename().string());
        } else if (name.starts_with("tty")) {
            ttys.push_back(name);
        }
    }
}

std::string CableName(const UsbDevice& d) {
    return UsbIdText(d.id) + (d.product.empty() ? "" : " (" + d.product + ")");
}

std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

}  // namespace

std::string UsbIdText(UsbId id) {
    char text[10];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendor, id.product);
    return text;
}

std::vector<UsbDevice> ListUsbDevices(const std::string& usbDevicesDir) {
    std::vector<UsbDevice> devices;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(usbDevicesDir, ec)) {
        const fs::path dir = entry.path();
        // Interfaces ("1-1:1.0") sit beside the devices; they have no ids.
        if (dir.filename().string().find(':') != std::string::npos) continue;
        const auto vendor = Hex16(FirstLine(dir / "idVendor"));
        const auto product = Hex16(FirstLine(dir / "idProduct"));
        if (!vendor || !product) continue;
        UsbDevice device{
            {*vendor, *product}, FirstLine(dir / "product"), {}, dir.filename().string(), {}};
        std::vector<fs::path> interfaces;
        for (const auto& inner : fs::directory_iterator(dir, ec)) {
            if (inner.path().filename().string().find(':') != std::string::npos)
                interfaces.push_back(inner.path());
        }
        std::sort(interfaces.begin(), interfaces.end());
        for (const fs::path& interface : interfaces) {
            CollectTtys(interface, device.ttys);
            std::error_code none;
            const fs::path driver = fs::read_symlink(interface / "driver", none);
            if (!none && device.driver.empty()) device.driver = driver.filename().string();
        }
        std::sort(device.ttys.begin(), device.ttys.end());
        devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(), [](const UsbDevice& a, const UsbDevice& b) {
        return std::tie(a.id.vendor, a.id.product, a.ttys) <
               std::tie(b.id.vendor, b.id.product, b.ttys);
    });
    return devices;
}

SystemPaths SystemPathsUnder(const std::string& root) {
    SystemPaths paths;
    for (std::string& dir : paths.udevRuleDirs) dir = root + dir;
    paths.proc = root + paths.proc;
    paths.usbDevices = root + paths.usbDevices;
    return paths;
}

bool BrailleDaemon::Claims(UsbId id) const {
    return std::find(claimed.begin(), claimed.end(), id) != claimed.end();
}

BrailleDaemon DetectBrailleDaemon(const SystemPaths& paths) {
    BrailleDaemon daemon;
    // udev reads each file name once, from the first folder that has it; a file
    // of the same name in an earlier folder overrides or (as /dev/null or an
    // empty file) masks it.
    std::set<std::string> seen;
    for (const std::string& folder : paths.udevRuleDirs) {
        std::error_code ec;
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(folder, ec)) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            const std::string name = file.filename().string();
            if (!name.ends_with(".rules") || !seen.insert(name).second) continue;
            if (name.find(kDaemon) == std::string::npos) continue;
            if (IsMasked(file)) {
                daemon.maskedRuleFiles.push_back(file.string());
                continue;
            }
            daemon.ruleFiles.push_back(file.string());
            CollectClaims(ReadText(file), daemon.claimed);
        }
    }
    daemon.processes = DaemonProcesses(paths.proc);
    if (daemon.ruleFiles.empty() && !daemon.processes.empty()) {
        for (const UsbId id : kGenericSerialChips) AddUnique(daemon.claimed, id);
    }
    return daemon;
}

BiString BrailleDaemonAdvice(const BrailleDaemon& daemon, const std::vector<UsbDevice>& usb,
                             PortTrouble trouble, const std::string& device) {
    std::vector<std::string> cables;
    const std::string tty = fs::path(device).filename().string();
    for (const UsbDevice& d : usb) {
        if (!daemon.Claims(d.id)) continue;
        const bool hasTty = std::find(d.ttys.begin(), d.ttys.end(), tty) != d.ttys.end();
        if ((trouble == PortTrouble::Missing && d.ttys.empty()) ||
            (trouble == PortTrouble::Busy && !tty.empty() && hasTty)) {
            cables.push_back(CableName(d));
        }
    }
    if (cables.empty()) return {};

    BiString what;
    if (trouble == PortTrouble::Missing) {
        const bool one = cables.size() == 1;
        what = {(one ? "The USB serial cable " + Join(cables) +
                           " is plugged in but has no serial port: the braille display daemon "
                           "brltty has taken it.\n"
                     : "The USB serial cables " + Join(cables) +
                           " are plugged in but have no serial port: the braille display daemon "
                           "brltty has taken them.\n"),
                "USB 串口线 " + Join(cables) +
                    " 已插入，但没有串口：盲文显示守护程序 brltty 占用了它。\n"};
    } else {
        what = {"The serial port " + device + " belongs to a USB serial cable, " + cables.front() +
                    ", that the braille display daemon brltty claims: brltty may have it open.\n",
                "串口 " + device + " 属于盲文显示守护程序 brltty 会占用的 USB 串口线 " +
                    cables.front() + "，brltty 可能正打开着它。\n"};
    }
    if (!daemon.ruleFiles.empty()) {
        const std::string rule = fs::path(daemon.ruleFiles.front()).filename().string();
        const std::string mask = "    sudo ln -s /dev/null /etc/udev/rules.d/" + rule +
                                 "\n"
                                 "    sudo udevadm control --reload-rules\n";
        return {what.english +
                    "Unless you use a braille display, remove it:\n"
                    "    sudo apt remove brltty\n"
                    "or keep it and mask its udev rule (" +
                    daemon.ruleFiles.front() + "):\n" + mask +
                    "then unplug the cable and plug it in again.\n",
                what.chinese +
                    "如果不使用盲文显示器，请卸载它：\n"
                    "    sudo apt remove brltty\n"
                    "或者保留它，屏蔽它的 udev 规则 (" +
                    daemon.ruleFiles.front() + ")：\n" + mask + "然后拔下编程线再重新插入。\n"};
    }
    return {what.english +
                "Unless you use a braille display, remove it:\n"
                "    sudo apt remove brltty\n"
                "or keep it installed but stop its service:\n"
                "    sudo systemctl disable --now brltty\n"
                "then unplug the cable and plug it in again.\n",
            what.chinese +
                "如果不使用盲文显示器，请卸载它：\n"
                "    sudo apt remove brltty\n"
                "或者保留它，停止它的服务：\n"
                "    sudo systemctl disable --now brltty\n"
                "然后拔下编程线再重新插入。\n"};
}

BiString BrailleDaemonAdvice(PortTrouble trouble, const std::string& device,
                             const SystemPaths& paths) {
    const BrailleDaemon daemon = DetectBrailleDaemon(paths);
    if (daemon.claimed.empty()) return {};
    // A link such as /dev/serial/by-id/... names the tty it points to.
    std::error_code ec;
    const fs::path real = device.empty() ? fs::path() : fs::canonical(device, ec);
    return BrailleDaemonAdvice(daemon, ListUsbDevices(paths.usbDevices), trouble,
                               ec || real.empty() ? device : real.string());
}

}  // namespace zt
