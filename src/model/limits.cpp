// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/limits.h"

#include <string>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

bool AllBytes255(const ImageRow& row) {
    return row[0] == 255 && row[1] == 255 && row[2] == 255 && row[3] == 255;
}

bool OutsideLimits(FreqUnits units, BandEdges limits) {
    const FreqUnits mhz = WholeMHz(units);
    return mhz < limits.lowMHz || mhz > limits.highMHz;
}

int Digit(std::string_view text, std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : 0;
}

}  // namespace

BiString ChannelOutOfLimitsText(int channel) {
    const std::string n = std::to_string(channel);
    return {"Channel " + n +
                "that Receiving or transmitting frequency  out of frequency limitation range ",
            "信道 " + n + " 中的接收或发射频率超出频率限制范围"};
}

// Receive and transmit frequency, each rounded down to whole MHz, inside
// [low, high]. Exact in 10 Hz units, so a transmit frequency exactly on the lower
// limit passes.
std::optional<LimitFailure> RecordLimitFailure(const Image& image, int row, BandEdges limits) {
    LimitFailure failure{row, RxUnits(image, row), TxUnits(image, row), false, false, limits};
    failure.rxOutside = OutsideLimits(failure.rx, limits);
    failure.txOutside = OutsideLimits(failure.tx, limits);
    if (!failure.rxOutside && !failure.txOutside) return std::nullopt;
    return failure;
}

std::vector<LimitFailure> LimitFailures(const Image& image) {
    const BandEdges limits = ReadBandEdges(image);
    std::vector<LimitFailure> failures;
    for (int row = kVfoRow; row <= kChannelCount; ++row) {
        if (row != kVfoRow && AllBytes255(image[static_cast<std::size_t>(row)])) continue;
        if (auto failure = RecordLimitFailure(image, row, limits)) failures.push_back(*failure);
    }
    return failures;
}

LimitCheckResult CheckVfoLimits(const Image& image) {
    LimitCheckResult result;
    if (RecordLimitFailure(image, kVfoRow, ReadBandEdges(image))) {
        result.passed = false;
        result.message = BiString(kVfoOutOfLimits);
    }
    return result;
}

LimitCheckResult CheckChannelLimits(const Image& image) {
    const BandEdges limits = ReadBandEdges(image);
    for (int c = 1; c <= kChannelCount; ++c) {
        if (AllBytes255(image[static_cast<std::size_t>(c)])) continue;
        if (RecordLimitFailure(image, c, limits)) {
            return {false, c, ChannelOutOfLimitsText(c)};
        }
    }
    return {};
}

LimitCheckResult CheckLimits(const Image& image) {
    LimitCheckResult result = CheckVfoLimits(image);
    return result.passed ? CheckChannelLimits(image) : result;
}

LimitBounds LimitBoundsFor(int modelIndex) {
    return modelIndex == 1 ? LimitBounds{136, 174} : LimitBounds{400, 470};
}

void StoreLimitTexts(AppState& state, std::string_view lowText, std::string_view highText) {
    const std::string_view low = TrimBlanks(lowText);
    const std::string_view high = TrimBlanks(highText);
    auto& row = state.ChannelTable[kBandEdgeRow];
    row[0] = static_cast<std::uint8_t>(16 * Digit(low, 2));
    row[1] = static_cast<std::uint8_t>(16 * Digit(low, 0) + Digit(low, 1));
    row[2] = static_cast<std::uint8_t>(16 * Digit(high, 2));
    row[3] = static_cast<std::uint8_t>(16 * Digit(high, 0) + Digit(high, 1));
    RecomputeBandEdges(state);
}

}  // namespace zt
