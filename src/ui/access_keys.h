// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menus' access keys: one letter per menu item, the same in both languages.
// An English caption carries its letter as a mnemonic (the "&" Qt draws as an
// underline, so the text shown stays the caption). A Chinese caption has no
// such letter, so the same keys reach its menus through shortcuts on the menu
// bar's items (Alt+letter, which a screen reader reports as their key) and,
// inside an open menu, through the menu's own key handling below.

#include <QString>

class QAction;
class QMenu;

namespace zt {

// The letter of the menu item with this control name ("File", "File_Open"), or
// 0 for an item without one (those the user never sees).
[[nodiscard]] char AccessKey(const char* itemName);

// The caption with its access key marked: "&" before the first occurrence of
// the letter, in either case; unchanged when the caption has no such letter.
[[nodiscard]] QString WithAccessKey(const QString& caption, char key);
// What a menu item's text shows: without its "&" marks.
[[nodiscard]] QString ShownText(const QString& text);

// Gives an item of the menu bar its caption in the language in force; a Chinese
// one takes Alt+letter as its shortcut.
void SetMenuBarCaption(QAction* item, const QString& caption, char key, bool chinese);

// In an open menu, the letter of an item whose caption does not show it (a
// Chinese caption, "中文") runs the item, as a mnemonic does.
void HandleAccessKeys(QMenu* menu);

}  // namespace zt
