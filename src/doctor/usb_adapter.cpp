// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/usb_adapter.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace zt {
namespace {

const std::vector<ChipFamily>& Families() {
    static const std::vector<ChipFamily> families{
        {"CH340/CH341", "ch341", {{0x1a86, 0x7523}, {0x1a86, 0x7522}, {0x1a86, 0x5523}}},
        {"CP210x",
         "cp210x",
         {{0x10c4, 0xea60}, {0x10c4, 0xea63}, {0x10c4, 0xea70}, {0x10c4, 0xea71}}},
        {"FTDI",
         "ftdi_sio",
         {{0x0403, 0x6001},
          {0x0403, 0x6010},
          {0x0403, 0x6011},
          {0x0403, 0x6014},
          {0x0403, 0x6015}}},
        {"PL2303",
         "pl2303",
         {{0x067b, 0x2303},
          {0x067b, 0x23a3},
          {0x067b, 0x23b3},
          {0x067b, 0x23c3},
          {0x067b, 0x23d3},
          {0x067b, 0x23e3},
          {0x067b, 0x23f3}}},
    };
    return families;
}

}  // namespace

const ChipFamily* FamilyOfDriver(const std::string& driver) {
    for (const ChipFamily& f : Families())
        if (driver == f.driver) return &f;
    return nullptr;
}

const ChipFamily* FamilyOf(const UsbDevice& device) {
    for (const ChipFamily& f : Families()) {
        if (std::find(f.ids.begin(), f.ids.end(), device.id) != f.ids.end()) return &f;
    }
    return FamilyOfDriver(device.driver);
}

const UsbDevice* DeviceOfTty(const std::vector<UsbDevice>& usb, const std::string& tty) {
    for (const UsbDevice& d : usb) {
        if (std::find(d.ttys.begin(), d.ttys.end(), tty) != d.ttys.end()) return &d;
    }
    return nullptr;
}

std::optional<int> LatencyTimerMs(const Host& host, const std::string& tty) {
    std::ifstream in(host.Path("/sys/bus/usb-serial/devices/" + tty + "/latency_timer"));
    std::string text;
    if (tty.empty() || !std::getline(in, text)) return std::nullopt;
    int ms = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (ec != std::errc{}) return std::nullopt;
    return ms;
}

}  // namespace zt
