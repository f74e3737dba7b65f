// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_names.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>

#include "files/latin_fold.h"
#include "model/channel.h"
#include "model/name_codec.h"

namespace zt {
namespace {

constexpr std::size_t kLength = kNameLength;
using Forms = std::vector<std::string>;

bool Digit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool Letter(char32_t c) { return c >= U'A' && c <= U'Z'; }
bool Alnum(char32_t c) { return Digit(c) || Letter(c); }
bool Sign(char32_t c) { return c == U'-' || c == U'_' || c == U'+' || c == U'*'; }
bool Shown(char32_t c) { return Alnum(c) || Sign(c) || c == U' '; }
bool Vowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

bool AllShown(const std::u32string& s) { return std::all_of(s.begin(), s.end(), Shown); }

std::string Ascii(std::u32string_view s) {
    std::string out;
    for (const char32_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// The name in the radio's letters: accents folded, capitals.
std::u32string Spelled(const std::string& key) {
    std::u32string s = FoldLatin(Utf8Characters(key));
    for (char32_t& c : s) {
        if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
    }
    return s;
}

std::vector<std::string> Tokens(std::u32string_view s) {
    std::vector<std::string> tokens;
    std::string run;
    for (const char32_t c : s) {
        if (Alnum(c)) {
            run += static_cast<char>(c);
        } else if (!run.empty()) {
            tokens.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty()) tokens.push_back(std::move(run));
    return tokens;
}

std::string Joined(const std::vector<std::string>& tokens) {
    std::string out;
    for (const std::string& t : tokens) out += t;
    return out;
}

std::string LeadingLetters(const std::string& s) {
    return s.substr(0,
                    static_cast<std::size_t>(std::find_if(s.begin(), s.end(), Digit) - s.begin()));
}

// Letters in `room` characters: vowels after the first letter go first, from
// the end, then the letters at the end ("ARES", 3 -> "ARS").
std::string Squeeze(std::string letters, std::size_t room) {
    for (std::size_t k = letters.size(); letters.size() > room && k-- > 1;) {
        if (Vowel(letters[k])) letters.erase(k, 1);
    }
    return letters.substr(0, room);
}

// A name to be made short, and what the other names of its group tell.
struct Source {
    std::u32string spelled;  // blanks at the start dropped
    std::vector<std::string> tokens;
    std::string grouped;  // the part that differs within its group, composed
    bool alone = true;    // no other name starts with the same five letters and digits
};

// `head` standing for what the group shares, `part` the words that differ;
// the last number of part stays whole ("PMR" + "01" -> "PMR01", "" + "ARES01"
// -> "ARS01", "MARINE" + "21A" -> "MR21A").
std::string Compose(const std::string& head, const std::vector<std::string>& part) {
    const std::string joined = Joined(part);
    if (head.size() + joined.size() <= kLength) return head + joined;
    std::size_t last = part.size();
    while (last > 0 && std::none_of(part[last - 1].begin(), part[last - 1].end(), Digit)) --last;
    if (last == 0) return (head.substr(0, 1) + joined).substr(0, kLength);
    const std::string& word = part[last - 1];
    std::size_t end = word.size();
    while (!Digit(word[end - 1])) --end;
    std::size_t begin = end;
    while (begin > 0 && Digit(word[begin - 1])) --begin;
    if (end + 1 == word.size()) ++end;  // "21A", "15R"
    std::string number = word.substr(begin, end - begin);
    if (number.size() > kLength) number = number.substr(number.size() - kLength);
    std::string before = head;
    for (std::size_t k = 0; k + 1 < last; ++k) before += part[k];
    before += word.substr(0, begin);
    if (!before.empty() && !Digit(before.front())) before = LeadingLetters(before);
    return Squeeze(before, kLength - number.size()) + number;
}

// The grouped form of each member of a group: names whose first five letters
// and digits agree lose the words they all start and end with.
void ComposeGroup(std::vector<Source*>& members) {
    std::size_t shortest = SIZE_MAX;
    for (const Source* m : members) shortest = std::min(shortest, m->tokens.size());
    std::size_t shared = 0;
    std::size_t trailing = 0;
    if (members.size() > 1) {
        auto same = [&](auto at) {
            return std::all_of(members.begin(), members.end(), [&](const Source* m) {
                return at(m->tokens) == at(members[0]->tokens);
            });
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
        head = members[0]->tokens.front();
        std::size_t end = head.size();
        while (end > 0 && Digit(head[end - 1])) --end;
        if (end > 0) head.resize(end);
    }
    for (Source* m : members) {
        const std::vector<std::string> part(
            m->tokens.begin() + static_cast<std::ptrdiff_t>(shared),
            m->tokens.end() - static_cast<std::ptrdiff_t>(trailing));
        // A name that is all the group shares stands as that ("Site Base"
        // beside "Site B Base" -> "SITE"; "A(1)" beside "A[1]" -> "A1").
        m->grouped = part.empty()
                         ? Compose("", {m->tokens.begin(),
                                        m->tokens.begin() + static_cast<std::ptrdiff_t>(shared)})
                         : Compose(head, part);
        m->alone = members.size() == 1;
    }
}

// The shapes of names, most particular first; the first that fits gives the
// forms tried before the general ones.

// A callsign: prefix (up to three, one a letter), a digit, one to four suffix
// letters, perhaps marks after it ("CQ0UOAZ*", "9M4RBC", "GB3PX (Cambridge)").
std::optional<Forms> CallsignForms(const Source& n) {
    if (n.tokens.empty()) return {};
    const std::string& call = n.tokens.front();
    std::size_t suffix = call.size();
    while (suffix > 0 && Letter(call[suffix - 1])) --suffix;
    if (suffix == call.size() || call.size() - suffix > 4 || suffix < 2 ||
        !Digit(call[suffix - 1])) {
        return {};
    }
    const std::string prefix = call.substr(0, suffix - 1);
    if (prefix.size() > 3 || std::none_of(prefix.begin(), prefix.end(), Letter)) return {};
    const std::string core = call.substr(suffix - 1);
    std::string marks;
    const std::size_t at = n.spelled.find_first_of(U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    std::size_t end = at + call.size();
    for (; end < n.spelled.size() && Sign(n.spelled[end]); ++end)
        marks += static_cast<char>(n.spelled[end]);
    if (end < n.spelled.size()) marks.clear();  // only marks that end the name ("CQ0UOAZ*")
    Forms forms{call + marks, call, core + marks};
    if (!marks.empty()) forms.push_back(call.substr(suffix) + marks);
    forms.push_back(core);
    // What follows the callsign ("VK2RAG Sydney" -> "2RAGS", "DB0ABC-2" -> "0ABC2").
    const std::vector<std::string> rest(n.tokens.begin() + 1, n.tokens.end());
    if (!rest.empty()) forms.push_back((core + Joined(rest)).substr(0, kLength));
    for (std::size_t k = 1; k < prefix.size(); ++k)
        forms.push_back(prefix.substr(prefix.size() - k) + core);
    forms.push_back(call.substr(suffix));
    return forms;
}

// A numbered sub-channel: two numbers at the end with a sign between them
// ("PMR2-01", "PMR446 16.08").
std::optional<Forms> SubChannelForms(const Source& n) {
    const std::u32string& s = n.spelled;
    std::size_t i = s.size();
    while (i > 0 && Digit(s[i - 1])) --i;
    std::size_t j = i;
    while (j > 0 && !Alnum(s[j - 1])) --j;
    std::size_t k = j;
    while (k > 0 && Digit(s[k - 1])) --k;
    const std::u32string_view sign = std::u32string_view(s).substr(j, i - j);
    if (s.size() - i < 1 || s.size() - i > 3 || j - k < 1 || j - k > 2 ||
        sign.find_first_not_of(U' ') == std::u32string_view::npos) {
        return {};
    }
    const std::string a = Ascii(s.substr(k, j - k));
    const std::string b = Ascii(s.substr(i));
    const std::string letters = LeadingLetters(n.tokens.front());
    Forms forms;
    for (const std::string& numbers : {a + "-" + b, a + b}) {
        if (!letters.empty() && numbers.size() < kLength) {
            forms.push_back(Squeeze(letters, kLength - numbers.size()) + numbers);
        }
        forms.push_back(numbers);
    }
    return forms;
}

// Adding a shape is one entry; a name of no shape gets the general forms only.
constexpr std::optional<Forms> (*kShapes[])(const Source&) = {CallsignForms, SubChannelForms};

// Every form to try for a name, best first: those of its shape, then the
// grouped form and the first five characters, the name's number kept before
// a cut that drops it.
Forms FormsFor(const Source& n) {
    Forms forms;
    for (const auto shape : kShapes) {
        if (auto own = shape(n)) {
            forms = std::move(*own);
            break;
        }
    }
    // The first five characters, when they end a word and the radio shows them.
    std::u32string cut = n.spelled.substr(0, kLength);
    const bool wordEnds =
        n.spelled.size() <= kLength || !Alnum(n.spelled[kLength - 1]) || !Alnum(n.spelled[kLength]);
    while (!cut.empty() && cut.back() == U' ') cut.pop_back();
    const std::string cleanCut = wordEnds && AllShown(cut) ? Ascii(cut) : "";
    const bool hasNumber = std::any_of(n.spelled.begin(), n.spelled.end(), Digit);
    if (hasNumber) forms.push_back(n.grouped);
    forms.push_back(cleanCut);
    if (!hasNumber) forms.push_back(n.grouped);
    // The first five letters and digits are the same for the whole group.
    if (n.alone) forms.push_back(Joined(n.tokens).substr(0, kLength));

    Forms usable;
    for (const std::string& f : forms) {
        if (!f.empty() && f.size() <= kLength &&
            std::find(usable.begin(), usable.end(), f) == usable.end()) {
            usable.push_back(f);
        }
    }
    return usable;
}

// Gives each name the first of its forms that no name kept as it is holds and
// no other name wants at the same or an earlier rank: names that meet at the
// same rank all move on, so neither takes what tells the other apart. A name
// whose forms all meet others takes its first form with a counter.
std::vector<std::string> Settle(const std::vector<Forms>& forms, std::set<std::string>& taken) {
    const std::size_t n = forms.size();
    std::vector<std::size_t> rank(n, 0);
    auto live = [&](std::size_t k) { return rank[k] < forms[k].size(); };
    for (bool moved = true; moved;) {
        moved = false;
        std::map<std::string, std::vector<std::size_t>> wanted;
        for (std::size_t k = 0; k < n; ++k) {
            while (live(k) && taken.contains(forms[k][rank[k]])) ++rank[k];
            if (live(k)) wanted[forms[k][rank[k]]].push_back(k);
        }
        for (const auto& [name, who] : wanted) {
            std::size_t least = SIZE_MAX;
            for (const std::size_t k : who) least = std::min(least, rank[k]);
            const bool tie = std::all_of(who.begin(), who.end(),
                                         [&](std::size_t k) { return rank[k] == least; });
            for (const std::size_t k : who) {
                if (who.size() > 1 && (tie || rank[k] > least)) {
                    ++rank[k];
                    moved = true;
                }
            }
        }
    }
    std::vector<std::string> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        if (live(k)) taken.insert(out[k] = forms[k][rank[k]]);
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (live(k) || forms[k].empty()) continue;
        const std::string& base = forms[k].front();
        std::string name = base;
        for (int count = 1; taken.contains(name); ++count) {
            const std::string number = std::to_string(count);
            name = base.substr(0, kLength - number.size()) + number;
        }
        taken.insert(out[k] = name);
    }
    return out;
}

}  // namespace

std::string NameKey(const std::string& name) {
    std::string key = name;
    while (!key.empty() && key.back() == ' ') key.pop_back();
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

std::vector<std::string> RadioNames(const std::vector<std::string>& names,
                                    const std::set<std::string>& kept) {
    // The distinct keys in the order they first appear.
    std::vector<std::string> keys;
    std::map<std::string, std::size_t> indexOfKey;
    std::vector<std::size_t> keyOfName;
    for (const std::string& name : names) {
        const auto [it, added] = indexOfKey.emplace(NameKey(name), keys.size());
        if (added) keys.push_back(it->first);
        keyOfName.push_back(it->second);
    }

    // Names the radio shows as they are keep them; then those that only
    // needed their accents folded, where that name is free.
    std::vector<std::optional<std::string>> stored(keys.size());
    std::set<std::string> taken;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::u32string chars = Utf8Characters(keys[k]);
        if (chars.size() <= kLength && AllShown(chars)) taken.insert(*(stored[k] = keys[k]));
    }
    taken.erase("");
    taken.insert(kept.begin(), kept.end());
    std::vector<Source> sources(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (stored[k]) continue;
        std::u32string spelled = Spelled(keys[k]);
        if (spelled.size() <= kLength && AllShown(spelled) && !taken.contains(Ascii(spelled))) {
            taken.insert(*(stored[k] = Ascii(spelled)));
            continue;
        }
        spelled.erase(0, spelled.find_first_not_of(U' '));
        sources[k].tokens = Tokens(spelled);
        sources[k].spelled = std::move(spelled);
    }

    std::map<std::string, std::vector<Source*>> groups;
    std::vector<std::size_t> made;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (stored[k]) continue;
        made.push_back(k);
        groups[Joined(sources[k].tokens).substr(0, kLength)].push_back(&sources[k]);
    }
    for (auto& [cut, members] : groups) ComposeGroup(members);
    std::vector<Forms> forms;
    for (const std::size_t k : made) forms.push_back(FormsFor(sources[k]));
    const std::vector<std::string> settled = Settle(forms, taken);
    for (std::size_t m = 0; m < made.size(); ++m) stored[made[m]] = settled[m];

    std::vector<std::string> out;
    out.reserve(names.size());
    for (const std::size_t k : keyOfName) out.push_back(*stored[k]);
    return out;
}

std::vector<int> AlikeNames(const std::vector<std::string>& names) {
    std::map<std::string, int> firstOfSpelling;
    std::map<std::string, int> firstOfLetters;
    std::vector<int> alike;
    for (const std::string& name : names) {
        const int row = static_cast<int>(alike.size());
        alike.push_back(-1);
        if (!firstOfSpelling.emplace(name, row).second) continue;
        const std::string letters = Joined(Tokens(Spelled(name)));
        if (letters.empty()) continue;
        const auto [it, added] = firstOfLetters.emplace(letters, row);
        if (!added) alike.back() = it->second;
    }
    return alike;
}

}  // namespace zt
