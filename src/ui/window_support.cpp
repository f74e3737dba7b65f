// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_support.h"

#include <QMdiSubWindow>
#include <QRect>

namespace zt {

void closeWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->close();
    } else {
        window->close();
    }
}

void placeOverMainWindow(QWidget* dialog, const QWidget* mainWindow, double widthDivisor,
                         double heightDivisor, int aboveCentrePx) {
    const QRect main = mainWindow->frameGeometry();
    const int width = static_cast<int>(main.width() / widthDivisor);
    const int height = static_cast<int>(main.height() / heightDivisor);
    const int left = main.left() + (main.width() - width) / 2;
    const int top = std::max(main.top(), main.top() + (main.height() - height) / 2 - aboveCentrePx);
    dialog->resize(std::max(width, dialog->minimumSizeHint().width()),
                   std::max(height, dialog->minimumSizeHint().height()));
    dialog->move(left, top);
}

}  // namespace zt
