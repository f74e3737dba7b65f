// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_program.h"

#include <QTimer>

#include "ui/main_window.h"

namespace zt {

void StartProgram(MainWindow& main, const ProgramOptions& options) {
    main.load();
    if (options.advanced) main.setAdvanced(true);
    if (options.chinese) main.switchLanguage(true);
    if (!options.file.isEmpty()) {
        QTimer::singleShot(0, &main, [&main, file = options.file] { main.openFile(file); });
    }
}

}  // namespace zt
