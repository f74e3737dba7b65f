// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a subcommand's output file, and saying truthfully what became of it.

#include <string>

namespace zt::ctl {

// Writes the text (the target is replaced only once the new file is complete).
// On failure prints "zt790ctl: cannot write PATH: reason", then whether a
// previous PATH is unchanged or no file was written, and returns false.
[[nodiscard]] bool WriteOutputFile(const std::string& path, const std::string& text);

// "PATH is unchanged" when PATH exists, "PATH was not written" otherwise.
[[nodiscard]] std::string OutputFate(const std::string& path);

}  // namespace zt::ctl
