// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/step_text.h"

#include "link/serial_link.h"

namespace zt::ctl {

std::string StepText(const LinkStep& step) {
    const std::string n = std::to_string(step.number);
    const std::string count = std::to_string(step.count);
    switch (step.kind) {
        case LinkStep::Kind::Connecting:
            return "connecting to the radio";
        case LinkStep::Kind::Reading:
            return "reading block " + n + " of " + count;
        case LinkStep::Kind::Writing:
            return "writing block " + n + " of " + count;
        case LinkStep::Kind::ReadDone:
            return "read all " + count + " blocks";
        case LinkStep::Kind::WriteDone:
            return "wrote all " + count + " blocks";
        case LinkStep::Kind::Retrying:
            return "no answer from the radio, trying again in " + std::to_string(kPauseMs / 1000) +
                   " s (attempt " + n + " of " + count + ")";
        case LinkStep::Kind::NoAnswer:
            return "no answer from the radio after " + n + " attempts";
        case LinkStep::Kind::LineLost:
            return "the line to the radio is gone: cable pulled or adapter unplugged";
    }
    return {};
}

}  // namespace zt::ctl
