// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_id.h"

#include "model/app_state.h"

namespace zt {

bool* openFlag(AppState& state, WindowId id) {
    WindowFlags& f = state.Windows;
    switch (id) {
        case WindowId::About:
            return &f.AboutIsOpen;
        case WindowId::Option:
            return &f.OptionIsOpen;
        case WindowId::Chann:
            return &f.ChannIsOpen;
        case WindowId::Setup:
            return &f.SetupIsOpen;
        case WindowId::Type:
            return &f.TypeIsOpen;
        case WindowId::SaveChann:
            return &f.SaveChannIsOpen;
        case WindowId::OpenChann:
            return &f.OpenChannIsOpen;
        case WindowId::CommRead:
            return &f.CommReadIsOpen;
        case WindowId::CommWrite:
            return &f.CommWriteIsOpen;
        case WindowId::Test:
            return &f.TestIsOpen;
        case WindowId::Message:
            return &f.MessageIsOpen;
        case WindowId::Adjust:
            return &f.AdjustIsOpen;
        case WindowId::ChannEdit:
        case WindowId::Key:
        case WindowId::Scan:
            return nullptr;
    }
    return nullptr;
}

}  // namespace zt
