// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fake machine in a scratch folder that stands for "/": udev rule folders,
// /proc, sysfs's USB devices, /dev and the kernel log, written by the test.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>

#include "doctor/braille_daemon.h"

namespace zt::testing {

class FakeSystem {
  public:
    FakeSystem() {
        paths = SystemPathsUnder(root.string());
        for (const std::string& dir : paths.udevRuleDirs) std::filesystem::create_directories(dir);
        Write("proc/1/comm", "systemd\n");
        Dir("proc/1/fd");
        Write("usr/lib/udev/rules.d/60-serial.rules", "ENV{PRODUCT}==\"1a86/7523/*\"\n");
    }
    ~FakeSystem() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    std::string Dir(const std::string& relative) {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path);
        return path.string();
    }
    void Write(const std::string& relative, const std::string& text) {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    void Link(const std::string& relative, const std::string& target) {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::filesystem::create_symlink(target, path);
    }
    void Rules(const std::string& folder, const std::string& text) {
        Write(folder + "/85-brltty.rules", text);
    }
    void Mask() { Link("etc/udev/rules.d/85-brltty.rules", "/dev/null"); }
    // A USB device "1-N" with one interface, the given ttys on it and the
    // driver bound to it ("" for none).
    void Usb(const std::string& name, const char* vendor, const char* product,
             std::initializer_list<std::string> ttys, const std::string& driver = "") {
        const std::string dev = "sys/bus/usb/devices/" + name;
        Write(dev + "/idVendor", std::string(vendor) + "\n");
        Write(dev + "/idProduct", std::string(product) + "\n");
        Write(dev + "/product", "USB Serial\n");
        Dir(dev + "/" + name + ":1.0");
        for (const std::string& tty : ttys) Dir(dev + "/" + name + ":1.0/" + tty);
        if (!driver.empty())
            Link(dev + "/" + name + ":1.0/driver", "../../../../bus/usb/drivers/" + driver);
        Dir("sys/bus/usb/devices/" + name + ":1.0");  // the interface's own entry
    }

    std::filesystem::path root =
        std::filesystem::temp_directory_path() /
        ("zt-doctor-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device{}()));
    SystemPaths paths;
};

}  // namespace zt::testing
