// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/limit_report.h"

#include "model/freq_codec.h"
#include "model/write_prep.h"

namespace zt::ctl {

std::vector<LimitFailure> WriteRefusals(const Image& image) {
    Image prepared = image;
    PrepareImageForWrite(prepared);
    return LimitFailures(prepared);
}

std::string LimitFailureText(const LimitFailure& f) {
    const std::string who =
        f.record == kVfoRow ? "frequency mode" : "channel " + std::to_string(f.record);
    const std::string rx = "receive " + MHzText(f.rx) + " MHz";
    const std::string tx = "transmit " + MHzText(f.tx) + " MHz";
    const std::string limits = " is outside the band limits " + std::to_string(f.limits.lowMHz) +
                               ".." + std::to_string(f.limits.highMHz) + " MHz";
    if (f.rxOutside && f.txOutside) return who + ": " + rx + limits + ", and so is " + tx;
    if (f.rxOutside) return who + ": " + rx + limits + " (" + tx + " is inside)";
    return who + ": " + tx + limits + " (" + rx + " is inside)";
}

std::string LimitRefusalLines(const std::vector<LimitFailure>& failures) {
    if (failures.empty()) return {};
    std::string out;
    for (const LimitFailure& f : failures) out += LimitFailureText(f) + "\n";
    return out +
           "Bring these frequencies inside the limits, or change the limits in zt790prog "
           "(Edit, Optional Features).\n";
}

std::string LimitRefusalReport(const std::vector<LimitFailure>& failures) {
    const std::string lines = LimitRefusalLines(failures);
    return lines.empty() ? lines : lines + "zt790ctl: nothing was sent to the radio.\n";
}

}  // namespace zt::ctl
