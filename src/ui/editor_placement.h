// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the editor windows open inside the main window's document area: each
// takes a fixed share of the area and a fixed place, as the user knows them.

#include "ui/window_id.h"

class QMdiArea;
class QMdiSubWindow;

namespace zt {

// Sizes and places the frame of a freshly loaded editor; other windows are left
// as they are.
void placeEditor(WindowId id, QMdiSubWindow* frame, const QMdiArea* area);

}  // namespace zt
