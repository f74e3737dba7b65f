// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces every window of the program shares: the open flag it holds while
// loaded, the refresh it runs when it becomes the active editor, and closing.

#include <QWidget>

namespace zt {

// Holds a window-open flag of the application state true while a window is
// loaded. The window releases it when it closes; the destructor releases it for a
// window unloaded without closing. Releasing twice is harmless, so a window that
// closes and is deleted later cannot clear the flag of its successor.
class OpenFlag {
  public:
    explicit OpenFlag(bool* flag) : flag_(flag) {
        if (flag_) *flag_ = true;
    }
    OpenFlag(const OpenFlag&) = delete;
    OpenFlag& operator=(const OpenFlag&) = delete;
    ~OpenFlag() { release(); }
    void release() {
        if (flag_) *flag_ = false;
        flag_ = nullptr;
    }

  private:
    bool* flag_;
};

// An editor that rebuilds its view from the image whenever it becomes the active
// window of the multiple-document area (it may have been changed meanwhile by a
// read, a file load or another editor).
class ActivationRefresh {
  public:
    virtual ~ActivationRefresh() = default;
    virtual void windowActivated() = 0;
};

// A window's button named "Command_Help" opens the window's section of the user
// manual: the main window ties it when it shows the window (the section is in
// the window table), so the windows themselves only name the button.

// Makes `window` one frameless scroll area and returns the widget inside it, on
// which the caller lays out its controls. When the main window's work area is
// smaller than the controls need, the window scrolls instead of cutting them
// off. The window's size hint stays what the controls want (plus room for a
// vertical scroll bar), so it is still shown whole wherever there is room.
QWidget* scrollingBody(QWidget* window);

// Sets the Tab order of a window's controls to the order of its layouts:
// boxes in order, grids row by row, a frame's controls where the frame sits.
// That is the reading order, top to bottom and left to right, column by column
// where a window has columns; the order the controls were made in is not.
void tabInReadingOrder(QWidget* window);

// The style marks the control with the focus (a check box's or a radio
// button's frame) only once the keyboard has moved the focus in a window;
// from then on, in every window of the program as it becomes active, since any
// window may be used without a mouse. Lasts as long as `owner`.
void showFocusInEveryWindow(QObject* owner);

// Enter on a push button of `window` presses it, as it does in a dialog (a
// button outside a dialog takes only Space).
void pressButtonsWithEnter(QWidget* window);

// Closes a window: for an editor inside the multiple-document area its frame,
// which deletes both (closing only the editor would leave an empty frame).
void closeWindow(QWidget* window);

}  // namespace zt
