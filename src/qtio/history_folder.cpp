// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtio/history_folder.h"

#include <QStandardPaths>

namespace zt {

std::filesystem::path HistoryFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(data.toStdString()) / "zt790prog" / "history";
}

}  // namespace zt
