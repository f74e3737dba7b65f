// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows the main window opens, by name. Everything else about each one is
// its entry in the window table (ui/window_table.h).

namespace zt {

struct AppState;

enum class WindowId {
    About,      // frmAbout
    Option,     // frm_option
    Chann,      // frm_chann, the channel grid
    Setup,      // Form_setup, the port choice
    Type,       // Form_type, the model choice
    SaveChann,  // Form_save_chann
    OpenChann,  // Form_open_chann
    CommRead,   // Form_Comm_Read
    CommWrite,  // Form_Comm_Write
    Test,       // Form_Edit_Test, broadcast FM presets
    Message,    // Form_Edit_Message
    Adjust,     // Form_Adjust_Txp
    ChannEdit,  // Form_Chann_Edit, the channel dialog
    Key,        // Form_edit_Key
    Scan,       // Form_Edit_scan
    Doctor,     // Form_check_connection, the connection doctor
    History,    // Form_history, the radio memories kept
};

// The open flag of a window, or nullptr for a window that keeps none.
[[nodiscard]] bool* openFlag(AppState& state, WindowId id);

}  // namespace zt
