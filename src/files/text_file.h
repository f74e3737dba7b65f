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
// over the target, so a failure leaves any previous file as it was and no
// temporary file behind. A link is followed (the file it points at is
// replaced, the link stays) and a replaced file keeps its permissions. Returns
// false with `error` set to the reason.
[[nodiscard]] bool WriteTextFile(const std::filesystem::path& path, const std::string& text,
                                 std::string& error);

// The steps of WriteTextFile that the system can refuse: writing the bytes
// (a full disk), flushing them to the device (an I/O error) and renaming the
// new file over the target.
enum class WriteStep { Write, Flush, Rename };

// For tests: while one lives, WriteTextFile fails at `step` as if the system
// had refused it with the errno value `error` (a refused write after part of
// the text went out). One at a time, on the thread that writes.
class ScopedWriteFault {
  public:
    ScopedWriteFault(WriteStep step, int error);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

}  // namespace zt
