// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial ports a user can pick, and how a port choice (a number 1..8 or a
// device path) becomes the device to open. The port-setup dialog lists these,
// and zt790ctl resolves its --port option through them.

#include <string>
#include <string_view>
#include <vector>

namespace zt {

struct SerialPortEntry {
    std::string name;         // e.g. "ttyUSB0" (or "COM3")
    std::string device;       // e.g. "/dev/ttyUSB0" (or "COM3")
    std::string description;  // e.g. "FT232R USB UART (FTDI)"; may be empty
    bool usb = false;         // has a USB vendor identifier

    // What a list shows: "ttyUSB0 - FT232R USB UART (FTDI)", or the name alone.
    [[nodiscard]] std::string Label() const;
};

// Orders ports the way users look for their programming cable: USB serial
// adapters first, then USB modems (ACM), then built-in and other ports, each
// group sorted by name with numbers compared as numbers (ttyUSB2 < ttyUSB10).
[[nodiscard]] std::vector<SerialPortEntry> OrderSerialPorts(std::vector<SerialPortEntry> ports);

// The ports present now, ordered as above.
[[nodiscard]] std::vector<SerialPortEntry> AvailableSerialPorts();

struct ResolvedPort {
    bool ok = false;
    std::string device;  // what to open when ok
    std::string error;   // why not, when !ok (English)
};

// A port number 1..8: COMn on Windows; elsewhere the n-th entry of `available`.
// A non-empty device path is used as it is.
[[nodiscard]] ResolvedPort ResolvePortChoice(int number, std::string_view device,
                                             const std::vector<SerialPortEntry>& available);
// Same, listing the available ports itself.
[[nodiscard]] ResolvedPort ResolvePortChoice(int number, std::string_view device);

// Parses a command-line port: digits 1..8 give a number, anything else is a
// device path. Returns false (with `error`) for an empty text or a number out of range.
[[nodiscard]] bool ParsePortText(std::string_view text, int& number, std::string& device,
                                 std::string& error);

}  // namespace zt
