// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zt790ctl says when a read or write did not go through, and the exit code
// that goes with it.

#include <functional>
#include <string>

#include "cli/port_access.h"
#include "model/app_state.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

// Prints why the port of `app` would not open (no such device, permission
// denied with the dialout advice, busy) on standard error and returns the exit
// code of that failure.
int ReportPortFailure(const AppState& app, const std::string& systemReason);

// The exit code of a port that would not open.
[[nodiscard]] int PortFailureExitCode(PortFailure failure);
// What the braille display daemon has to do with a port that is missing or
// busy, if anything: empty for other failures and when it has nothing to do
// with it.
[[nodiscard]] std::string CableAdvice(PortFailure failure, const std::string& device);

// Whether a transfer that went unanswered lost its port: the device is gone
// (cable pulled, adapter unplugged), not just a radio gone quiet.
[[nodiscard]] bool PortLost(const TransferReport& report, const std::string& device);
// Where in a read or write a failure came: " while writing", " while reading
// the backup", ...
[[nodiscard]] std::string FailurePhase(const TransferReport& report, bool write);
// "the port went away while writing (cable pulled or adapter unplugged)"
[[nodiscard]] std::string PortLostText(const TransferReport& report, bool write);

// Prints what went wrong with a read or (`write`) a write, if anything, and
// returns the exit code (kOk when the transfer succeeded).
int ReportTransfer(const TransferReport& report, const AppState& app, bool write);

// The device the port of `app` names; empty when it names none.
[[nodiscard]] std::string PortDevice(const AppState& app);

// The model check's answer: with --force-model a note and the write goes on;
// without, the write is refused.
[[nodiscard]] std::function<bool(const ModelMismatch&)> ModelConfirmation(bool force);

// "block 17 (address 0x0110)"
[[nodiscard]] std::string BlockText(int block);

}  // namespace zt::ctl
