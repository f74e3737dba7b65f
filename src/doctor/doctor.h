// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The connection doctor: six checks on a serial port, in order, each with its
// result and, when it fails, the one thing to do:
//   device      the device exists; else which USB serial adapter came or went
//   adapter     the USB adapter: id, chip family, kernel driver, latency timer
//   permission  owner, group and mode, and whether this user may open it
//   holders     the processes that have it open, named
//   opening     it opens at 9600 8N1
//   radio       one identification exchange with the radio
// The first four read the system (Host); the last two come from a RadioProbe
// the caller runs on its event loop when WorthOpening().

#include <array>
#include <string>
#include <vector>

#include "doctor/host.h"
#include "doctor/radio_probe.h"
#include "model/bitext.h"

namespace zt {

enum class Check { Device, Adapter, Permission, Holders, Opening, Radio };
inline constexpr std::size_t kChecks = 6;

enum class Verdict { Ok, Note, Warning, Failed, Skipped };

struct CheckResult {
    Verdict verdict = Verdict::Skipped;
    BiString detail;  // one line for the table
    BiString advice;  // the one thing to do, lines ending with a line break; may be empty
};

struct PortDiagnosis {
    std::string device;  // the device checked; "" when the choice named no port
    std::string label;   // how the report names the port: the device, or "port 3"
    std::array<CheckResult, kChecks> checks;
    bool likelyCable = false;    // a USB adapter with one of the usual cable chips
    bool holdersHidden = false;  // some processes' open files could not be looked at

    [[nodiscard]] CheckResult& operator[](Check c) { return checks[static_cast<std::size_t>(c)]; }
    [[nodiscard]] const CheckResult& operator[](Check c) const {
        return checks[static_cast<std::size_t>(c)];
    }
    // The device is there and this user may open it.
    [[nodiscard]] bool WorthOpening() const;
    [[nodiscard]] bool RadioAnswered() const;
};

// Checks 1 to 4. `device` may be "" for a port choice that names no device;
// `label` then says which (e.g. "port 3").
[[nodiscard]] PortDiagnosis ExamineSystem(const Host& host, const std::string& device,
                                          const std::string& label);
// Checks 5 and 6 from a finished probe of the port.
void RecordRadio(PortDiagnosis& diagnosis, const RadioProbeResult& probe);
// The likely programming cables first, otherwise in the order given.
void OrderForDoctor(std::vector<PortDiagnosis>& ports);
[[nodiscard]] bool AnyRadioAnswered(const std::vector<PortDiagnosis>& ports);

}  // namespace zt
