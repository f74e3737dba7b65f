// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio variants the program serves: a display name and the band edges in
// whole MHz of each.

#include <array>
#include <string>
#include <string_view>

#include "model/band_edges.h"
#include "model/bitext.h"

namespace zt {

struct AppState;

struct ModelEntry {
    std::string_view name;
    int lowMHz;
    int highMHz;
};

inline constexpr std::array<ModelEntry, 7> kModelCatalogue{{
    {"ZT790 C1.0 UHF", 400, 470},
    {"ZT790 C1.0 VHF", 136, 174},
    {"MV4L UHF1", 136, 175},
    {"MV4L UHF2", 244, 247},
    {"MV4L UHF3", 350, 391},
    {"MV4L UHF4", 450, 521},
    {"MV4L FULL", 100, 601},
}};

// The entry whose band edges are exactly these, or none (an image edited by
// hand, or made for a radio the program does not list).
[[nodiscard]] const ModelEntry* FindModel(BandEdges edges);
// The edges as the program's messages give them: "400-470 MHz".
[[nodiscard]] std::string BandRangeText(BandEdges edges);
// "ZT790 C1.0 UHF (400-470 MHz)", or the band alone for edges no model has.
[[nodiscard]] std::string ModelAndBandText(BandEdges edges);

// The model dialog's captions for the vice band and its receive check box
// (option block byte 7 bit 7).
inline constexpr BiText kViceBandCaption{"Vice-band", "副频段"};
inline constexpr BiText kViceBandReceiveCaption{"Receive Enabled", "接收允许"};

// Fills ModelNames and BandLimits (lower edge of entry i at i, upper at i + 7)
// and sets the edges in force from entry ModelIndex.
void BuildCatalogue(AppState& state);

// Confirms entry i (0..6) in the model dialog: ModelIndex, the edges in force and
// what the choice writes into the image (ApplyModelToImage).
void SelectModel(AppState& state, int index);

// "UHF" for entry 0, "VHF" for every other entry.
[[nodiscard]] std::string_view BandName(int index);
// The vice band of an entry: entry 1 for entry 0, entry 0 otherwise.
[[nodiscard]] int ViceBandOf(int index);

// The band as the status bar shows it: " 400-- 470 MHZ".
[[nodiscard]] std::string BandPanelText(double lowMHz, double highMHz);

}  // namespace zt
