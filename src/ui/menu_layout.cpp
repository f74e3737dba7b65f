// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menu_item.h"

namespace zt {

namespace {

constexpr MenuItem Window(const char* name) {
    return {.name = name, .kind = MenuKind::WindowCommand};
}
constexpr MenuItem Submenu(const char* name, BiText caption, Shown shown = Shown::Yes) {
    return {.name = name, .caption = caption, .shown = shown, .kind = MenuKind::Submenu};
}
constexpr MenuItem Divider(const char* name, const char* parent, Shown shown) {
    return {.name = name, .parent = parent, .shown = shown, .kind = MenuKind::Divider};
}

constexpr MenuItem kLayout[] = {
    Submenu("File", {"File", "文件"}),
    {.name = "File_New", .parent = "File", .caption = {"New", "新建"}, .shortcut = "Ctrl+N"},
    Window("File_Open"),
    Window("File_save"),
    // Opens the save window, the same as Save.
    {.name = "File_saveas", .parent = "File", .caption = {"Save As", "另存为"}},
    {.name = "File_exit", .parent = "File", .caption = {"Exit", "退出"}},
    Window("proc_type"),
    Submenu("Edit", {"Edit", "编辑"}),
    Window("Channel_edit"),
    Window("Optional_edit"),
    Window("key_edit"),
    Window("Scan_edit"),
    {.name = "Dtmf_edit",
     .parent = "Edit",
     .caption = {"DTMF", "DTMF(双音多频)"},
     .shown = Shown::Never},
    {.name = "Fleetsync_edit",
     .parent = "Edit",
     .caption = {"FleetSync", "FleetSync(队列同步)"},
     .shown = Shown::Never},
    Divider("divider1", "Edit", Shown::Inert),
    Window("Test_edit"),
    // Shown with the entry it sets apart.
    Divider("divider2", "Edit", Shown::Advanced),
    Window("Message_edit"),
    Submenu("Program", {"Program", "编程"}),
    Window("Prog_read"),
    Window("Prog_write"),
    {.name = "Prog_test",
     .parent = "Program",
     .caption = {"Test Mode", "测试模式"},
     .shortcut = "Ctrl+T",
     .shown = Shown::Never},
    Submenu("Adjust", {"Adjust", "调整"}),
    Window("Adj_Txp"),
    Window("proc_setup"),
    Submenu("Language_Setup", {"Language", "语言"}, Shown::Advanced),
    {.name = "Language_chn", .parent = "Language_Setup", .caption = {"中文", "中文"}},
    {.name = "Language_eng", .parent = "Language_Setup", .caption = {"English", "English"}},
    Window("Menu_About"),
    {.name = "Menu_exit", .caption = {"Exit", "退出"}},
};

}  // namespace

std::span<const MenuItem> MenuLayout() { return kLayout; }

}  // namespace zt
