// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/card_commands.h"
#include "ui/edit_commands.h"
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
    // The entries the program adds come after the menu's own, set apart, as
    // the channel commands are in the Edit menu.
    Divider("divider_files", "File", Shown::Yes),
    {.name = "File_importcsv", .parent = "File", .caption = kImportCsvCaption},
    {.name = "File_exportcsv", .parent = "File", .caption = kExportCsvCaption},
    {.name = "File_printcard", .parent = "File", .caption = kPrintCardCaption},
    {.name = "File_exportcard", .parent = "File", .caption = kExportCardCaption},
    Window("File_history"),
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

std::span<const MenuItem> MenuLayout() {
    // The channel and undo commands follow the Edit menu's own entries.
    static const std::vector<MenuItem> layout = [] {
        std::vector<MenuItem> items(std::begin(kLayout), std::end(kLayout));
        // The Edit menu's entries run up to the next submenu of the menu bar.
        const auto isSubmenu = [](const MenuItem& m) { return m.kind == MenuKind::Submenu; };
        const auto editMenu = std::find_if(items.begin(), items.end(), [](const MenuItem& m) {
            return std::strcmp(m.name, "Edit") == 0;
        });
        const auto end = std::find_if(editMenu + 1, items.end(), isSubmenu);
        std::vector<MenuItem> edit;
        for (const EditCommandEntry& e : kEditCommands) {
            if (e.divider) edit.push_back(Divider(e.divider, "Edit", Shown::Yes));
            edit.push_back(
                {.name = e.name, .parent = "Edit", .caption = e.caption, .shortcut = e.shortcut});
        }
        items.insert(end, edit.begin(), edit.end());
        return items;
    }();
    return layout;
}

}  // namespace zt
