// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where zt790ctl and zt790prog keep the history of radio memories: the user's
// data folder as the desktop names it ($XDG_DATA_HOME/zt790prog/history,
// ~/.local/share/zt790prog/history when that is unset). One folder for both
// programs, so a backup taken by one is there for the other.

#include <filesystem>

namespace zt {

[[nodiscard]] std::filesystem::path HistoryFolder();

}  // namespace zt
