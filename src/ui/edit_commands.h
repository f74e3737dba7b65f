// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands that manage channels and undo changes, described once: the
// Edit menu lists them after its own entries, the channel grid's context menu
// lists those marked for it, and the shortcuts are these. None of them takes a
// shortcut the program already had (Ctrl+N, O, S, R, W, T, Q and F1).

#include "model/bitext.h"

namespace zt {

enum class EditCommand {
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Empty,
    SelectAll,
    MoveUp,
    MoveDown,
    Insert,
    Delete,
    SortByRx,
    SortByName,
};

struct EditCommandEntry {
    EditCommand id;
    const char* name;  // the action's control name
    BiText caption;
    const char* shortcut;  // portable key text, or nullptr
    bool dividerBefore;    // a divider goes before it in both menus
    bool inContextMenu;
};

inline constexpr EditCommandEntry kEditCommands[] = {
    {EditCommand::Undo, "Edit_undo", {"Undo", "撤销"}, "Ctrl+Z", true, true},
    {EditCommand::Redo, "Edit_redo", {"Redo", "重做"}, "Ctrl+Y", false, true},
    {EditCommand::Cut, "Edit_cut", {"Cut Channels", "剪切信道"}, "Ctrl+X", true, true},
    {EditCommand::Copy, "Edit_copy", {"Copy Channels", "复制信道"}, "Ctrl+C", false, true},
    {EditCommand::Paste, "Edit_paste", {"Paste Channels", "粘贴信道"}, "Ctrl+V", false, true},
    {EditCommand::Empty, "Edit_empty", {"Empty Channels", "清空信道"}, "Del", false, true},
    {EditCommand::SelectAll,
     "Edit_selectall",
     {"Select All Channels", "选择全部信道"},
     "Ctrl+A",
     false,
     true},
    {EditCommand::MoveUp, "Edit_moveup", {"Move Up", "上移"}, "Ctrl+Up", true, true},
    {EditCommand::MoveDown, "Edit_movedown", {"Move Down", "下移"}, "Ctrl+Down", false, true},
    {EditCommand::Insert,
     "Edit_insert",
     {"Insert Empty Channel", "插入空信道"},
     "Ins",
     false,
     true},
    {EditCommand::Delete, "Edit_delete", {"Delete Channels", "删除信道"}, "Ctrl+Del", false, true},
    {EditCommand::SortByRx,
     "Edit_sortrx",
     {"Sort by RX Frequency", "按接收频率排序"},
     nullptr,
     true,
     true},
    {EditCommand::SortByName,
     "Edit_sortname",
     {"Sort by Name", "按名称排序"},
     nullptr,
     false,
     true},
};

// The File menu's entries after "Save As".
inline constexpr BiText kImportCsvCaption{"Import CSV...", "导入CSV..."};
inline constexpr BiText kExportCsvCaption{"Export CSV...", "导出CSV..."};

}  // namespace zt
