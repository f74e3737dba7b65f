// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/latin_fold.h"

#include <vector>

namespace zt {
namespace {

// One spelling per code point from U+00C0 to U+017F, separated by blanks; "."
// for the two signs of the block (× and ÷), which stay.
constexpr char32_t kFirst = 0xC0;
constexpr std::string_view kSpellings =
    // U+00C0..U+00FF
    "A A A A A A AE C E E E E I I I I D N O O O O O . O U U U U Y TH ss "
    "a a a a a a ae c e e e e i i i i d n o o o o o . o u u u u y th y "
    // U+0100..U+017F
    "A a A a A a C c C c C c C c D d D d E e E e E e E e E e G g G g G g G g H h H h "
    "I i I i I i I i I i IJ ij J j K k k L l L l L l L l L l N n N n N n n N n "
    "O o O o O o OE oe R r R r R r S s S s S s S s T t T t T t U u U u U u U u U u U u "
    "W w Y y Y Z z Z z Z z s";

std::vector<std::string_view> Table() {
    std::vector<std::string_view> table;
    std::size_t begin = 0;
    while (begin < kSpellings.size()) {
        std::size_t end = kSpellings.find(' ', begin);
        if (end == std::string_view::npos) end = kSpellings.size();
        table.push_back(kSpellings.substr(begin, end - begin));
        begin = end + 1;
    }
    return table;
}

}  // namespace

std::u32string FoldLatin(std::u32string_view text) {
    static const std::vector<std::string_view> table = Table();
    std::u32string out;
    for (const char32_t c : text) {
        const std::size_t at = c - kFirst;
        if (c < kFirst || at >= table.size() || table[at] == ".") {
            out += c;
            continue;
        }
        for (const char letter : table[at]) out += static_cast<char32_t>(letter);
    }
    return out;
}

}  // namespace zt
