// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_names.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>

#include "model/channel.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {
namespace {

constexpr std::size_t kLength = kNameLength;

bool Shown(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '-' || c == ' ' || c == '_' ||
           c == '+' || c == '*';
}
bool Alnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }

// A name's key as code points; anything beyond ASCII stays a character of its
// own that the radio cannot show.
std::u32string Characters(const std::string& key) { return Utf8Characters(key); }

bool AllShown(const std::u32string& s) {
    return std::all_of(s.begin(), s.end(), [](char32_t c) { return c < 0x80 && Shown(char(c)); });
}

std::string Ascii(const std::u32string& s) {
    std::string out;
    for (const char32_t c : s) out += static_cast<char>(c);
    return out;
}

// The first five characters, blanks at the end dropped.
std::u32string Cut(const std::u32string& key) {
    std::u32string cut = key.substr(0, kLength);
    while (!cut.empty() && cut.back() == U' ') cut.pop_back();
    return cut;
}

// The runs of letters and digits of a key.
std::vector<std::string> Tokens(const std::u32string& key) {
    std::vector<std::string> tokens;
    std::string run;
    for (const char32_t c : key) {
        if (c < 0x80 && Alnum(static_cast<char>(c))) {
            run += static_cast<char>(c);
        } else if (!run.empty()) {
            tokens.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty()) tokens.push_back(std::move(run));
    return tokens;
}

// The short name from `head` (letters standing for what the group shares) and
// `part` (what tells this name apart), keeping part's last number whole.
std::string Compose(const std::string& head, const std::string& part) {
    if (head.size() + part.size() <= kLength) return head + part;
    std::size_t end = part.size();
    while (end > 0 && !Digit(part[end - 1])) --end;
    if (end == 0) return (head.substr(0, 1) + part).substr(0, kLength);
    std::size_t begin = end;
    while (begin > 0 && Digit(part[begin - 1])) --begin;
    if (end + 1 == part.size()) ++end;  // "21A", "15R"
    std::string number = part.substr(begin, end - begin);
    if (number.size() > kLength) number = number.substr(number.size() - kLength);
    // Before the number, the leading letters only ("PMR446CH" + "1" -> "PMR1").
    std::string before = head + part.substr(0, begin);
    const auto letters = std::find_if(before.begin(), before.end(), Digit);
    if (letters != before.begin()) before.erase(letters, before.end());
    return before.substr(0, kLength - number.size()) + number;
}

// Short names for the keys of one group (names whose first five characters
// agree, or a lone name the radio cannot show as cut).
std::vector<std::string> BuildGroup(const std::vector<std::u32string>& keys) {
    std::vector<std::vector<std::string>> tokens;
    std::size_t shortest = SIZE_MAX;
    for (const auto& key : keys) {
        tokens.push_back(Tokens(key));
        shortest = std::min(shortest, tokens.back().size());
    }
    std::size_t shared = 0;    // tokens every name starts with
    std::size_t trailing = 0;  // tokens every name ends with
    if (keys.size() > 1) {
        auto same = [&](auto at) {
            return std::all_of(tokens.begin(), tokens.end(),
                               [&](const auto& t) { return at(t) == at(tokens.front()); });
        };
        while (shared < shortest && same([&](const auto& t) { return t[shared]; })) ++shared;
        while (shared + trailing < shortest &&
               same([&](const auto& t) { return t[t.size() - 1 - trailing]; })) {
            ++trailing;
        }
    }
    // What the group shares stands as its first word without a trailing
    // number ("PMR446" -> "PMR", "70CM" stays).
    std::string head;
    if (shared > 0) {
        head = tokens.front().front();
        std::size_t end = head.size();
        while (end > 0 && Digit(head[end - 1])) --end;
        if (end > 0) head.resize(end);
    }
    std::vector<std::string> built;
    for (const auto& t : tokens) {
        std::string part;
        for (std::size_t k = shared; k + trailing < t.size(); ++k) part += t[k];
        built.push_back(Compose(head, part));
    }
    return built;
}

}  // namespace

std::string NameKey(const std::string& name) {
    std::string key(TrimBlanks(name));
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

std::vector<std::string> RadioNames(const std::vector<std::string>& names) {
    // The distinct keys in the order they first appear.
    std::vector<std::u32string> keys;
    std::map<std::string, std::size_t> indexOfKey;
    std::vector<std::size_t> keyOfName;
    for (const std::string& name : names) {
        const std::string key = NameKey(name);
        const auto [it, added] = indexOfKey.emplace(key, keys.size());
        if (added) keys.push_back(Characters(key));
        keyOfName.push_back(it->second);
    }

    std::vector<std::string> stored(keys.size());
    std::vector<bool> done(keys.size(), false);
    std::set<std::string> taken;
    // Names that fit keep their place first, then names whose cut is theirs alone.
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k].size() <= kLength && AllShown(keys[k])) {
            stored[k] = Ascii(keys[k]);
            done[k] = true;
            taken.insert(stored[k]);
        }
    }
    std::map<std::u32string, std::vector<std::size_t>> groups;
    std::vector<std::u32string> groupOrder;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (done[k]) continue;
        const std::u32string cut = Cut(keys[k]);
        auto& members = groups[cut];
        if (members.empty()) groupOrder.push_back(cut);
        members.push_back(k);
    }
    for (const auto& cut : groupOrder) {
        const auto& members = groups[cut];
        if (members.size() == 1 && AllShown(cut) && !taken.contains(Ascii(cut))) {
            stored[members.front()] = Ascii(cut);
            done[members.front()] = true;
            taken.insert(Ascii(cut));
        }
    }
    // The others get built names, numbered where even those agree.
    for (const auto& cut : groupOrder) {
        std::vector<std::size_t> members;
        std::vector<std::u32string> memberKeys;
        for (const std::size_t k : groups[cut]) {
            if (done[k]) continue;
            members.push_back(k);
            memberKeys.push_back(keys[k]);
        }
        if (members.empty()) continue;
        const std::vector<std::string> built = BuildGroup(memberKeys);
        for (std::size_t m = 0; m < members.size(); ++m) {
            std::string name = built[m];
            for (int n = 1; taken.contains(name); ++n) {
                const std::string number = std::to_string(n);
                name = built[m].substr(0, kLength - std::min(kLength, number.size())) + number;
            }
            stored[members[m]] = name;
            taken.insert(name);
        }
    }

    std::vector<std::string> out;
    out.reserve(names.size());
    for (const std::size_t k : keyOfName) out.push_back(stored[k]);
    return out;
}

}  // namespace zt
