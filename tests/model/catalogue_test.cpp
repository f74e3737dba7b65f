// SPDX-License-Identifier: GPL-3.0-or-later
// The model catalogue: every entry, its band and the edges it selects. The
// limit checks on the edges: image_test; the editors on them: channel_test and
// option_window_test.
#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/catalogue.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

const struct Entry {
    const char *name, *band;
    int vice, low, high;
    ImageRow row153;
    const char* panel;
} kEntries[] = {
    {"ZT790 C1.0 UHF", "UHF", 1, 400, 470, RowOf({0x00, 0x40, 0x00, 0x47}), " 400-- 470 MHZ"},
    {"ZT790 C1.0 VHF", "VHF", 0, 136, 174, RowOf({0x60, 0x13, 0x40, 0x17}), " 136-- 174 MHZ"},
    {"MV4L UHF1", "VHF", 0, 136, 175, RowOf({0x60, 0x13, 0x50, 0x17}), " 136-- 175 MHZ"},
    {"MV4L UHF2", "VHF", 0, 244, 247, RowOf({0x40, 0x24, 0x70, 0x24}), " 244-- 247 MHZ"},
    {"MV4L UHF3", "VHF", 0, 350, 391, RowOf({0x00, 0x35, 0x10, 0x39}), " 350-- 391 MHZ"},
    {"MV4L UHF4", "VHF", 0, 450, 521, RowOf({0x00, 0x45, 0x10, 0x52}), " 450-- 521 MHZ"},
    {"MV4L FULL", "VHF", 0, 100, 601, RowOf({0x00, 0x10, 0x10, 0x60}), " 100-- 601 MHZ"},
};

TEST(Catalogue, EveryEntryAndTheBandItSelects) {
    AppState s;
    StartUp(s);
    ASSERT_EQ(s.ModelNames.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        const auto& e = kEntries[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(s.ModelNames[i], e.name);
        EXPECT_EQ(std::tie(s.BandLimits[i], s.BandLimits[i + 7]), std::make_tuple(e.low, e.high));
        EXPECT_EQ(BandName(i), e.band);
        EXPECT_EQ(ViceBandOf(i), e.vice);
        SelectModel(s, i);
        EXPECT_EQ(std::tie(s.ModelIndex, s.BandLowMHz, s.BandHighMHz),
                  std::make_tuple(i, e.low, e.high));
        EXPECT_EQ(s.ChannelTable[153], e.row153);
        EXPECT_EQ(BandPanelText(s.BandLowMHz, s.BandHighMHz), e.panel);
        s.BandLowMHz = s.BandHighMHz = 0;
        RecomputeBandEdges(s);
        EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(e.low, e.high));
    }
    EXPECT_THROW(SelectModel(s, 7), std::out_of_range);
}

}  // namespace
}  // namespace zt
