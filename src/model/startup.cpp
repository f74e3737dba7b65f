// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/startup.h"

#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/catalogue.h"
#include "model/tone_codec.h"

namespace zt {

void StartUp(AppState& state) {
    state.SoftwareVersion = "Ver1.2";
    state.LanguageChinese = false;
    state.ComPort = 1;
    state.ComDevice.clear();
    state.PortOpenFailed = false;
    state.ModelIndex = 0;
    BuildToneList(state);
    BuildCatalogue(state);
    WriteBlankImage(state);
    state.CurrentChannel = 1;
}

}  // namespace zt
