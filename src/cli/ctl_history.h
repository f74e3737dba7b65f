// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The history of radio memories as zt790ctl keeps it: every read, backup and
// write goes into the folder the desktop program uses, unless --no-history. A
// folder that cannot be written is noted on standard error; the transfer goes on.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "transfer/radio_history.h"
#include "transfer/safe_transfer.h"

namespace zt::ctl {

class CtlHistory {
  public:
    explicit CtlHistory(bool off);
    // Null with --no-history.
    [[nodiscard]] RadioHistory* Get() { return history_ ? &*history_ : nullptr; }
    // Where a transfer on `device` keeps its entries; `source` the file written.
    [[nodiscard]] HistoryTarget For(const std::string& device, const std::string& source = {});

  private:
    std::optional<RadioHistory> history_;
    bool told_ = false;  // the folder's trouble is told once per command
};

void AddNoHistoryFlag(CLI::App& command, bool& off);

}  // namespace zt::ctl
