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
    SetFields,
};

struct EditCommandEntry {
    EditCommand id;
    const char* name;  // the action's control name
    BiText caption;
    const char* shortcut;  // portable key text, or nullptr
    const char* divider;   // the name of a divider before it in both menus, or nullptr
    bool inContextMenu;
};

inline constexpr EditCommandEntry kEditCommands[] = {
    {EditCommand::Undo, "Edit_undo", {"Undo", "撤销"}, "Ctrl+Z", "divider_undo", true},
    {EditCommand::Redo, "Edit_redo", {"Redo", "重做"}, "Ctrl+Y", nullptr, true},
    {EditCommand::Cut, "Edit_cut", {"Cut Channels", "剪切信道"}, "Ctrl+X", "divider_cut", true},
    {EditCommand::Copy, "Edit_copy", {"Copy Channels", "复制信道"}, "Ctrl+C", nullptr, true},
    {EditCommand::Paste, "Edit_paste", {"Paste Channels", "粘贴信道"}, "Ctrl+V", nullptr, true},
    {EditCommand::Empty, "Edit_empty", {"Empty Channels", "清空信道"}, "Del", nullptr, true},
    {EditCommand::SelectAll,
     "Edit_selectall",
     {"Select All Channels", "选择全部信道"},
     "Ctrl+A",
     nullptr,
     true},
    {EditCommand::MoveUp, "Edit_moveup", {"Move Up", "上移"}, "Ctrl+Up", "divider_move", true},
    {EditCommand::MoveDown, "Edit_movedown", {"Move Down", "下移"}, "Ctrl+Down", nullptr, true},
    {EditCommand::Insert,
     "Edit_insert",
     {"Insert Empty Channel", "插入空信道"},
     "Ins",
     nullptr,
     true},
    {EditCommand::Delete,
     "Edit_delete",
     {"Delete Channels", "删除信道"},
     "Ctrl+Del",
     nullptr,
     true},
    {EditCommand::SortByRx,
     "Edit_sortrx",
     {"Sort by RX Frequency", "按接收频率排序"},
     nullptr,
     "divider_sort",
     true},
    {EditCommand::SortByName,
     "Edit_sortname",
     {"Sort by Name", "按名称排序"},
     nullptr,
     nullptr,
     true},
    {EditCommand::SetFields,
     "Edit_setfields",
     {"Set Fields for Selected Channels...", "批量设置所选信道..."},
     "Ctrl+E",
     "divider_fields",
     true},
};

[[nodiscard]] constexpr const EditCommandEntry& EditCommandOf(EditCommand id) {
    for (const EditCommandEntry& e : kEditCommands) {
        if (e.id == id) return e;
    }
    return kEditCommands[0];  // every command has its entry
}

// The File menu's entries after "Save As".
inline constexpr BiText kImportCsvCaption{"Import CSV...", "导入CSV..."};
inline constexpr BiText kExportCsvCaption{"Export CSV...", "导出CSV..."};

}  // namespace zt
