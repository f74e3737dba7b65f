#pragma once
// Whole text files for the CSV exchange: read at once, written through a
// temporary file that replaces the target only when complete.

#include <filesystem>
#include <optional>
#include <string>

namespace zt {

// The file's bytes, or nothing with `error` set.
[[nodiscard]] std::optional<std::string> ReadTextFile(const std::filesystem::path& path,
                                                      std::string& error);
// Writes `text` beside the target and renames it over the target; a failure
// leaves any previous file as it was. Returns false with `error` set.
[[nodiscard]] bool WriteTextFile(const std::filesystem::path& path, const std::string& text,
                                 std::string& error);

}  // namespace zt
