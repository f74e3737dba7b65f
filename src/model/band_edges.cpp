// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/band_edges.h"

#include <algorithm>
#include <cmath>

#include "model/app_state.h"

namespace zt {

std::array<std::uint8_t, 2> EncodeBandEdge(int mhz) {
    mhz = std::clamp(mhz, 0, 999);
    return {static_cast<std::uint8_t>((mhz % 10) * 16),
            static_cast<std::uint8_t>((mhz / 100) * 16 + (mhz % 100) / 10)};
}

int DecodeBandEdge(std::uint8_t low, std::uint8_t high) {
    return 100 * (high >> 4) + 10 * (high & 15) + (low >> 4);
}

BandEdges ReadBandEdges(const Image& image) {
    const auto& row = image[kBandEdgeRow];
    return {DecodeBandEdge(row[0], row[1]), DecodeBandEdge(row[2], row[3])};
}

void WriteBandEdges(Image& image, BandEdges edges) {
    auto& row = image[kBandEdgeRow];
    const auto low = EncodeBandEdge(edges.lowMHz);
    const auto high = EncodeBandEdge(edges.highMHz);
    row[0] = low[0];
    row[1] = low[1];
    row[2] = high[0];
    row[3] = high[1];
}

void RecomputeBandEdges(AppState& state) {
    const BandEdges edges = ReadBandEdges(state.ChannelTable);
    state.BandLowMHz = edges.lowMHz;
    state.BandHighMHz = edges.highMHz;
}

bool InBand(FreqUnits f, double lowMHz, double highMHz) {
    // The edges are whole MHz; llround only guards against a stray fraction.
    const FreqUnits low = std::llround(lowMHz * kUnitsPerMHz);
    const FreqUnits high = std::llround(highMHz * kUnitsPerMHz);
    return low <= f && f < high;
}

bool InBand(const AppState& state, FreqUnits f) {
    return InBand(f, state.BandLowMHz, state.BandHighMHz);
}

}  // namespace zt
