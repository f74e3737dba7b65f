// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fleet_report.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/ctl_common.h"
#include "cli/text_table.h"
#include "cli/transfer_report.h"

namespace zt::ctl {
namespace {

std::string PortFailureText(const RadioOutcome& o) {
    switch (o.portFailure) {
        case PortFailure::NoSuchDevice:
            return "no such port";
        case PortFailure::PermissionDenied:
            return "permission denied on the port";
        case PortFailure::Busy:
            return "port busy: another program has it open";
        case PortFailure::Other:
            break;
    }
    return "the port would not open" +
           (o.report.portError.empty() ? "" : ": " + o.report.portError);
}

}  // namespace

int OutcomeExitCode(const RadioOutcome& o) {
    if (!o.started) return kOk;
    switch (o.report.status) {
        case TransferStatus::Ok:
            return o.fileError.empty() ? kOk : kFileError;
        case TransferStatus::PortFailed:
            return PortFailureExitCode(o.portFailure);
        case TransferStatus::NoAnswer:
            return kNoAnswer;
        case TransferStatus::CheckFailed:
            return kLimitCheck;
        case TransferStatus::BackupFailed:
            return kFileError;
        case TransferStatus::VerifyFailed:
        case TransferStatus::BackupUnsettled:
            return kVerifyFailed;
        case TransferStatus::ModelMismatch:
            return kModelMismatch;
    }
    return kNoAnswer;
}

int MostSeriousExitCode(const std::vector<int>& codes) {
    static constexpr std::array kOrder{kVerifyFailed,  kNoAnswer, kFileError,        kLimitCheck,
                                       kModelMismatch, kPortBusy, kPermissionDenied, kNoSuchPort};
    for (const int serious : kOrder) {
        if (std::find(codes.begin(), codes.end(), serious) != codes.end()) return serious;
    }
    return kOk;
}

std::string OutcomeText(const RadioOutcome& o) {
    if (!o.started) return "not started: the source radio was not read";
    const TransferReport& r = o.report;
    const std::string nothingWritten = o.write && r.duringBackup ? "; nothing written" : "";
    switch (r.status) {
        case TransferStatus::Ok: {
            std::string text = o.write ? "written" : "read";
            if (o.verify) text += ", verified";
            if (!o.fileError.empty()) text += ", but not saved: " + o.fileError;
            return text;
        }
        case TransferStatus::PortFailed:
            return PortFailureText(o) + nothingWritten;
        case TransferStatus::NoAnswer: {
            // A write that never got an answer sent no block.
            const std::string untouched =
                !nothingWritten.empty() || (o.write && !r.duringVerify && !r.answered)
                    ? "; nothing written"
                    : "";
            if (o.portLost) return PortLostText(r, o.write) + untouched;
            if (!r.answered) {
                const char* which = r.duringBackup   ? " to the backup read"
                                    : r.duringVerify ? " to the read-back"
                                                     : "";
                return "no answer" + std::string(which) + untouched;
            }
            return "stopped answering" + FailurePhase(r, o.write) + untouched;
        }
        case TransferStatus::CheckFailed:
            return "refused by the limit check" + (r.detail.empty() ? "" : ": " + r.detail);
        case TransferStatus::BackupFailed:
            return "backup not saved: " + r.detail + "; nothing written";
        case TransferStatus::BackupUnsettled:
            return "backup not settled: three reads differ at " + BlockText(r.differingBlock) +
                   "; nothing written";
        case TransferStatus::ModelMismatch: {
            std::string text = ModelMismatchText(*r.model).english;
            text.front() = 't';  // "The radio is ..." inside the sentence
            text.pop_back();     // its full stop
            return "refused: " + text + "; nothing written";
        }
        case TransferStatus::VerifyFailed:
            if (r.duringVerify) {
                return "verification failed: the radio holds something else at " +
                       BlockText(r.differingBlock);
            }
            return "verification failed: the two reads differ at " + BlockText(r.differingBlock);
    }
    return {};
}

std::string FleetReport(const std::vector<RadioOutcome>& outcomes, const std::string& fileColumn) {
    std::vector<TableRow> rows{{"Port", "Result", "Verified", "Seconds", fileColumn}};
    int good = 0;
    for (const RadioOutcome& o : outcomes) {
        const TransferReport& r = o.report;
        const std::string verified = r.blocksCompared > 0 ? std::to_string(r.blocksAgreeing) + "/" +
                                                                std::to_string(r.blocksCompared)
                                                          : "-";
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", o.seconds);
        rows.push_back({o.port, OutcomeText(o), verified, o.started ? seconds : "-",
                        o.file.empty() ? "-" : o.file});
        good += o.started && OutcomeExitCode(o) == kOk ? 1 : 0;
    }
    const int total = static_cast<int>(outcomes.size());
    const std::string summary =
        good == total ? (total == 1 ? std::string("The radio succeeded.\n")
                                    : "All " + std::to_string(total) + " radios succeeded.\n")
                      : std::to_string(good) + " of " + std::to_string(total) +
                            " radios succeeded; " + std::to_string(total - good) + " failed.\n";
    return TextTable(rows, {false, false, true, true, false}) + summary;
}

}  // namespace zt::ctl
