// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_program.h"

#include <QSettings>
#include <QTimer>

#include "model/app_state.h"
#include "qtio/history_folder.h"
#include "ui/main_window.h"
#include "ui/program_settings.h"

namespace zt {

namespace {

// ~/.config/zt790prog/zt790prog.conf
QSettings ProgramSettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "zt790prog", "zt790prog");
}

}  // namespace

void StartProgram(MainWindow& main, const ProgramOptions& options) {
    main.load();
    AppState& state = main.state();
    state.HistoryFolder = HistoryFolder().string();
    LoadProgramSettings(state, ProgramSettingsFile());
    main.rememberSettings = [&state] {
        QSettings settings = ProgramSettingsFile();
        SaveProgramSettings(state, settings);
    };
    if (options.advanced) main.setAdvanced(true);
    if (options.chinese) main.switchLanguage(true);
    if (!options.file.isEmpty()) {
        QTimer::singleShot(0, &main, [&main, file = options.file] { main.openFile(file); });
    }
}

}  // namespace zt
