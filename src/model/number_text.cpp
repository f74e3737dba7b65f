// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale>
#include <sstream>

namespace zt {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

LeadingDigits ScanLeadingNumber(std::string_view text) {
    LeadingDigits number;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    const std::size_t whole = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    number.whole = text.substr(whole, i - whole);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        number.fraction = text.substr(fraction, i - fraction);
    }
    return number;
}

double LeadingNumber(std::string_view text) {
    const LeadingDigits digits = ScanLeadingNumber(text);
    if (digits.whole.empty() && digits.fraction.empty()) return 0.0;
    std::string number = digits.whole.empty() ? "0" : std::string(digits.whole);
    if (!digits.fraction.empty()) number += "." + std::string(digits.fraction);
    // A stream in the classic locale reads the point whatever locale the program
    // runs in, and rounds correctly with every standard library we build with
    // (the WebAssembly one has no from_chars for double).
    std::istringstream in(number);
    in.imbue(std::locale::classic());
    double value = 0.0;
    in >> value;
    if (in.fail() && value == std::numeric_limits<double>::max()) {
        value = std::numeric_limits<double>::infinity();
    }
    return digits.negative ? -value : value;
}

std::string ShortestNumberText(double value) {
    if (value == 0.0) return "0";
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");

    // Round to 15 significant digits the way printf does, then lay the digits out
    // in fixed notation.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p) {
        if (IsDigit(*p)) digits.push_back(*p);
    }
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            whole = digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            whole = digits.substr(0, wholeDigits);
            fraction = digits.substr(wholeDigits);
        }
    } else {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    std::string text = value < 0 ? "-" : "";
    text += whole;
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

std::string PlainNumberText(double value) {
    const std::string text = ShortestNumberText(value);
    return value < 0 ? text : " " + text;
}

}  // namespace zt
