// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader calls a control. A control that sits beside a label of
// its own takes the label's caption (the label becomes its buddy, so the two
// stay tied in every language); one without a label takes a caption the window
// already shows elsewhere (a column header, a frame's title, the check box
// beside it). Each window names its controls in one table, where it sets its
// captions.

#include <QString>
#include <initializer_list>

class QLabel;
class QTableWidget;
class QWidget;

namespace zt {

struct ControlName {
    QWidget* control;
    QLabel* label = nullptr;  // the caption beside the control, when it has one
    QString name = {};        // otherwise its name
    QString description = {};
};

void nameControls(std::initializer_list<ControlName> names);

// What stands between the parts of a name read out ("Channel 3, RX Frequency").
[[nodiscard]] QString nameSeparator(bool chinese);

// A grid cell as a screen reader reads it, from the captions the grid shows: the
// row's first cell after the first column's header, the column's header, and
// the value ("Channel 3, RX Frequency, 446.00625"). cellTitle leaves the value
// out: it names the editor laid over the cell, whose text is the value.
[[nodiscard]] QString cellTitle(const QTableWidget* grid, int row, int column, bool chinese);
// Gives the cell that name; the grid calls it whenever it sets a cell's text.
void nameCell(QTableWidget* grid, int row, int column, bool chinese);

}  // namespace zt
