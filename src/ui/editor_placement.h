// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a freshly loaded window opens: the dialogs over the main window, the
// editors inside its document area. Each window's numbers are in its entry of the
// window table; this is the arithmetic they share. An editor takes its share and
// place wherever that fits, and never opens larger than the document area nor
// partly outside it.

class QMdiArea;
class QWidget;

namespace zt {

struct Placement {
    enum class Size {
        AsBuilt,            // left as the window built itself
        ShareOfMain,        // the main window's frame / divisors (dialogs)
        ShareOfArea,        // the document area / divisors
        ShareOfMainInArea,  // the main window / divisors, within the document area
        WholeArea,          // the whole document area
        Own,                // the window's own size hint
    };
    Size size = Size::AsBuilt;
    double widthDivisor = 1;
    double heightDivisor = 1;
    // Left and top from the space the window opens in (the main window for the
    // dialogs, the document area for the rest) and the window's own size; never
    // above or left of that space.
    int (*left)(int space, int own) = nullptr;
    int (*top)(int space, int own) = nullptr;
};

// The usual positions.
[[nodiscard]] constexpr int Centred(int space, int own) { return (space - own) / 2; }
[[nodiscard]] constexpr int AtStart(int, int) { return 0; }

// 500 twips at the usual 15 twips a pixel: how far the small dialogs sit above
// the main window's centre.
inline constexpr int kDialogRaisePx = 33;
inline constexpr int kTwipsPerPixel = 15;

// Sizes and places `frame` (a dialog, or the document-area frame of an editor).
void placeWindow(const Placement& placement, QWidget* frame, const QWidget* mainWindow,
                 const QMdiArea* area);

}  // namespace zt
