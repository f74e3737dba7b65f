// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one setting the desktop program keeps between runs: the write window's
// two safeguards, both on until the user turns one off.

class QSettings;

namespace zt {

struct AppState;

void LoadProgramSettings(AppState& state, const QSettings& settings);
void SaveProgramSettings(const AppState& state, QSettings& settings);

}  // namespace zt
