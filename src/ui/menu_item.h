// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One item of the main window's menu bar: a submenu, a command or a divider,
// with its captions, shortcut and whether the user sees it.

#include <span>

#include "model/bitext.h"

namespace zt {

enum class Shown {
    Yes,
    Inert,     // visible but can never run (the first divider of Edit)
    Advanced,  // hidden and disabled unless the program runs with --advanced
    Never,     // hidden and disabled: entries the radio does not offer
};

enum class MenuKind {
    Command,
    Submenu,
    Divider,
    WindowCommand,  // a command that reopens a window: described in the window table
};

struct MenuItem {
    const char* name = nullptr;  // the control name, also the action's object name
    const char* parent = "";     // the submenu it sits in; "" for the menu bar
    BiText caption{};
    const char* shortcut = nullptr;
    Shown shown = Shown::Yes;
    MenuKind kind = MenuKind::Command;
};

// The menu bar in its order. Window commands appear here by name only; a window
// command of the window table that is not listed here goes after the listed
// items of its submenu.
[[nodiscard]] std::span<const MenuItem> MenuLayout();

}  // namespace zt
