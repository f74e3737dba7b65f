// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fm_presets.h"

#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

constexpr double kFmLowMHz = 87.0;
constexpr double kFmHighMHz = 108.0;

bool InFmBand(double f) { return f >= kFmLowMHz && f <= kFmHighMHz; }

// The leading number of a text in tenths of a MHz, cut (never rounded) after the
// first decimal, read from the digits themselves so no binary fraction can turn
// 87.3 into 87.29999. Only called for texts whose value lies in the FM band.
int TenthsOf(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int whole = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        whole = whole * 10 + (text[i] - '0');
    int tenth = 0;
    if (i < text.size() && text[i] == '.' && i + 1 < text.size() && text[i + 1] >= '0' &&
        text[i + 1] <= '9')
        tenth = text[i + 1] - '0';
    return whole * 10 + tenth;
}

}  // namespace

std::array<std::string, 2> FmGridHeaders(bool languageChinese) {
    const std::string_view format = kFmCaptions.gridFormat.in(languageChinese);
    const auto bar = format.find('|');
    auto header = [](std::string_view part) {
        if (!part.empty() && part.front() == '^') part.remove_prefix(1);
        return std::string(part);
    };
    return {header(format.substr(0, bar)), header(format.substr(bar + 1))};
}

std::uint8_t FmPresetByte(const Image& image, int preset) {
    if (preset < kFmPresetsInFirstRow) return image[kFmFirstRow][preset];
    return image[kFmFirstRow + 1][preset - kFmPresetsInFirstRow];
}

void SetFmPresetByte(Image& image, int preset, std::uint8_t value) {
    if (preset < kFmPresetsInFirstRow)
        image[kFmFirstRow][preset] = value;
    else
        image[kFmFirstRow + 1][preset - kFmPresetsInFirstRow] = value;
}

std::string FmCellText(std::uint8_t value) {
    if (value > kFmLastStep) return {};
    return FmPresetText(value);
}

std::array<std::string, kFmPresetCount> FmGridTexts(const Image& image) {
    std::array<std::string, kFmPresetCount> texts;
    for (int k = 0; k < kFmPresetCount; ++k) texts[k] = FmCellText(FmPresetByte(image, k));
    return texts;
}

std::uint8_t FmStepOfText(std::string_view cellText) {
    const std::string_view text = TrimBlanks(cellText);
    if (text.empty()) return kFmEmpty;
    if (!InFmBand(LeadingNumber(text))) return kFmEmpty;
    return static_cast<std::uint8_t>(TenthsOf(text) - 870);
}

void StoreFmPreset(Image& image, int preset, std::string_view cellText) {
    SetFmPresetByte(image, preset, FmStepOfText(cellText));
}

void StoreFmPresets(Image& image, const std::array<std::string, kFmPresetCount>& cellTexts) {
    for (int k = 0; k < kFmPresetCount; ++k) StoreFmPreset(image, k, cellTexts[k]);
}

bool FmEditTooLong(std::string_view editText) { return CharCount(editText) > kFmEditMaxChars; }

FmCommit CommitFmEdit(std::string_view editText) {
    const double f = LeadingNumber(editText);
    if (!InFmBand(f)) {
        if (TrimBlanks(editText).empty()) return {};
        return {"87", MakePrompt(kFmOutOfRange)};
    }
    std::string text(editText);
    if (text.size() == 2 || text.size() == 3) {
        // "88" and "100" read as whole MHz; a typed "88." only needs its zero.
        text += text.back() == '.' ? "0" : ".0";
    }
    return {text, std::nullopt};
}

}  // namespace zt
