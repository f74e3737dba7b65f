// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ctl_history.h"

#include <iostream>
#include <utility>

#include "qtio/history_folder.h"

namespace zt::ctl {

CtlHistory::CtlHistory(bool off) {
    if (!off) history_.emplace(HistoryFolder());
}

HistoryTarget CtlHistory::For(const std::string& device, const std::string& source) {
    return {Get(), device, source, [this](const BiString& error) {
                if (std::exchange(told_, true)) return;
                std::cerr << "zt790ctl: note: " << error.english << " The transfer goes on.\n";
            }};
}

void AddNoHistoryFlag(CLI::App& command, bool& off) {
    command.add_flag("--no-history", off,
                     "Keep no copy of the radio's memory or of the image written in the history "
                     "(zt790ctl history)");
}

}  // namespace zt::ctl
