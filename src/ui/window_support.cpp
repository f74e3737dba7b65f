// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_support.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <vector>

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

void collectInLayout(QLayout* layout, std::vector<QWidget*>& controls);

// Showing a window clears the mark, so it is set as the window becomes active.
class FocusShown final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowActivate || !watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && !window->testAttribute(Qt::WA_KeyboardFocusChange)) {
            window->setAttribute(Qt::WA_KeyboardFocusChange);
            if (QWidget* focus = window->focusWidget()) focus->update();
        }
        return false;
    }
};

// A button ignores Enter outside a dialog, and the key travels up to its window.
class EnterPressesButtons final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (!button || !static_cast<QWidget*>(watched)->isAncestorOf(button)) return false;
        button->click();
        return true;
    }
};

void collect(QWidget* w, std::vector<QWidget*>& controls) {
    if (w->focusPolicy() & Qt::TabFocus) {
        controls.push_back(w);
    } else if (auto* area = qobject_cast<QScrollArea*>(w); area && area->widget()) {
        collect(area->widget(), controls);
    } else if (w->layout()) {
        collectInLayout(w->layout(), controls);
    }
}

void collectItem(QLayoutItem* item, std::vector<QWidget*>& controls) {
    if (!item) return;
    if (item->widget()) {
        collect(item->widget(), controls);
    } else if (item->layout()) {
        collectInLayout(item->layout(), controls);
    }
}

void collectInLayout(QLayout* layout, std::vector<QWidget*>& controls) {
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        // Row by row; an item spanning several cells counts where it starts.
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                QLayoutItem* item = grid->itemAtPosition(r, c);
                int row = 0, column = 0, rows = 0, columns = 0;
                const int index = grid->indexOf(item);
                if (index < 0) continue;
                grid->getItemPosition(index, &row, &column, &rows, &columns);
                if (row == r && column == c) collectItem(item, controls);
            }
        }
        return;
    }
    // Box and form layouts hold their items in reading order already.
    for (int i = 0; i < layout->count(); ++i) collectItem(layout->itemAt(i), controls);
}

}  // namespace

void tabInReadingOrder(QWidget* window) {
    std::vector<QWidget*> controls;
    if (window->layout()) collectInLayout(window->layout(), controls);
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

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

void showFocusInEveryWindow(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new FocusShown(owner));
}

void pressButtonsWithEnter(QWidget* window) {
    window->installEventFilter(new EnterPressesButtons(window));
}

void closeWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->close();
    } else {
        window->close();
    }
}

}  // namespace zt
