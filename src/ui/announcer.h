// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Changes a screen reader should speak although the focus stays where it is: a
// transfer's end, the status bar's Modified, band and port. Qt here has no
// call for announcements, and a changed name is spoken only for the control
// with the focus. What every screen reader speaks wherever the focus is, is a
// notification appearing: so each announcement is a small notification object
// of its own, shown in the window, named with the text.

#include <QString>
#include <QStringList>

class QWidget;

namespace zt {

// Speaks `text` from the window of `from`; nothing for an empty text.
void announce(QWidget* from, const QString& text);
// The last few texts announced in `window`, oldest first.
[[nodiscard]] QStringList announcements(const QWidget* window);

}  // namespace zt
