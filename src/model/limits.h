// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working frequency limits of the radio (image row 153) and the checks of
// the frequency-mode record and every used channel against them, run after a
// change of the limits and before a write to the radio. The checks compare whole
// MHz (frequencies are truncated), with both limits inclusive.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/channel.h"
#include "model/radio_image.h"

namespace zt {

struct AppState;

// The messages of the frequency-mode and frequency-limit entries. The four limit
// messages are titled kOperatePromptCapital, all others kOperatePrompt.
inline constexpr BiText kRxFreqOutOfRange{"Over the range of RX frequency .",
                                          "接收频率超出范围 ！"};
inline constexpr BiText kOffsetOutOfRange{"Over the range of Offset frequency .",
                                          "频差频率超出范围 ！"};
inline constexpr BiText kTxFreqOutOfRange{"Over the range of TX frequency .",
                                          "发射频率超出范围 ！"};
inline constexpr BiText kLowerBelowModel{
    "frequency of lower limit can't less than the lowest of work frequency. ",
    "下限频率不可小于本机最低工作频率"};
inline constexpr BiText kLowerAboveUpper{
    "frequency of lower limit can't more than frequency of upper limit.",
    "下限频率不可大于上限频率"};
inline constexpr BiText kUpperAboveModel{
    "frequency of upper limit can't more than the highest of work frequency. ",
    "上限频率不可大于本机最高工作频率"};
inline constexpr BiText kUpperBelowLower{
    "frequency of upper limit can't less than frequency of lower limit.",
    "上限频率不可小于下限频率"};
inline constexpr BiText kVfoOutOfLimits{
    "Receiving or transmitting frequency that frequency Mode out of frequency limitation range ",
    "频率模式下的接收或发射频率超出频率限制范围"};
// "Channel 7that Receiving or transmitting frequency  out of frequency limitation range "
[[nodiscard]] BiString ChannelOutOfLimitsText(int channel);

struct LimitCheckResult {
    bool passed = true;
    int channel = 0;   // the first failing channel (1..128); 0 for the frequency-mode record
    BiString message;  // empty when passed; titled kOperatePrompt
};

// The frequency-mode record (row 0) against the limits of row 153.
[[nodiscard]] LimitCheckResult CheckVfoLimits(const Image& image);
// Every channel with any of bytes 0..3 other than 255, in order; stops at the
// first outside the limits.
[[nodiscard]] LimitCheckResult CheckChannelLimits(const Image& image);
// Both, frequency mode first: what a limit change and a write run.
[[nodiscard]] LimitCheckResult CheckLimits(const Image& image);

// One record the checks above refuse, with what they compared: its exact
// receive and transmit frequency and the limits of row 153.
struct LimitFailure {
    int record = 0;  // 0 the frequency-mode record, else the channel 1..128
    FreqUnits rx = 0;
    FreqUnits tx = 0;
    bool rxOutside = false;  // whole MHz of rx outside [low, high]
    bool txOutside = false;
    BandEdges limits;
    friend bool operator==(const LimitFailure&, const LimitFailure&) = default;
};
// Record `row` (0 or a channel) against `limits`; nothing when it passes.
[[nodiscard]] std::optional<LimitFailure> RecordLimitFailure(const Image& image, int row,
                                                             BandEdges limits);
// Every record the checks refuse, not only the first: the frequency-mode record
// first, then the channels in order, skipped as CheckChannelLimits skips them.
[[nodiscard]] std::vector<LimitFailure> LimitFailures(const Image& image);

// The whole-MHz bounds the limit entries may take for a catalogue entry: entry 1
// allows 136..174, every other entry 400..470.
struct LimitBounds {
    int lowMHz;
    int highMHz;
};
[[nodiscard]] LimitBounds LimitBoundsFor(int modelIndex);

// Stores the two limit texts into row 153: the first three characters of each
// trimmed text are the hundreds, tens and units digits (a missing or non-digit
// character counts as 0; "0400" gives 40), then the edges in force are taken
// over from the row.
void StoreLimitTexts(AppState& state, std::string_view lowText, std::string_view highText);

}  // namespace zt
