// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace zt {

QIcon ProgramIcon() {
    // Drawn here at the usual sizes rather than left to an image plug-in, so
    // the icon is there wherever the program runs.
    QSvgRenderer svg(QStringLiteral(":/icons/zt790prog.svg"));
    QIcon icon;
    if (!svg.isValid()) return icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace zt
