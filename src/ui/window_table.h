// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every window the main window opens, described once: the menu command that
// reopens it, the open flag it keeps, how it is built, where it opens and its
// section of the user manual. Adding a window is one entry in this table (and a
// WindowId); its menu command goes after the existing items of its submenu
// unless the menu layout (ui/menu_layout.cpp) names it somewhere else.

#include <QWidget>
#include <span>

#include "model/app_state.h"
#include "ui/editor_placement.h"
#include "ui/menu_item.h"
#include "ui/window_id.h"

namespace zt {

class MainWindow;

struct WindowSpec {
    WindowId id;
    // The menu item that reopens the window, with its captions; without a name
    // the window has no menu command.
    MenuItem command;
    // Set while the window is loaded; nullptr for a window that keeps none.
    bool WindowFlags::*openFlag = nullptr;
    // Builds the window in the language in force and ties it to the main window.
    QWidget* (*create)(MainWindow& main) = nullptr;
    Placement placement;
    // The anchor of the window's section in the user manual (docs/manual).
    const char* manualSection = nullptr;
};

// In the order the language switch reloads the open windows.
[[nodiscard]] std::span<const WindowSpec> Windows();
[[nodiscard]] const WindowSpec& Window(WindowId id);
// The window a menu command reopens, or nullptr.
[[nodiscard]] const WindowSpec* WindowOfCommand(const QString& command);

// The manual's section on the main window: its menus, toolbar and status bar.
inline constexpr const char* kMainWindowSection = "main-window";

}  // namespace zt
