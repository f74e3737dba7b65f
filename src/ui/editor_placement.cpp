// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_placement.h"

#include <QMdiArea>
#include <QWidget>
#include <algorithm>

namespace zt {

void placeWindow(const Placement& p, QWidget* frame, const QWidget* mainWindow,
                 const QMdiArea* area) {
    using Size = Placement::Size;
    if (p.size == Size::AsBuilt) return;
    const QSize areaSize = area->viewport()->size();
    const QSize hint = frame->minimumSizeHint();
    // The dialogs open over the main window, in screen coordinates; the rest in
    // the document area.
    const bool overMain = p.size == Size::ShareOfMain;
    const QRect main = mainWindow->frameGeometry();
    const QSize space = overMain ? main.size() : areaSize;

    QSize size;
    switch (p.size) {
        case Size::ShareOfMain:
        case Size::ShareOfArea:
            size =
                QSize(std::max(static_cast<int>(space.width() / p.widthDivisor), hint.width()),
                      std::max(static_cast<int>(space.height() / p.heightDivisor), hint.height()));
            break;
        case Size::ShareOfMainInArea:
            size = QSize(
                std::min(static_cast<int>(mainWindow->width() / p.widthDivisor), areaSize.width()),
                std::min(static_cast<int>(mainWindow->height() / p.heightDivisor),
                         areaSize.height()));
            break;
        case Size::WholeArea:
            size = areaSize;
            break;
        case Size::Own:
            frame->adjustSize();
            size = frame->size();
            break;
        case Size::AsBuilt:
            return;
    }
    if (!overMain) {
        // An editor opens at its documented share wherever that fits: grown to
        // what its controls want, but never larger than the document area (the
        // windows that can need more scroll) nor partly outside it.
        if (p.size == Size::ShareOfArea) {
            const QSize wanted = frame->sizeHint().expandedTo(hint);
            size = size.expandedTo(wanted);
        }
        size = size.boundedTo(areaSize);
    }
    frame->resize(size);
    int left = p.left ? std::max(0, p.left(space.width(), size.width())) : 0;
    int top = p.top ? std::max(0, p.top(space.height(), size.height())) : 0;
    if (!overMain) {
        left = std::max(0, std::min(left, areaSize.width() - frame->width()));
        top = std::max(0, std::min(top, areaSize.height() - frame->height()));
    }
    frame->move(overMain ? main.topLeft() + QPoint(left, top) : QPoint(left, top));
}

}  // namespace zt
