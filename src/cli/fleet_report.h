// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zt790ctl says after reading, writing or cloning several radios at once:
// one line per radio (port, result, blocks verified, seconds, file), the exit
// code of each radio, and the most serious of them for the whole command.

#include <string>
#include <vector>

#include "cli/port_access.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

// How one radio's transfer ended.
struct RadioOutcome {
    std::string port;  // as the user gave it
    bool write = false;
    bool verify = false;
    TransferReport report;
    double seconds = 0;
    std::string file;       // the backup (write) or the image read (read), once saved
    std::string fileError;  // a read that could not be saved: why
    // PortFailed: why the port would not open.
    PortFailure portFailure = PortFailure::Other;
    // NoAnswer: the device went away during the transfer (cable pulled, adapter
    // unplugged).
    bool portLost = false;
    bool started = true;  // false: never begun (a clone whose source failed)
};

// The radio's own exit code: kOk, or that of its failure.
[[nodiscard]] int OutcomeExitCode(const RadioOutcome& outcome);
// The most serious of several exit codes, kOk when all are: a radio that may
// hold something other than intended (8) first, then one that stopped answering
// part-way (1), then failures that left the radio untouched (3, 4, 9, 7, 6, 5).
[[nodiscard]] int MostSeriousExitCode(const std::vector<int>& codes);
// "written, verified", "verification failed at block 7 (address 0x0070)", ...
[[nodiscard]] std::string OutcomeText(const RadioOutcome& outcome);
// The table, its last column headed `fileColumn`, followed by a line that sums
// it up ("3 of 4 radios written and verified.").
[[nodiscard]] std::string FleetReport(const std::vector<RadioOutcome>& outcomes,
                                      const std::string& fileColumn);

}  // namespace zt::ctl
