// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_settings.h"

#include <QSettings>

#include "model/app_state.h"

namespace zt {

namespace {
constexpr const char* kKeepBackup = "write/keepBackup";
constexpr const char* kReadBack = "write/readBack";
}  // namespace

void LoadProgramSettings(AppState& state, const QSettings& settings) {
    state.WriteKeepsBackup = settings.value(kKeepBackup, true).toBool();
    state.WriteReadsBack = settings.value(kReadBack, true).toBool();
}

void SaveProgramSettings(const AppState& state, QSettings& settings) {
    settings.setValue(kKeepBackup, state.WriteKeepsBackup);
    settings.setValue(kReadBack, state.WriteReadsBack);
    settings.sync();
}

}  // namespace zt
