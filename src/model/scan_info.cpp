// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/scan_info.h"

#include <algorithm>
#include <cmath>

#include "model/editor_text.h"
#include "model/number_text.h"

namespace zt {

namespace {

ImageRow& Record(Image& image) { return image[kScanRecordRow]; }
const ImageRow& Record(const Image& image) { return image[kScanRecordRow]; }

PriorityMode ModeOf(const Image& image) {
    const int b = Record(image)[kScanPriorityModeByte];
    return static_cast<PriorityMode>(std::min(b, static_cast<int>(PriorityMode::Selected)));
}

int RevertByteOffset(PriorityMode mode) { return mode == PriorityMode::Selected ? 2 : 0; }

int LookBackPosition(int byte) {
    int v = byte;
    if (v > kScanLookBackItems) v = kScanLookBackItems - 1;
    if (v > 0) v = v - 1;
    return v;
}

int RevertPosition(const Image& image, PriorityMode mode) {
    int v = Record(image)[kScanRevertByte];
    if (mode == PriorityMode::Selected && v > 1) v -= 2;
    const int last = static_cast<int>(RevertChoicesFor(mode).size()) - 1;
    return std::min(v, last);
}

}  // namespace

std::vector<std::string> LookBackTexts() {
    std::vector<std::string> texts;
    for (int p = 0; p < kScanLookBackItems; ++p) {
        const int v = 50 + 5 * p;  // hundredths of a second
        std::string s = ShortestNumberText(v / 100.0);
        if (s.size() == 1) s += ".00";
        if (s.size() == 2) s += "0";
        if (v > 100 && s.size() == 3) s += "0";
        if (v < 100) s += "0";
        texts.push_back(s);
    }
    return texts;
}

std::vector<std::string> ScanSecondsTexts() {
    std::vector<std::string> texts;
    for (int s = 0; s <= kScanMaxSeconds; ++s) texts.push_back(std::to_string(s));
    return texts;
}

std::vector<int> RevertChoicesFor(PriorityMode mode) {
    switch (mode) {
        case PriorityMode::None:
            return {0, 1};
        case PriorityMode::Fixed:
            return {0, 1, 2, 3};
        case PriorityMode::Selected:
            return {2, 3};
    }
    return {0, 1};
}

ScanView RefreshScan(const Image& image) {
    const auto& r = Record(image);
    ScanView v;
    v.mode = ModeOf(image);
    const int channel = r[kScanPriorityChannelByte];
    if (channel >= kScanFirstPriorityChannel && channel <= kScanLastPriorityChannel)
        v.priorityChannel = std::to_string(channel);
    v.lookBackA = LookBackPosition(r[kScanLookBackAByte]);
    v.lookBackB = LookBackPosition(r[kScanLookBackBByte]);
    v.revertChoices = RevertChoicesFor(v.mode);
    v.revert = RevertPosition(image, v.mode);
    v.dropout = std::min(r[kScanDropoutByte + 1] * 256 + r[kScanDropoutByte], kScanMaxSeconds);
    v.txDwell = std::min(r[kScanTxDwellByte + 1] * 256 + r[kScanTxDwellByte], kScanMaxSeconds);
    v.priorityChannelEnabled = v.mode == PriorityMode::Fixed;
    v.lookBackEnabled = v.mode != PriorityMode::None;
    if (!v.priorityChannelEnabled) v.priorityChannel.clear();
    return v;
}

void CommitPriorityMode(Image& image, int position) {
    position = std::clamp(position, 0, static_cast<int>(PriorityMode::Selected));
    Record(image)[kScanPriorityModeByte] = static_cast<std::uint8_t>(position);
    // The revert list is rebuilt for the new mode; the choice it then shows is
    // what the radio gets, so the byte never names a choice the mode lacks.
    const PriorityMode mode = ModeOf(image);
    Record(image)[kScanRevertByte] =
        static_cast<std::uint8_t>(RevertPosition(image, mode) + RevertByteOffset(mode));
}

void CommitLookBack(Image& image, int byte, int position) {
    position = std::clamp(position, 0, kScanLookBackItems - 1);
    Record(image)[byte] = static_cast<std::uint8_t>(position == 0 ? 0 : position + 1);
}

void CommitRevert(Image& image, int position) {
    const PriorityMode mode = ModeOf(image);
    const int last = static_cast<int>(RevertChoicesFor(mode).size()) - 1;
    position = std::clamp(position, 0, last);
    Record(image)[kScanRevertByte] = static_cast<std::uint8_t>(position + RevertByteOffset(mode));
}

void CommitScanSeconds(Image& image, int lowByte, int seconds) {
    seconds = std::clamp(seconds, 0, kScanMaxSeconds);
    Record(image)[lowByte] = static_cast<std::uint8_t>(seconds % 256);
    Record(image)[lowByte + 1] = static_cast<std::uint8_t>(seconds / 256);
}

std::optional<Prompt> CommitPriorityChannel(Image& image, std::string_view text) {
    if (ModeOf(image) != PriorityMode::Fixed) return std::nullopt;
    const double n = std::nearbyint(LeadingNumber(text));
    if (n < kScanFirstPriorityChannel || n > kScanLastPriorityChannel)
        return MakePrompt(kPriorityChannelRange);
    Record(image)[kScanPriorityChannelByte] = static_cast<std::uint8_t>(n);
    return std::nullopt;
}

bool PriorityChannelKeyAccepted(std::string_view currentText, char32_t key) {
    if (key < U'0' || key > U'9') return false;
    return TrimBlanks(currentText).size() < 2;
}

}  // namespace zt
