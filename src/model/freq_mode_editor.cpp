// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/freq_mode_editor.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/channel.h"
#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/limits.h"
#include "model/number_text.h"
#include "model/options.h"
#include "model/tone_codec.h"

namespace zt {

namespace {

constexpr int kVfoRxByte = 0;
constexpr int kVfoOffsetByte = 4;
constexpr int kVfoDecodeByte = 8;
constexpr int kVfoEncodeByte = 10;
constexpr int kDirectionCount = 3;              // Off, Plus, Minus
constexpr FreqUnits kOffsetTypedMax = 7000000;  // 70 MHz, per keystroke
constexpr FreqUnits kOffsetLeftMax = 6998750;   // 69.9875 MHz, when the box is left
constexpr int kRxMaxChars = 9;
constexpr int kOffsetMaxChars = 8;

bool IsDigit(char32_t key) { return key >= U'0' && key <= U'9'; }

Prompt RangePrompt(const BiText& text) { return MakePrompt(text, kOperatePrompt); }
Prompt LimitPrompt(const BiText& text) { return MakePrompt(text, kOperatePromptCapital); }

// The TX frequency for a direction, or nothing when the TX would leave the band.
// Direction 0 is the receive frequency itself and needs no check.
std::optional<FreqUnits> TxInBand(const AppState& state, std::string_view rxText, FreqUnits offset,
                                  int direction) {
    const FreqUnits tx = TxOf(TextToUnits(rxText), offset, direction);
    if (direction != 0 && !InBand(state, tx)) return std::nullopt;
    return tx;
}

void StoreOffsetText(Image& image, std::string_view text) {
    StoreBcd(image, kVfoRow, kVfoOffsetByte, TextToBcd(text));
}

void ClearOffset(Image& image) {
    for (int b = kVfoOffsetByte; b < kVfoOffsetByte + 4; ++b) image[kVfoRow][b] = 255;
}

// The TX part shared by a keystroke and the leaving of the offset box: a TX
// outside the band gives the message and returns the direction to none.
void ApplyOffsetToTx(AppState& state, FreqEditOutcome& out, std::string_view rxText, FreqUnits off,
                     int direction) {
    if (const auto tx = TxInBand(state, rxText, off, direction)) {
        out.txText = UnitsText(*tx);
        return;
    }
    out.prompts.push_back(RangePrompt(kTxFreqOutOfRange));
    out.txText = std::string(rxText);
    out.direction = 0;
    WriteField(state.ChannelTable, kVfoDuplex, 0);
}

std::optional<bool> InvertedIndicator(std::optional<int> position) {
    if (!position) return std::nullopt;
    return *position > kToneDcsNEnd;
}

FreqEditOutcome RxRefused() {
    FreqEditOutcome out;
    out.prompts.push_back(RangePrompt(kRxFreqOutOfRange));
    out.clearBox = true;
    out.refocus = true;
    return out;
}

FreqEditOutcome OffsetRefused() {
    FreqEditOutcome out;
    out.prompts.push_back(RangePrompt(kOffsetOutOfRange));
    out.clearBox = true;
    out.refocus = true;
    return out;
}

}  // namespace

VfoView RefreshVfo(AppState& state, std::vector<Prompt>& prompts) {
    Image& image = state.ChannelTable;
    VfoView v;
    v.rxText = BcdToText(image, kVfoRow, kVfoRxByte);
    v.offsetText = BcdToText(image, kVfoRow, kVfoOffsetByte);

    // Showing the stored direction checks its TX frequency as choosing it would:
    // one outside the band returns the direction to none, with the message.
    // Otherwise the byte stays as it is, also a 3 that shows as the last item.
    v.direction = ShownPosition(ReadField(image, kVfoDuplex), kDirectionCount);
    v.txText = v.rxText;
    if (v.direction != 0) {
        FreqEditOutcome shift;
        ApplyOffsetToTx(state, shift, v.rxText, TextToUnits(v.offsetText), v.direction);
        prompts.insert(prompts.end(), shift.prompts.begin(), shift.prompts.end());
        v.direction = shift.direction.value_or(v.direction);
        v.txText = shift.txText.value_or(v.rxText);
    }

    const auto& row = image[kVfoRow];
    v.decode = BytesToTone(row[kVfoDecodeByte], row[kVfoDecodeByte + 1]);
    v.encode = BytesToTone(row[kVfoEncodeByte], row[kVfoEncodeByte + 1]);
    v.decodeInverted = InvertedIndicator(v.decode);
    v.encodeInverted = InvertedIndicator(v.encode);
    return v;
}

bool RxKeyAccepted(std::string_view currentText, char32_t key) {
    if (key == U'.') return !currentText.empty();
    if (key == kKeyBackspace) return true;
    if (!IsDigit(key)) return false;
    return CharCount(TrimBlanks(currentText)) <= 8;
}

FreqEditOutcome RxTextChanged(std::string_view text) {
    if (CharCount(text) > kRxMaxChars) return RxRefused();
    return {};
}

FreqEditOutcome RxFocusLost(AppState& state, std::string_view text) {
    if (CharCount(text) > kRxMaxChars) return RxRefused();
    const FreqUnits rx = TextToUnits(text);
    if (!InBand(state, rx)) return RxRefused();
    Image& image = state.ChannelTable;
    FreqEditOutcome out;
    // Passing through the box without changing the frequency keeps the shift.
    if (RxUnits(image, kVfoRow) == rx) return out;
    WriteField(image, kVfoDuplex, 0);
    out.direction = 0;
    out.txText = std::string(text);
    StoreBcd(image, kVfoRow, kVfoRxByte, UnitsToBcd(rx));
    out.refresh = true;
    return out;
}

bool OffsetKeyAccepted(std::string_view currentText, char32_t key) {
    if (key == kKeyBackspace || key == kKeyEnter) return true;
    if (key == U'.') return !currentText.empty() && currentText.find('.') == std::string_view::npos;
    if (!IsDigit(key)) return false;
    return CharCount(TrimBlanks(currentText)) <= 7;
}

FreqEditOutcome OffsetTextChanged(AppState& state, std::string_view text, std::string_view rxText,
                                  int direction) {
    FreqEditOutcome out;
    const FreqUnits off = TextToUnits(text);
    if (off >= kOffsetTypedMax) {
        out.prompts.push_back(RangePrompt(kOffsetOutOfRange));
        out.clearBox = true;
        return out;
    }
    if (direction == 0) return out;
    if (TrimBlanks(text).empty()) {
        ClearOffset(state.ChannelTable);
        return out;
    }
    ApplyOffsetToTx(state, out, rxText, off, direction);
    StoreOffsetText(state.ChannelTable, text);
    return out;
}

FreqEditOutcome OffsetFocusLost(AppState& state, std::string_view text, std::string_view rxText,
                                int direction) {
    if (CharCount(text) >= kOffsetMaxChars + 1) return OffsetRefused();
    const FreqUnits off = TextToUnits(text);
    if (off >= kOffsetLeftMax) return OffsetRefused();
    FreqEditOutcome out;
    if (direction != 0) ApplyOffsetToTx(state, out, rxText, off, direction);
    StoreOffsetText(state.ChannelTable, text);
    out.refresh = true;
    return out;
}

FreqEditOutcome CommitShiftDirection(AppState& state, int direction, std::string_view rxText,
                                     std::string_view offsetText) {
    FreqEditOutcome out;
    direction = std::clamp(direction, 0, kDirectionCount - 1);
    WriteField(state.ChannelTable, kVfoDuplex, direction);
    out.direction = direction;
    out.txText = std::string(rxText);
    if (direction != 0) ApplyOffsetToTx(state, out, rxText, TextToUnits(offsetText), direction);
    out.refresh = true;
    return out;
}

bool CommitVfoTone(Image& image, bool decode, int position) {
    const TonePair pair = ToneToBytes(position);
    const int byte = decode ? kVfoDecodeByte : kVfoEncodeByte;
    image[kVfoRow][byte] = pair.type;
    image[kVfoRow][byte + 1] = pair.index;
    return pair.type == kToneDcsInverted;
}

bool LimitKeyAccepted(char32_t key) {
    return IsDigit(key) || key == U'.' || key == kKeyBackspace || key == kKeyEnter;
}

FreqEditOutcome LowerLimitEntry(AppState& state, std::string_view lowerText,
                                std::string_view upperText) {
    FreqEditOutcome out;
    const double lo = LeadingNumber(lowerText);
    const double hi = LeadingNumber(upperText);
    const LimitBounds bounds = LimitBoundsFor(state.ModelIndex);
    std::string lower(lowerText);
    if (lo < bounds.lowMHz) {
        out.prompts.push_back(LimitPrompt(kLowerBelowModel));
        lower = std::to_string(bounds.lowMHz);
    } else if (hi < lo) {
        out.prompts.push_back(LimitPrompt(kLowerAboveUpper));
        lower = std::string(upperText);
    }
    if (!out.prompts.empty()) {
        out.boxText = lower;
        out.refocus = true;
    }
    StoreLimitTexts(state, lower, upperText);
    return out;
}

FreqEditOutcome UpperLimitEntry(AppState& state, std::string_view lowerText,
                                std::string_view upperText) {
    FreqEditOutcome out;
    const double lo = LeadingNumber(lowerText);
    const double hi = LeadingNumber(upperText);
    const LimitBounds bounds = LimitBoundsFor(state.ModelIndex);
    std::string upper(upperText);
    if (hi > bounds.highMHz) {
        out.prompts.push_back(LimitPrompt(kUpperAboveModel));
        upper = std::to_string(bounds.highMHz);
    } else if (lo > hi) {
        out.prompts.push_back(LimitPrompt(kUpperBelowLower));
        upper = std::string(lowerText);
    }
    if (!out.prompts.empty()) {
        out.boxText = upper;
        out.refocus = true;
    }
    StoreLimitTexts(state, lowerText, upper);
    return out;
}

std::string LowerLimitText(const Image& image) {
    return std::to_string(ReadBandEdges(image).lowMHz);
}

std::string UpperLimitText(const Image& image) {
    return std::to_string(ReadBandEdges(image).highMHz);
}

}  // namespace zt
