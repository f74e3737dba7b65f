#include "model/editor_text.h"

#include <charconv>

namespace zt::edit {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    auto isDigit = [&](std::size_t k) {
        return k < text.size() && text[k] >= '0' && text[k] <= '9';
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (isDigit(i)) ++i, digits = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, digits = true;
    }
    if (!digits) return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (isDigit(k)) {
            while (isDigit(k)) ++k;
            end = k;
        }
    }
    std::size_t from = start;
    if (text[from] == '+') ++from;  // from_chars takes no plus sign
    double value = 0.0;
    // from_chars reads the point whatever the process locale says.
    std::from_chars(text.data() + from, text.data() + end, value);
    return value;
}

int CharCount(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::string ShortestNumberText(double value) {
    char buf[64];
    // Fifteen significant digits are what the display rules promise; that hides
    // the binary noise of sums such as 469.9 + 0.1.
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

}  // namespace zt::edit
