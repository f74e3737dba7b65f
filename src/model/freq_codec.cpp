// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/freq_codec.h"

#include <algorithm>

#include "model/number_text.h"

namespace zt {

namespace {

std::uint8_t Pack(int high, int low) { return static_cast<std::uint8_t>(16 * high + low); }

int Hi(std::uint8_t b) { return b >> 4; }
int Lo(std::uint8_t b) { return b & 15; }

std::string PadTo(std::string text, std::size_t length) {
    if (text.size() < length) text.append(length - text.size(), '0');
    return text;
}

constexpr std::size_t kDecimals = 5;  // 10 Hz is the fifth decimal of a MHz
// Whole MHz beyond this are kept at it: far outside every band, and far from
// overflowing once scaled to 10 Hz units.
constexpr FreqUnits kWholeMHzCap = 1000000000;

}  // namespace

FreqUnits TextToUnits(std::string_view text) {
    // The number LeadingNumber reads, taken digit by digit.
    const LeadingDigits digits = ScanLeadingNumber(text);
    FreqUnits whole = 0;
    for (const char c : digits.whole) whole = std::min(kWholeMHzCap, whole * 10 + (c - '0'));
    FreqUnits fraction = 0;
    for (std::size_t k = 0; k < kDecimals; ++k) {
        // Digits below 10 Hz are cut off.
        fraction = fraction * 10 + (k < digits.fraction.size() ? digits.fraction[k] - '0' : 0);
    }
    const FreqUnits units = whole * kUnitsPerMHz + fraction;
    return digits.negative ? -units : units;
}

std::string UnitsText(FreqUnits units) {
    if (units == 0) return "0";
    std::string text = units < 0 ? "-" : "";
    const FreqUnits magnitude = units < 0 ? -units : units;
    const FreqUnits whole = magnitude / kUnitsPerMHz;
    if (whole != 0) text += std::to_string(whole);
    std::string fraction = std::to_string(magnitude % kUnitsPerMHz);
    fraction.insert(0, kDecimals - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

std::string MHzText(FreqUnits units) {
    const FreqUnits magnitude = units < 0 ? -units : units;
    std::string fraction = std::to_string(magnitude % kUnitsPerMHz);
    fraction.insert(0, kDecimals - fraction.size(), '0');
    return (units < 0 ? "-" : "") + std::to_string(magnitude / kUnitsPerMHz) + "." + fraction;
}

BcdFreq TextToBcd(std::string_view text) { return UnitsToBcd(TextToUnits(text)); }

std::string BcdToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    FreqUnits units = 0;
    for (const std::uint8_t b : {b3, b2, b1, b0}) units = units * 100 + 10 * Hi(b) + Lo(b);
    std::string text = UnitsText(units);
    if (units != 0 && text.find('.') == std::string::npos) text += '.';  // 462.
    if (text.size() >= 9) return text;
    if (units == 0) return "0.00000";
    if (units < 1 * kUnitsPerMHz) return PadTo("0" + text, 7);
    if (units < 10 * kUnitsPerMHz) return PadTo(text, 7);
    if (units < 100 * kUnitsPerMHz) return PadTo(text, 8);
    if (units < 1000 * kUnitsPerMHz) return PadTo(text, 9);
    return text;
}

std::string BcdToText(const Image& image, int row, int field) {
    const auto& r = image.at(static_cast<std::size_t>(row));
    const auto f = static_cast<std::size_t>(field);
    return BcdToText(r.at(f), r.at(f + 1), r.at(f + 2), r.at(f + 3));
}

FreqUnits BcdToUnits(const Image& image, int row, int field) {
    const auto& r = image.at(static_cast<std::size_t>(row));
    FreqUnits units = 0;
    for (int i = 3; i >= 0; --i) {
        const std::uint8_t b = r.at(static_cast<std::size_t>(field + i));
        units = units * 100 + 10 * Hi(b) + Lo(b);
    }
    return units;
}

BcdFreq UnitsToBcd(FreqUnits units) {
    units = std::clamp<FreqUnits>(units, 0, 99999999);
    BcdFreq bcd{};
    for (int i = 3; i >= 0; --i) {
        const auto pair = static_cast<int>(units % 100);
        bcd[static_cast<std::size_t>(i)] = Pack(pair / 10, pair % 10);
        units /= 100;
    }
    return bcd;
}

std::string PadFreqText(std::string_view text) {
    std::string padded(TrimBlanks(text));
    if (!padded.empty() && padded.size() <= 3) padded += '.';
    return PadTo(std::move(padded), 9);
}

void StoreBcd(Image& image, int row, int field, const BcdFreq& bcd) {
    auto& r = image.at(static_cast<std::size_t>(row));
    const auto f = static_cast<std::size_t>(field);
    r.at(f) = bcd[3];
    r.at(f + 1) = bcd[2];
    r.at(f + 2) = bcd[1];
    r.at(f + 3) = bcd[0];
}

std::string StoreFreqText(Image& image, std::string_view text, int row, int field) {
    std::string padded = PadFreqText(text);
    StoreBcd(image, row, field, TextToBcd(padded));
    return padded;
}

std::string FmPresetText(int n) {
    const double value = 87 + 0.1 * n;
    std::string text = ShortestNumberText(value);
    if (text.size() >= 9) return text;
    if (text.size() == 2 || text.size() == 3) text += '.';
    return PadTo(std::move(text), value < 100 ? 4 : 5);
}

}  // namespace zt
