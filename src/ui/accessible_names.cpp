// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

namespace zt {

namespace {

// "Squelch:" is read as "Squelch".
QString withoutColon(QString caption) {
    caption = caption.trimmed();
    while (caption.endsWith(':') || caption.endsWith(QChar(0xFF1A))) caption.chop(1);
    return caption.trimmed();
}

QString headerText(const QTableWidget* grid, int column) {
    const QTableWidgetItem* header = grid->horizontalHeaderItem(column);
    return header ? header->text().trimmed() : QString();
}

// On this desktop a list reads out the item it shows where other controls read
// their name; what names it is a label tied to it. A list without a label of
// its own gets a hidden one.
QLabel* hiddenLabel(QWidget* list) {
    for (QLabel* l : list->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (l->buddy() == list && l->isHidden()) return l;
    }
    auto* label = new QLabel(list->parentWidget());
    label->hide();
    return label;
}

}  // namespace

QString nameSeparator(bool chinese) {
    return chinese ? QStringLiteral("，") : QStringLiteral(", ");
}

QString cellTitle(const QTableWidget* grid, int row, int column, bool chinese) {
    const QTableWidgetItem* first = grid->item(row, 0);
    return headerText(grid, 0) + ' ' + (first ? first->text().trimmed() : QString()) +
           nameSeparator(chinese) + headerText(grid, column);
}

void nameCell(QTableWidget* grid, int row, int column, bool chinese) {
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell) return;
    QString name = cellTitle(grid, row, column, chinese);
    if (!cell->text().trimmed().isEmpty()) name += nameSeparator(chinese) + cell->text().trimmed();
    cell->setData(Qt::AccessibleTextRole, name);
}

void nameControls(std::initializer_list<ControlName> names) {
    for (const ControlName& n : names) {
        QString name = n.name;
        QLabel* label = n.label;
        if (!label && qobject_cast<QComboBox*>(n.control) && n.control->parentWidget()) {
            label = hiddenLabel(n.control);
            label->setText(name);
        }
        if (label) {
            label->setBuddy(n.control);
            name = withoutColon(label->text());
        }
        n.control->setAccessibleName(name);
        if (!n.description.isEmpty()) n.control->setAccessibleDescription(n.description);
    }
}

}  // namespace zt
