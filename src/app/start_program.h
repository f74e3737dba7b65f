// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up as the command line asks: the main window's own start-up first,
// unchanged, then what the options add to it.

#include "app/program_options.h"

namespace zt {

class MainWindow;

// Loads the main window, shows the hidden entries for --advanced, switches to
// Chinese for --language zh, and opens the file once the event loop runs (its
// message then has a window on screen to belong to).
void StartProgram(MainWindow& main, const ProgramOptions& options);

}  // namespace zt
