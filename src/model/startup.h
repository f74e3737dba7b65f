// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up steps that need no window, in the order the program takes them.

namespace zt {

struct AppState;

// SoftwareVersion "Ver1.2", English, COM1 (no device path), the first catalogue
// model, the tone list, the catalogue (edges 400/470), then the blank image and
// the band edges recomputed from it. CurrentChannel is 1, the channel the grid
// opens on. The window steps (captions, status bar, the grid) are the main
// window's.
void StartUp(AppState& state);

}  // namespace zt
