// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_support.h"

#include <QMdiSubWindow>

namespace zt {

void closeWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->close();
    } else {
        window->close();
    }
}

}  // namespace zt
