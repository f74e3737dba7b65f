// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local time in the words the files a transfer leaves behind carry: the
// history's index and entry names, the backups of several radios written at
// once.

#include <string>

namespace zt {

// "2025-03-01 14:05:09", as the history lists an entry.
inline constexpr char kListedTimeFormat[] = "%Y-%m-%d %H:%M:%S";
// "20250301-140509", in a file name.
inline constexpr char kFileTimeFormat[] = "%Y%m%d-%H%M%S";

// Now, in local time, as strftime writes `format`.
[[nodiscard]] std::string LocalTimeText(const char* format);

}  // namespace zt
