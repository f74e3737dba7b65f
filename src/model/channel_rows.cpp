// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_rows.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zt {

namespace {

using Slots = std::array<ChannelSlot, kChannelCount + 1>;  // index 0 unused
using Marks = std::array<bool, kChannelCount + 2>;         // 0 and 129 stay false

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

Slots TakeAll(const Image& image) {
    Slots slots;
    for (int c = 1; c <= kChannelCount; ++c) slots[Index(c)] = TakeChannel(image, c);
    return slots;
}

void PutAll(Image& image, const Slots& slots) {
    for (int c = 1; c <= kChannelCount; ++c) PutChannel(image, c, slots[Index(c)]);
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
                                             MoveDirection direction) {
    Marks marks = Mark(selected);
    const bool up = direction == MoveDirection::Up;
    if (marks[up ? 1 : kChannelCount]) return std::nullopt;
    Slots slots = TakeAll(image);
    // Each selected channel bubbles one place past its unselected neighbour;
    // walking from the end it moves towards carries whole runs along.
    const int step = up ? -1 : 1;
    for (int i = 0; i < kChannelCount; ++i) {
        const int c = up ? 1 + i : kChannelCount - i;
        const int next = c + step;
        if (!marks[Index(c)] || next < 1 || next > kChannelCount || marks[Index(next)]) continue;
        std::swap(slots[Index(c)], slots[Index(next)]);
        std::swap(marks[Index(c)], marks[Index(next)]);
    }
    PutAll(image, slots);
    std::vector<int> moved;
    for (int c = 1; c <= kChannelCount; ++c)
        if (marks[Index(c)]) moved.push_back(c);
    return moved;
}

bool InsertEmptyChannel(Image& image, int c) {
    const std::size_t at = Index(c);
    if (!IsChannelEmpty(image, kChannelCount)) return false;
    Slots slots = TakeAll(image);
    std::move_backward(slots.begin() + static_cast<std::ptrdiff_t>(at), slots.end() - 1,
                       slots.end());
    slots[at] = EmptySlot();
    PutAll(image, slots);
    return true;
}

void DeleteChannels(Image& image, const std::vector<int>& selected) {
    const Marks marks = Mark(selected);
    const Slots slots = TakeAll(image);
    int to = 1;
    for (int c = 1; c <= kChannelCount; ++c)
        if (!marks[Index(c)]) PutChannel(image, to++, slots[Index(c)]);
    for (; to <= kChannelCount; ++to) PutChannel(image, to, EmptySlot());
}

void EmptyChannels(Image& image, const std::vector<int>& selected) {
    for (int c : selected) PutChannel(image, c, EmptySlot());
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

void SortChannels(Image& image, ChannelSortKey key) {
    struct Entry {
        int group;  // 0 sorted by key, 1 used without a name, 2 empty
        FreqUnits rx;
        std::string name;
        ChannelSlot slot;
    };
    std::vector<Entry> entries;
    entries.reserve(kChannelCount);
    for (int c = 1; c <= kChannelCount; ++c) {
        Entry e{0, 0, {}, TakeChannel(image, c)};
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
    for (int c = 1; c <= kChannelCount; ++c)
        PutChannel(image, c, entries[static_cast<std::size_t>(c - 1)].slot);
}

}  // namespace zt
