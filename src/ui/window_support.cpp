// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_support.h"

#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zt {

namespace {

// QScrollArea caps its size hint at a few dozen lines of text; a window's
// controls want all of theirs.
class ScrollingArea final : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    [[nodiscard]] QSize sizeHint() const override {
        const QSize content = widget() ? widget()->sizeHint() : QSize();
        return content +
               QSize(2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 2 * frameWidth());
    }
};

}  // namespace

QWidget* scrollingBody(QWidget* window) {
    auto* area = new ScrollingArea(window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // A Tab stop of its own would be one that does nothing: the controls inside
    // it take the focus, and the area scrolls to show the one that has it.
    area->setFocusPolicy(Qt::NoFocus);
    auto* body = new QWidget(area);
    area->setWidget(body);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return body;
}

void closeWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->close();
    } else {
        window->close();
    }
}

}  // namespace zt
