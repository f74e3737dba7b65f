// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's file dialog for the commands that read or write a file of
// another kind (CSV, the channel card's PDF).

#include <QString>

class QWidget;

namespace zt {

// The chosen path, or empty when the user cancelled.
[[nodiscard]] QString ChooseFile(QWidget* parent, bool save, const QString& title,
                                 const QString& filter);

}  // namespace zt
