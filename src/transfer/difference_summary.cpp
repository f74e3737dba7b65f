// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/difference_summary.h"

#include <map>

namespace zt {
namespace {

struct SectionWords {
    BiText one;   // before a single item, or the whole section
    BiText many;  // before a list of items
};

// Indexed by DiffSection.
constexpr SectionWords kWords[] = {
    {{"channel ", "信道 "}, {"channels ", "信道 "}},
    {{"frequency mode", "频率模式"}, {}},
    {{"band limits", "频率限制"}, {}},
    {{"optional features", "可选功能"}, {}},
    {{"FM preset ", "收音机频道 "}, {"FM presets ", "收音机频道 "}},
    {{"scan", "扫描信息"}, {}},
    {{"keys", "键设定"}, {}},
    {{"power levels", "发射功率"}, {}},
    {{"rows a write fills in", "写入时填写的数据"}, {}},
    {{"row ", "第 "}, {"rows ", "第 "}},
};

bool HasItems(DiffSection s) {
    return s == DiffSection::Channel || s == DiffSection::FmPresets ||
           s == DiffSection::OtherMemory;
}

// "1-3, 5"
std::string Ranges(const std::vector<int>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size();) {
        std::size_t j = i;
        while (j + 1 < items.size() && items[j + 1] == items[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(items[i]);
        if (j > i) text += "-" + std::to_string(items[j]);
        i = j + 1;
    }
    return text;
}

// Indexed by DiffSection; a channel's heading carries its number.
constexpr BiText kHeadings[] = {
    {"Channel ", "信道 "},
    {"Frequency mode", "频率模式"},
    {"Band limits", "频率限制"},
    {"Optional features", "可选功能"},
    {"FM presets", "收音机频道"},
    {"Scan", "扫描信息"},
    {"Keys", "键设定"},
    {"Power levels", "发射功率"},
    {"Filled in by a write", "写入时填写的数据"},
    {"Memory no editor shows", "其他存储区"},
};

}  // namespace

BiString DiffHeading(const DiffEntry& entry) {
    BiString heading(kHeadings[static_cast<int>(entry.section)]);
    if (entry.section == DiffSection::Channel) {
        heading.english += std::to_string(entry.item);
        heading.chinese += std::to_string(entry.item);
    }
    return heading;
}

BiString DescribeDifferences(const std::vector<DiffEntry>& diffs) {
    std::map<DiffSection, std::vector<int>> places;  // sections come in their order
    for (const DiffEntry& e : diffs) {
        std::vector<int>& items = places[e.section];
        if (HasItems(e.section) && (items.empty() || items.back() != e.item))
            items.push_back(e.item);
    }
    BiString text;
    for (const auto& [section, items] : places) {
        const SectionWords& w = kWords[static_cast<int>(section)];
        const BiText words = items.size() > 1 ? w.many : w.one;
        std::string en(words.english);
        std::string zh(words.chinese);
        if (!items.empty()) {
            en += Ranges(items);
            zh += Ranges(items) + (section == DiffSection::OtherMemory ? " 行" : "");
        }
        text.english += (text.english.empty() ? "" : "; ") + en;
        text.chinese += (text.chinese.empty() ? "" : "；") + zh;
    }
    return text;
}

BiString DescribeDifferences(const Image& a, const Image& b, int rows) {
    return DescribeDifferences(DiffImages(a, b, rows));
}

}  // namespace zt
