// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/radio_history.h"

#include <algorithm>
#include <sstream>

#include "files/channel_file.h"
#include "files/text_file.h"
#include "model/channel.h"
#include "model/write_prep.h"
#include "transfer/local_time.h"

namespace zt {
namespace {

constexpr const char* kIndexHeading =
    "# zt790prog history: number, time, kind, port, used channels, source, file\n";
constexpr HistoryKind kKinds[] = {HistoryKind::Read, HistoryKind::Backup, HistoryKind::Written};

// A field of the index holds no tab and no line break.
std::string Field(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    return text;
}

int UsedChannels(const Image& image) {
    int used = 0;
    for (int c = 1; c <= kChannelCount; ++c) used += ChannelPresent(image, c) ? 1 : 0;
    return used;
}

std::optional<HistoryEntry> ParseLine(const std::string& line) {
    if (line.empty() || line.front() == '#') return std::nullopt;
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, '\t');) f.push_back(part);
    if (f.size() != 7) return std::nullopt;
    HistoryEntry e;
    try {
        e.number = std::stoi(f[0]);
        e.usedChannels = std::stoi(f[4]);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](HistoryKind k) {
        return HistoryKindText(k).english == f[2];
    });
    if (kind == std::end(kKinds)) return std::nullopt;
    e.kind = *kind;
    e.time = f[1];
    e.port = f[3];
    e.source = f[5];
    e.file = f[6];
    return e;
}

}  // namespace

BiText HistoryKindText(HistoryKind kind) {
    switch (kind) {
        case HistoryKind::Read:
            return {"read", "读取"};
        case HistoryKind::Backup:
            return {"backup", "备份"};
        case HistoryKind::Written:
            break;
    }
    return {"written", "写入"};
}

RadioHistory::RadioHistory(std::filesystem::path folder, std::size_t limit)
    : folder_(std::move(folder)), limit_(std::max<std::size_t>(limit, 1)) {}

BiString RadioHistory::CannotWrite(const std::string& reason) const {
    const std::string folder = folder_.string();
    return {"The history folder " + folder + " cannot be written (" + reason +
                "): this copy of the radio's memory is not kept.",
            "历史记录文件夹 " + folder + " 无法写入（" + reason + "），这份对讲机数据没有保存 ！"};
}

std::vector<HistoryEntry> RadioHistory::Entries() const {
    std::string error;
    std::error_code ec;
    if (!std::filesystem::exists(IndexPath(), ec)) return {};
    const auto text = ReadTextFile(IndexPath(), error);
    if (!text) return {};
    std::vector<HistoryEntry> entries;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto e = ParseLine(line)) entries.push_back(std::move(*e));
    }
    std::sort(entries.begin(), entries.end(),
              [](const HistoryEntry& a, const HistoryEntry& b) { return a.number > b.number; });
    return entries;
}

std::optional<HistoryEntry> RadioHistory::Find(int number) const {
    for (HistoryEntry& e : Entries()) {
        if (e.number == number) return std::move(e);
    }
    return std::nullopt;
}

bool RadioHistory::WriteIndex(const std::vector<HistoryEntry>& newestFirst,
                              std::string& reason) const {
    std::string text = kIndexHeading;
    for (auto e = newestFirst.rbegin(); e != newestFirst.rend(); ++e) {
        text += std::to_string(e->number) + "\t" + e->time + "\t" +
                std::string(HistoryKindText(e->kind).english) + "\t" + Field(e->port) + "\t" +
                std::to_string(e->usedChannels) + "\t" + Field(e->source) + "\t" + e->file + "\n";
    }
    return WriteTextFile(IndexPath(), text, reason);
}

bool RadioHistory::Add(HistoryKind kind, const std::string& port, const Image& image,
                       const std::string& source, BiString& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) {
        error = CannotWrite(ec.message());
        return false;
    }
    std::vector<HistoryEntry> entries = Entries();
    HistoryEntry e;
    e.number = entries.empty() ? 1 : entries.front().number + 1;
    e.time = LocalTimeText(kListedTimeFormat);
    e.kind = kind;
    e.port = port;
    e.usedChannels = UsedChannels(image);
    e.source = source;
    // A file left by an index that was lost keeps its name.
    do {
        e.file = std::to_string(e.number) + "-" + std::string(HistoryKindText(kind).english) + "-" +
                 LocalTimeText(kFileTimeFormat) + ".chann";
    } while (std::filesystem::exists(folder_ / e.file, ec) && ++e.number);
    const FileResult saved = SaveChannelFile(folder_ / e.file, image);
    if (!saved.ok) {
        error = CannotWrite(saved.message.english);
        return false;
    }
    entries.insert(entries.begin(), e);
    // The oldest go; the one just added is the newest and stays.
    std::vector<HistoryEntry> pruned;
    while (entries.size() > limit_) {
        pruned.push_back(entries.back());
        entries.pop_back();
    }
    std::string reason;
    if (!WriteIndex(entries, reason)) {
        std::filesystem::remove(folder_ / e.file, ec);
        error = CannotWrite(reason);
        return false;
    }
    for (const HistoryEntry& old : pruned) std::filesystem::remove(folder_ / old.file, ec);
    return true;
}

bool RadioHistory::Load(const HistoryEntry& entry, Image& image, BiString& error) const {
    const FileResult loaded = LoadChannelFile(folder_ / entry.file, image);
    if (!loaded.ok) error = loaded.message;
    return loaded.ok;
}

bool RadioHistory::Remove(int number, BiString& error) {
    std::vector<HistoryEntry> entries = Entries();
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [number](const HistoryEntry& e) { return e.number == number; });
    if (it == entries.end()) {
        error = {"The history has no entry " + std::to_string(number) + ".",
                 "历史记录中没有第 " + std::to_string(number) + " 项 ！"};
        return false;
    }
    const std::string file = it->file;
    entries.erase(it);
    std::string reason;
    if (!WriteIndex(entries, reason)) {
        error = {
            "The history folder " + folder_.string() + " cannot be written (" + reason +
                "); the entry is kept.",
            "历史记录文件夹 " + folder_.string() + " 无法写入（" + reason + "），该项仍保留 ！"};
        return false;
    }
    std::error_code ec;
    std::filesystem::remove(folder_ / file, ec);
    return true;
}

std::optional<Image> RadioHistory::Latest(const std::string& port) const {
    for (const HistoryEntry& e : Entries()) {
        if (e.port != port) continue;
        Image image{};
        BiString error;
        if (Load(e, image, error)) return image;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zt
