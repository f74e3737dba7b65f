// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A history of radio memories: every completed read, every backup taken before
// a write and every image written, each kept as a channel file in one folder
// with a small index (index.txt: one tab-separated line per entry with its
// number, local time, kind, port, used channels, the file the image came from
// and the entry's own file). Entries keep their number for good; past the
// limit the oldest go first, never the newest. No Qt: the front ends choose
// the folder.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

// Entries kept; adding one more removes the oldest.
inline constexpr std::size_t kHistoryLimit = 500;

enum class HistoryKind { Read, Backup, Written };

// "read", "backup", "written" (读取, 备份, 写入).
[[nodiscard]] BiText HistoryKindText(HistoryKind kind);

struct HistoryEntry {
    int number = 0;
    std::string time;  // local time, "2025-03-01 14:05:09"
    HistoryKind kind = HistoryKind::Read;
    std::string port;
    int usedChannels = 0;
    std::string source;  // the channel file written, or "" for a radio's memory
    std::string file;    // the entry's channel file, in the folder
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

class RadioHistory {
  public:
    explicit RadioHistory(std::filesystem::path folder, std::size_t limit = kHistoryLimit);

    [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

    // Keeps `image` as a new entry. Nothing is added when the folder cannot be
    // written: false, with `error` saying so.
    bool Add(HistoryKind kind, const std::string& port, const Image& image,
             const std::string& source, BiString& error);
    // Newest first; none when the folder or its index is missing.
    [[nodiscard]] std::vector<HistoryEntry> Entries() const;
    [[nodiscard]] std::optional<HistoryEntry> Find(int number) const;
    // The entry's image; false with `error` when its file is gone or damaged.
    bool Load(const HistoryEntry& entry, Image& image, BiString& error) const;
    bool Remove(int number, BiString& error);
    // The newest entry for the port, as the radio's memory last seen there.
    [[nodiscard]] std::optional<Image> Latest(const std::string& port) const;

  private:
    [[nodiscard]] std::filesystem::path IndexPath() const { return folder_ / "index.txt"; }
    bool WriteIndex(const std::vector<HistoryEntry>& newestFirst, std::string& reason) const;
    [[nodiscard]] BiString CannotWrite(const std::string& reason) const;

    std::filesystem::path folder_;
    std::size_t limit_;
};

}  // namespace zt
