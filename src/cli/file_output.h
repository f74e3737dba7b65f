// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A subcommand's files: reading the channel file it was given, and writing its
// output file, saying truthfully what became of it.

#include <string>

#include "model/radio_image.h"

namespace zt::ctl {

// Loads a channel file. On failure prints "zt790ctl: PATH: reason" (the path
// only when the reason does not already name it) and returns false.
[[nodiscard]] bool LoadInputFile(const std::string& path, Image& image);

// Whether a file could be written at PATH at all: its folder exists and PATH is
// not a folder. Checked before a radio is touched, so that a read is never spent
// on a file that cannot be saved; when not, prints "zt790ctl: PATH: no such
// folder, or it is a folder" and returns false.
[[nodiscard]] bool OutputPathUsable(const std::string& path);

// Whether PATH may be written: it does not exist yet, or `force` (the
// subcommand's --force) says to replace it. When not, prints "zt790ctl:
// [OPTION: ]PATH exists and is unchanged; --force replaces it" and returns
// false; `option` names the option PATH came from, if any.
[[nodiscard]] bool MayReplace(const std::string& path, bool force, const std::string& option = {});

// Writes the text (the target is replaced only once the new file is complete).
// On failure prints "zt790ctl: cannot write PATH: reason", then whether a
// previous PATH is unchanged or no file was written, and returns false.
[[nodiscard]] bool WriteOutputFile(const std::string& path, const std::string& text);

// "PATH is unchanged" when PATH exists, "PATH was not written" otherwise.
[[nodiscard]] std::string OutputFate(const std::string& path);

}  // namespace zt::ctl
