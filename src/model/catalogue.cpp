// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue.h"

#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/number_text.h"

namespace zt {

void BuildCatalogue(AppState& state) {
    for (std::size_t i = 0; i < kModelCatalogue.size(); ++i) {
        state.ModelNames[i] = std::string(kModelCatalogue[i].name);
        state.BandLimits[i] = static_cast<std::int16_t>(kModelCatalogue[i].lowMHz);
        state.BandLimits[i + kModelCatalogue.size()] =
            static_cast<std::int16_t>(kModelCatalogue[i].highMHz);
    }
    const auto m = static_cast<std::size_t>(state.ModelIndex);
    state.BandLowMHz = state.BandLimits.at(m);
    state.BandHighMHz = state.BandLimits.at(m + kModelCatalogue.size());
}

void SelectModel(AppState& state, int index) {
    const ModelEntry& entry = kModelCatalogue.at(static_cast<std::size_t>(index));
    state.ModelIndex = static_cast<std::int16_t>(index);
    state.BandLowMHz = entry.lowMHz;
    state.BandHighMHz = entry.highMHz;
    ApplyModelToImage(state.ChannelTable, index);
}

const ModelEntry* FindModel(BandEdges edges) {
    for (const ModelEntry& m : kModelCatalogue)
        if (m.lowMHz == edges.lowMHz && m.highMHz == edges.highMHz) return &m;
    return nullptr;
}

std::string BandRangeText(BandEdges edges) {
    return std::to_string(edges.lowMHz) + "-" + std::to_string(edges.highMHz) + " MHz";
}

std::string ModelAndBandText(BandEdges edges) {
    const ModelEntry* model = FindModel(edges);
    return model ? std::string(model->name) + " (" + BandRangeText(edges) + ")"
                 : BandRangeText(edges);
}

std::string_view BandName(int index) { return index == 0 ? "UHF" : "VHF"; }

int ViceBandOf(int index) { return index == 0 ? 1 : 0; }

std::string BandPanelText(double lowMHz, double highMHz) {
    return PlainNumberText(lowMHz) + "--" + PlainNumberText(highMHz) + " MHZ";
}

}  // namespace zt
