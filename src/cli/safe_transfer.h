// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads and writes that a dealer can trust although the protocol carries no
// checksum: a read can be taken twice and compared, a write can be preceded by
// a backup of the radio and followed by a read-back of what it sent.
//
// Everything here runs serial exchanges one after another on fresh links over
// the same port and timers, driven by whatever loop the caller provides (the Qt
// event loop in zt790ctl, a virtual clock in tests). No Qt.

#include <functional>
#include <string>

#include "link/exchange_observer.h"
#include "link/port.h"
#include "link/serial_link.h"
#include "link/timer.h"
#include "model/app_state.h"

namespace zt::ctl {

// What drives one exchange: the port, its timers, and a loop that handles
// events until the condition holds (false if it gave up waiting).
struct LinkRig {
    Port& port;
    LinkTimers& timers;
    std::function<bool(const std::function<bool()>&)> runUntil;
    // Told what comes next when one command runs several exchanges; may be empty.
    std::function<void(const std::string&)> announce;
};

enum class TransferStatus {
    Ok,
    PortFailed,    // the port would not open; nothing was sent
    NoAnswer,      // the radio did not answer after the retries
    CheckFailed,   // a frequency-limit check stopped the write; nothing was sent
    BackupFailed,  // the backup could not be kept; no write frame was sent
    VerifyFailed,  // two reads, or the write and its read-back, differ
};

struct TransferReport {
    TransferStatus status = TransferStatus::Ok;
    std::string portError;      // PortFailed: the system's reason
    int differingBlock = -1;    // VerifyFailed: the first block that differs
    std::string detail;         // CheckFailed, BackupFailed: why
    bool duringBackup = false;  // the failure happened while reading the backup
    bool duringVerify = false;  // ... while reading back after the write
};

// The first of blocks 0..rows-1 where the images differ, -1 when none does.
[[nodiscard]] int FirstDifferingBlock(const Image& a, const Image& b, int rows);

// One read or write on a fresh link, to its end.
[[nodiscard]] TransferReport RunExchange(LinkMode mode, AppState& app, const LinkRig& rig,
                                         ExchangeObserver& observer);

// Reads the radio's rows 0..253 into app.ChannelTable. With `verify` the radio
// is read twice; when the passes differ the report names the first differing
// block and the image is left as it was.
[[nodiscard]] TransferReport ReadRadio(AppState& app, const LinkRig& rig,
                                       ExchangeObserver& observer, bool verify);

struct WriteOptions {
    // Read the radio back after the write and compare blocks 0..239.
    bool verify = false;
    // When set: the radio is read first and its memory handed over; returning
    // false (with a reason) stops everything before the first write frame.
    std::function<bool(const Image& radio, std::string& reason)> backup;
};

// Writes app.ChannelTable to the radio as the write window does (the derived
// rows are completed and both limit checks run first).
[[nodiscard]] TransferReport WriteRadio(AppState& app, const LinkRig& rig,
                                        ExchangeObserver& observer, const WriteOptions& options);

}  // namespace zt::ctl
