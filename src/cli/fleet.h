// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Several radios at once: each over its own port with its own link and timers,
// all in the one Qt event loop, so a radio that stays silent, lies about a write
// or loses its cable fails alone while the others finish.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/fleet_report.h"
#include "model/app_state.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

// One radio of a fleet command.
struct FleetRadio {
    std::string port;  // as the user gave it
    // The device path, resolved once so a port number cannot move to another
    // device while the command runs; empty when a number names no port.
    std::string device;
    AppState app;  // started up, with the port chosen
    QtSerialPort serial;
    QtLinkTimers timers;
    std::unique_ptr<TransferTask> task;
    RadioOutcome outcome;  // the caller sets write and verify
};

using Fleet = std::vector<std::unique_ptr<FleetRadio>>;

// A radio for every port text. Returns false, having said why, when a port
// text is unusable or two name the same device (a usage error).
[[nodiscard]] bool PrepareFleet(const std::vector<std::string>& ports, Fleet& fleet);

// A folder that files go into, made when missing. False, having said why, when
// it cannot be (a file error).
[[nodiscard]] bool PrepareFolder(const std::string& option, const std::filesystem::path& folder);

// A path in `folder` that names no file yet: the device ("ttyUSB0", "pts-3"),
// the local time and ".chann", with "-2", "-3" ... added when taken.
[[nodiscard]] std::filesystem::path NewFileFor(const std::filesystem::path& folder,
                                               const FleetRadio& radio);

// Saves `image` as a new file in `folder` for the radio; the path, or "" with
// `error`.
[[nodiscard]] std::string SaveNewFile(const std::filesystem::path& folder, const FleetRadio& radio,
                                      const Image& image, std::string& error);

// Makes each radio's task with `make` (its exchanges report to the observer
// given), runs them all to their end with progress lines on standard error, and
// fills each outcome. `done` is told of each radio as it finishes, before the
// others have (to save what it read, say).
using TaskMaker =
    std::function<std::unique_ptr<TransferTask>(FleetRadio& radio, ExchangeObserver& observer)>;
void RunFleet(Fleet& fleet, const TaskMaker& make,
              const std::function<void(FleetRadio&)>& done = {});

struct FleetWrite {
    bool verify = false;                 // each radio read back and compared
    std::filesystem::path backupFolder;  // empty: no backups
    bool forceModel = false;             // write a radio of another band all the same
    // Where a radio's backup and write are kept, if anywhere.
    std::function<HistoryTarget(const std::string& device)> history;
};

// Writes `image` to every radio at once with RunFleet. With a backup folder,
// each radio's memory is first read (until two reads agree) into a new file
// there, and a radio whose backup is not saved, or whose band is not the
// image's, is not written.
void WriteFleet(Fleet& fleet, const Image& image, const FleetWrite& how);

// Prints the report table on standard output and, on standard error, what the
// user can do about ports that would not open; returns the most serious exit
// code of the radios.
int ReportFleet(const Fleet& fleet, const std::string& fileColumn,
                const std::vector<RadioOutcome>& before = {});

}  // namespace zt::ctl
