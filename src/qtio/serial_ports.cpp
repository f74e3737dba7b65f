// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtio/serial_ports.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>
#include <tuple>

namespace zt {
namespace {

int Group(const SerialPortEntry& port) {
    const std::string_view name = port.name;
    if (name.starts_with("ttyACM")) return 1;
    if (name.starts_with("ttyUSB") || port.usb) return 0;
    return 2;
}

// Compares names with runs of digits taken as numbers.
bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            std::string_view na = a.substr(i, ei - i);
            std::string_view nb = b.substr(j, ej - j);
            while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

std::string SerialPortEntry::Label() const {
    return description.empty() ? name : name + " - " + description;
}

std::vector<SerialPortEntry> OrderSerialPorts(std::vector<SerialPortEntry> ports) {
    std::stable_sort(ports.begin(), ports.end(),
                     [](const SerialPortEntry& a, const SerialPortEntry& b) {
                         const int ga = Group(a);
                         const int gb = Group(b);
                         if (ga != gb) return ga < gb;
                         return NaturalLess(a.name, b.name);
                     });
    return ports;
}

std::vector<SerialPortEntry> AvailableSerialPorts() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.name = info.portName().toStdString();
        entry.device = info.systemLocation().toStdString();
        QString description = info.description();
        const QString maker = info.manufacturer();
        if (!maker.isEmpty() && !description.contains(maker)) {
            description = description.isEmpty() ? maker : description + " (" + maker + ")";
        }
        entry.description = description.toStdString();
        entry.usb = info.hasVendorIdentifier();
        ports.push_back(std::move(entry));
    }
    return OrderSerialPorts(std::move(ports));
}

ResolvedPort ResolvePortChoice(int number, std::string_view device,
                               const std::vector<SerialPortEntry>& available) {
    ResolvedPort result;
    if (!device.empty()) {
        result.ok = true;
        result.device = std::string(device);
        return result;
    }
    if (number < 1 || number > 8) {
        result.error = "port number " + std::to_string(number) + " is not between 1 and 8";
        return result;
    }
#ifdef Q_OS_WIN
    (void)available;
    result.ok = true;
    result.device = "COM" + std::to_string(number);
#else
    if (static_cast<std::size_t>(number) > available.size()) {
        result.error = "there is no serial port " + std::to_string(number) + " (" +
                       std::to_string(available.size()) + " available)";
        return result;
    }
    result.ok = true;
    result.device = available[static_cast<std::size_t>(number) - 1].device;
#endif
    return result;
}

ResolvedPort ResolvePortChoice(int number, std::string_view device) {
    if (!device.empty()) return ResolvePortChoice(number, device, {});
    return ResolvePortChoice(number, device, AvailableSerialPorts());
}

bool ParsePortText(std::string_view text, int& number, std::string& device, std::string& error) {
    if (text.empty()) {
        error = "the port is empty";
        return false;
    }
    const bool digits = std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (!digits) {
        number = 1;
        device = std::string(text);
        return true;
    }
    if (text.size() > 1 || text[0] < '1' || text[0] > '8') {
        error = "port number " + std::string(text) + " is not between 1 and 8";
        return false;
    }
    number = text[0] - '0';
    device.clear();
    return true;
}

}  // namespace zt
