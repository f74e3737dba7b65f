// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole text files (channel files and CSV): read at once, written through a
// temporary file that replaces the target only when complete.

#include <filesystem>
#include <optional>
#include <string>

namespace zt {

// The file's bytes, or nothing with `error` set.
[[nodiscard]] std::optional<std::string> ReadTextFile(const std::filesystem::path& path,
                                                      std::string& error);
// Writes `text` to a new file beside the target, makes it durable and renames it
// over the target, so a failure leaves any previous file as it was. A link is
// followed (the file it points at is replaced) and a replaced file keeps its
// permissions. Returns false with `error` set to the reason.
[[nodiscard]] bool WriteTextFile(const std::filesystem::path& path, const std::string& text,
                                 std::string& error);

}  // namespace zt
