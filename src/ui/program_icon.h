// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own icon (dist/zt790prog.svg, built in), for its windows.

#include <QIcon>

namespace zt {

[[nodiscard]] QIcon ProgramIcon();

}  // namespace zt
