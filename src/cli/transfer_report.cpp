// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/transfer_report.h"

#include <cstdio>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/limit_report.h"
#include "cli/port_access.h"
#include "doctor/braille_daemon.h"
#include "qtio/serial_ports.h"

namespace zt::ctl {

std::string BlockText(int block) {
    char address[16];
    std::snprintf(address, sizeof address, "0x%04X", block * 16);
    return "block " + std::to_string(block) + " (address " + address + ")";
}

int PortFailureExitCode(PortFailure failure) {
    switch (failure) {
        case PortFailure::NoSuchDevice:
            return kNoSuchPort;
        case PortFailure::PermissionDenied:
            return kPermissionDenied;
        case PortFailure::Busy:
            return kPortBusy;
        case PortFailure::Other:
            break;
    }
    return kNoAnswer;
}

std::string CableAdvice(PortFailure failure, const std::string& device) {
    switch (failure) {
        case PortFailure::NoSuchDevice:
            return BrailleDaemonAdvice(PortTrouble::Missing, device).english;
        case PortFailure::Busy:
            return BrailleDaemonAdvice(PortTrouble::Busy, device).english;
        case PortFailure::PermissionDenied:
        case PortFailure::Other:
            break;
    }
    return {};
}

namespace {

// The advice above, after a blank line.
void PrintCableAdvice(PortFailure failure, const std::string& device) {
    const std::string advice = CableAdvice(failure, device);
    if (!advice.empty()) std::cerr << "\n" << advice;
}

}  // namespace

std::string PortDevice(const AppState& app) {
    if (!app.ComDevice.empty()) return app.ComDevice;
    const ResolvedPort resolved = ResolvePortChoice(app.ComPort, "");
    return resolved.ok ? resolved.device : "";
}

bool PortLost(const TransferReport& report, const std::string& device) {
    // The link saw the line go; or the device is gone by now (a port that
    // vanished while the link was waiting in a pause between attempts).
    return report.status == TransferStatus::NoAnswer &&
           (report.lineLost || (!device.empty() && !ProbePort(device).exists));
}

std::string FailurePhase(const TransferReport& report, bool write) {
    if (report.duringBackup) return " while reading the backup";
    if (report.duringVerify) return " while reading back";
    return write ? " while writing" : " while reading";
}

std::string PortLostText(const TransferReport& report, bool write) {
    return "the port went away" + FailurePhase(report, write) +
           " (cable pulled or adapter unplugged)";
}

int ReportPortFailure(const AppState& app, const std::string& systemReason) {
    std::string device = app.ComDevice;
    if (device.empty()) {
        const ResolvedPort resolved = ResolvePortChoice(app.ComPort, "");
        if (!resolved.ok) {
            std::cerr << "zt790ctl: " << resolved.error << ".\n"
                      << "Run 'zt790ctl ports' to list the ports of this machine.\n";
            PrintCableAdvice(PortFailure::NoSuchDevice, "");
            return kNoSuchPort;
        }
        device = resolved.device;
    }
    const PortProbe probe = ProbePort(device);
    const PortFailure failure = ClassifyPortFailure(probe, ReasonSaysBusy(systemReason));
    std::cerr << "zt790ctl: "
              << PortFailureMessage(failure, device, systemReason, probe, CurrentUserGroups());
    PrintCableAdvice(failure, device);
    return PortFailureExitCode(failure);
}

std::function<bool(const ModelMismatch&)> ModelConfirmation(bool force) {
    if (!force) return {};
    return [](const ModelMismatch& mismatch) {
        std::cerr << "zt790ctl: note: " << ModelMismatchText(mismatch).english
                  << " Written all the same (--force-model).\n";
        return true;
    };
}

int ReportTransfer(const TransferReport& report, const AppState& app, bool write) {
    const char* phase = report.duringBackup   ? " while reading the backup"
                        : report.duringVerify ? " while reading back the write"
                                              : "";
    switch (report.status) {
        case TransferStatus::Ok:
            return kOk;
        case TransferStatus::PortFailed:
            return ReportPortFailure(app, report.portError);
        case TransferStatus::NoAnswer:
            if (PortLost(report, PortDevice(app))) {
                std::cerr << "zt790ctl: " << PortLostText(report, write) << ".\n";
            } else if (HalfWritten(report)) {
                std::cerr << "zt790ctl: the radio stopped answering while writing.\n";
            } else {
                std::cerr << "zt790ctl: the radio did not answer" << phase
                          << ". Check that it is switched on and the cable is seated.\n";
            }
            if (HalfWritten(report)) {
                std::cerr << HalfWrittenText().english << "\n";
            } else if (report.duringBackup || (write && !report.duringVerify && !report.answered)) {
                std::cerr << "Nothing was written to the radio.\n";
            }
            return kNoAnswer;
        case TransferStatus::CheckFailed: {
            const std::string refusal = LimitRefusalReport(WriteRefusals(app.ChannelTable));
            std::cerr << (refusal.empty() ? "zt790ctl: nothing was sent to the radio.\n" : refusal);
            return kLimitCheck;
        }
        case TransferStatus::BackupFailed:
            std::cerr << "zt790ctl: the backup could not be saved: " << report.detail
                      << "\nNothing was written to the radio.\n";
            return kFileError;
        case TransferStatus::BackupUnsettled:
            std::cerr << "zt790ctl: the backup could not be settled: three reads of the radio "
                         "differ, first at "
                      << BlockText(report.differingBlock)
                      << ".\nThe line is unreliable; nothing was written to the radio. Check the "
                         "cable and try again.\n";
            return kVerifyFailed;
        case TransferStatus::ModelMismatch:
            std::cerr << "zt790ctl: " << ModelMismatchText(*report.model).english
                      << "\nNothing was written to the radio; --force-model writes it all the "
                         "same.\n";
            return kModelMismatch;
        case TransferStatus::VerifyFailed:
            if (report.duringVerify) {
                std::cerr << "zt790ctl: verification failed: the radio holds something other "
                             "than what was written, first at "
                          << BlockText(report.differingBlock) << ", in "
                          << report.differences.english
                          << ".\nWrite again; if it fails again, the radio may be faulty.\n";
            } else {
                std::cerr << "zt790ctl: verification failed: two reads of the radio differ, "
                             "first at "
                          << BlockText(report.differingBlock)
                          << ".\nThe line is unreliable; nothing was saved. Check the cable and "
                             "read again.\n";
            }
            return kVerifyFailed;
    }
    return kNoAnswer;
}

}  // namespace zt::ctl
