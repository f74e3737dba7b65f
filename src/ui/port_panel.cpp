// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/port_panel.h"

#include <QFontMetrics>
#include <algorithm>

namespace zt {

namespace {

const QString kEllipsis = QStringLiteral("…");

}  // namespace

void PortPanel::setPort(const QString& port) {
    port_ = port;
    setToolTip(port.contains('/') ? port : QString());
    const QFontMetrics metrics(font());
    const qsizetype slash = port.lastIndexOf('/');
    const QString shortest = slash < 0 ? port : kEllipsis + port.mid(slash);
    // The shortest form, with the frame and the text's margins around it.
    setMinimumWidth(metrics.horizontalAdvance(shortest) + 2 * (frameWidth() + margin() + 2));
    fit();
}

void PortPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void PortPanel::fit() {
    const QFontMetrics metrics(font());
    const int room = contentsRect().width() - 2 * margin();
    const qsizetype slash = port_.lastIndexOf('/');
    if (slash < 0 || metrics.horizontalAdvance(port_) <= room) {
        setText(port_);
        return;
    }
    const QString name = port_.mid(slash);
    const QString folders = metrics.elidedText(port_.left(slash), Qt::ElideLeft,
                                               std::max(0, room - metrics.horizontalAdvance(name)));
    setText((folders.isEmpty() ? kEllipsis : folders) + name);
}

}  // namespace zt
