// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_rows.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zt {

namespace {

using Marks = std::array<bool, kChannelCount + 2>;  // 0 and 129 stay false
// What each channel number holds after a command: the number it held before,
// or 0 for an empty channel. Index 0 unused.
using Origins = std::array<int, kChannelCount + 1>;

std::size_t Index(int c) {
    if (c < 1 || c > kChannelCount) throw std::out_of_range("channel number");
    return static_cast<std::size_t>(c);
}

// Character j of channel c: flat position 5 (c - 1) + j of the name rows.
template <class ImageRef>
auto& NameByte(ImageRef& image, int c, int j) {
    const int p = kNameLength * (c - 1) + j;
    return image[static_cast<std::size_t>(kFirstNameRow + p / kRowBytes)]
                [static_cast<std::size_t>(p % kRowBytes)];
}

Origins Unmoved() {
    Origins from{};
    for (int c = 1; c <= kChannelCount; ++c) from[Index(c)] = c;
    return from;
}

// Puts every channel where `from` says, and tells `map` where each one went.
void Rearrange(Image& image, const Origins& from, ChannelMap* map) {
    std::array<ChannelSlot, kChannelCount + 1> slots;
    for (int c = 1; c <= kChannelCount; ++c) slots[Index(c)] = TakeChannel(image, c);
    ChannelMap to;  // all gone until placed
    for (int c = 1; c <= kChannelCount; ++c) {
        const int was = from[Index(c)];
        PutChannel(image, c, was ? slots[Index(was)] : EmptySlot());
        if (was) to.to[Index(was)] = c;
    }
    if (map) *map = to;
}

Marks Mark(const std::vector<int>& selected) {
    Marks marks{};
    for (int c : selected) marks[Index(c)] = true;
    return marks;
}

std::string Trimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

ChannelSlot TakeChannel(const Image& image, int c) {
    ChannelSlot slot;
    slot.record = image[Index(c)];
    for (int j = 0; j < kNameLength; ++j)
        slot.name[static_cast<std::size_t>(j)] = NameByte(image, c, j);
    return slot;
}

void PutChannel(Image& image, int c, const ChannelSlot& slot) {
    image[Index(c)] = slot.record;
    for (int j = 0; j < kNameLength; ++j)
        NameByte(image, c, j) = slot.name[static_cast<std::size_t>(j)];
}

ChannelSlot EmptySlot() {
    ChannelSlot slot;
    slot.record.fill(255);
    slot.name.fill(255);
    return slot;
}

std::optional<std::vector<int>> MoveChannels(Image& image, const std::vector<int>& selected,
                                             MoveDirection direction, ChannelMap* map) {
    Marks marks = Mark(selected);
    Origins from = Unmoved();
    // Each selected channel bubbles one place past its unselected neighbour;
    // walking from the end it moves towards carries whole runs along, and a
    // run already at that end never finds an unselected neighbour.
    const bool up = direction == MoveDirection::Up;
    const int step = up ? -1 : 1;
    bool moved = false;
    for (int i = 0; i < kChannelCount; ++i) {
        const int c = up ? 1 + i : kChannelCount - i;
        const int next = c + step;
        if (!marks[Index(c)] || next < 1 || next > kChannelCount || marks[Index(next)]) continue;
        std::swap(from[Index(c)], from[Index(next)]);
        std::swap(marks[Index(c)], marks[Index(next)]);
        moved = true;
    }
    if (!moved) return std::nullopt;
    Rearrange(image, from, map);
    std::vector<int> now;
    for (int c = 1; c <= kChannelCount; ++c)
        if (marks[Index(c)]) now.push_back(c);
    return now;
}

bool InsertEmptyChannel(Image& image, int c, ChannelMap* map) {
    const std::size_t at = Index(c);
    if (!IsChannelEmpty(image, kChannelCount)) return false;
    Origins from = Unmoved();
    std::move_backward(from.begin() + static_cast<std::ptrdiff_t>(at), from.end() - 1, from.end());
    from[at] = 0;
    Rearrange(image, from, map);
    return true;
}

void DeleteChannels(Image& image, const std::vector<int>& selected, ChannelMap* map) {
    const Marks marks = Mark(selected);
    Origins from{};
    int to = 1;
    for (int c = 1; c <= kChannelCount; ++c)
        if (!marks[Index(c)]) from[Index(to++)] = c;
    Rearrange(image, from, map);
}

void EmptyChannels(Image& image, const std::vector<int>& selected, ChannelMap* map) {
    Origins from = Unmoved();
    for (int c : selected) from[Index(c)] = 0;
    Rearrange(image, from, map);
}

int ClearEmptyChannels(Image& image) {
    int cleared = 0;
    for (int c = 1; c <= kChannelCount; ++c) {
        if (!IsChannelEmpty(image, c) || image[Index(c)] == EmptySlot().record) continue;
        ClearChannel(image, c);
        ++cleared;
    }
    return cleared;
}

BiString ClearedEmptyChannelsNote(int cleared) {
    const std::string n = std::to_string(cleared);
    return {"Cleared the leftover bytes of " + n +
                (cleared == 1 ? " empty channel" : " empty channels") + " (Undo brings them back).",
            "已清除 " + n + " 个空信道中的残留字节（撤销可恢复）。"};
}

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Whole digit runs by value: leading zeros dropped, then the longer
            // run is the larger number, else the first differing digit decides.
            const std::size_t ia = i;
            const std::size_t jb = j;
            while (i < a.size() && IsDigit(a[i])) ++i;
            while (j < b.size() && IsDigit(b[j])) ++j;
            std::string_view ra = a.substr(ia, i - ia);
            std::string_view rb = b.substr(jb, j - jb);
            ra.remove_prefix(std::min(ra.find_first_not_of('0'), ra.size()));
            rb.remove_prefix(std::min(rb.find_first_not_of('0'), rb.size()));
            if (ra.size() != rb.size()) return ra.size() < rb.size() ? -1 : 1;
            if (const int d = ra.compare(rb); d != 0) return d;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return a.compare(b);  // equal by value: "CH01" and "CH1" still in a fixed order
}

void SortChannels(Image& image, ChannelSortKey key, ChannelMap* map) {
    struct Entry {
        int group;  // 0 sorted by key, 1 used without a name, 2 empty
        FreqUnits rx;
        std::string name;
        int channel;
    };
    std::vector<Entry> entries;
    entries.reserve(kChannelCount);
    for (int c = 1; c <= kChannelCount; ++c) {
        Entry e{0, 0, {}, c};
        if (IsChannelEmpty(image, c)) {
            e.group = 2;
        } else {
            e.rx = RxUnits(image, c);
            e.name = Trimmed(ReadName(image, c));
            if (key == ChannelSortKey::Name && e.name.empty()) e.group = 1;
        }
        entries.push_back(std::move(e));
    }
    std::stable_sort(entries.begin(), entries.end(), [key](const Entry& a, const Entry& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.group != 0) return false;
        if (key == ChannelSortKey::RxFrequency) return a.rx < b.rx;
        return CompareNames(a.name, b.name) < 0;
    });
    Origins from{};
    for (int c = 1; c <= kChannelCount; ++c)
        from[Index(c)] = entries[static_cast<std::size_t>(c - 1)].channel;
    Rearrange(image, from, map);
}

}  // namespace zt
