// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.h"

#include <QAccessible>
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

QString separator(bool chinese) { return chinese ? QStringLiteral("，") : QStringLiteral(", "); }

QString headerText(const QTableWidget* grid, int column) {
    const QTableWidgetItem* header = grid->horizontalHeaderItem(column);
    return header ? header->text().trimmed() : QString();
}

}  // namespace

QString cellTitle(const QTableWidget* grid, int row, int column, bool chinese) {
    const QTableWidgetItem* first = grid->item(row, 0);
    return headerText(grid, 0) + ' ' + (first ? first->text().trimmed() : QString()) +
           separator(chinese) + headerText(grid, column);
}

void nameCell(QTableWidget* grid, int row, int column, bool chinese) {
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell) return;
    QString name = cellTitle(grid, row, column, chinese);
    if (!cell->text().trimmed().isEmpty()) name += separator(chinese) + cell->text().trimmed();
    cell->setData(Qt::AccessibleTextRole, name);
}

void nameControls(std::initializer_list<ControlName> names) {
    for (const ControlName& n : names) {
        QString name = n.name;
        if (n.label) {
            n.label->setBuddy(n.control);
            name = withoutColon(n.label->text());
        }
        n.control->setAccessibleName(name);
        if (!n.description.isEmpty()) n.control->setAccessibleDescription(n.description);
    }
}

void announce(QWidget* widget, const QString& text) {
    if (widget->accessibleName() == text) return;
    widget->setAccessibleName(text);  // sends the name change a screen reader speaks
}

}  // namespace zt
