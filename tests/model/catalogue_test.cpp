// SPDX-License-Identifier: GPL-3.0-or-later
// The model catalogue, and transmit frequencies exactly on each entry's edges
// and one 10 Hz step outside, against integer arithmetic done here.
#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/catalogue.h"
#include "model/channel.h"
#include "model/channel_validation.h"
#include "model/freq_codec.h"
#include "model/freq_mode_editor.h"
#include "model/limits.h"
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

using Units = std::int64_t;  // 10 Hz
constexpr Units kMHz = 100000;

// A frequency as the user types it: 33409707 -> "334.09707".
std::string Typed(Units u) {
    std::string fraction = std::to_string(u % kMHz);
    return std::to_string(u / kMHz) + "." + std::string(5 - fraction.size(), '0') + fraction;
}

// The shortest form of the same, as the frequency-mode window shows a TX.
std::string Shortest(Units u) {
    std::string t = Typed(u);
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t;
}

// Receive frequency, then offset and direction (byte 12 bits 6..7) for a TX.
void PutRecord(Image& image, int row, Units rx, Units tx) {
    StoreBcd(image, row, 0, UnitsToBcd(rx));
    StoreBcd(image, row, 4, UnitsToBcd(tx > rx ? tx - rx : rx - tx));
    auto& flags = image[static_cast<std::size_t>(row)][12];
    flags = static_cast<std::uint8_t>((flags & 0x3F) | (tx > rx ? 0x40 : tx < rx ? 0x80 : 0));
}

// Receive frequencies over the band and one MHz above it (the checks compare
// whole MHz, so high.99999 is still inside), the two ends included.
std::vector<Units> ReceiveFrequencies(const Entry& e, int count) {
    const Units first = e.low * kMHz;
    const Units span = (e.high + 1 - e.low) * kMHz;
    std::vector<Units> rx{first, first + span - 1};
    std::uint64_t x = 12345;
    for (int i = 0; i < count; ++i) {
        x = x * 6364136223846793005u + 1442695040888963407u;
        rx.push_back(first + static_cast<Units>((x >> 20) % static_cast<std::uint64_t>(span)));
    }
    return rx;
}

constexpr int kReceivePerBand = 10000;  // x 6 transmits x 7 entries: 420 000 pairs

// The limit checks of a write compare whole MHz with both limits inclusive; the
// editors (frequency-mode shift, grid transmit commit) keep the upper edge
// outside. The editors run on the first quarter of the receive frequencies.
TEST(ExactFrequency, LimitChecksAndEditorsOfEveryCatalogueEntryOnTheEdges) {
    AppState s;
    StartUp(s);
    Image& image = s.ChannelTable;
    for (int i = 0; i < 7; ++i) {
        const Entry& e = kEntries[i];
        SelectModel(s, i);
        const std::vector<Units> receive = ReceiveFrequencies(e, kReceivePerBand);
        int pairs = 0;
        for (std::size_t k = 0; k < receive.size(); ++k) {
            const Units rx = receive[k];
            for (Units tx : {e.low * kMHz, e.low * kMHz - 1, e.high * kMHz, e.high * kMHz - 1,
                             (e.high + 1) * kMHz - 1, (e.high + 1) * kMHz}) {
                const auto pair = [&] { return e.name + (": " + Typed(rx)) + " -> " + Typed(tx); };
                const bool inside = rx / kMHz >= e.low && rx / kMHz <= e.high &&
                                    tx / kMHz >= e.low && tx / kMHz <= e.high;
                PutRecord(image, 0, rx, tx);
                const int c = 1 + pairs++ % 128;
                PutRecord(image, c, rx, tx);
                ASSERT_EQ(CheckVfoLimits(image).passed, inside) << pair();
                ASSERT_EQ(CheckChannelLimits(image).channel, inside ? 0 : c) << pair();
                image[static_cast<std::size_t>(c)].fill(255);

                if (k >= 2 + kReceivePerBand / 4 || rx >= e.high * kMHz || tx == rx ||
                    tx > e.high * kMHz)
                    continue;  // a receive entry on or above the upper edge is refused itself
                const bool inBand = tx >= e.low * kMHz && tx < e.high * kMHz;
                const int direction = tx > rx ? 1 : 2;
                const FreqEditOutcome shift = CommitShiftDirection(
                    s, direction, Typed(rx), Typed(tx > rx ? tx - rx : rx - tx));
                ASSERT_EQ(shift.prompts.empty(), inBand) << pair();
                ASSERT_EQ(shift.txText, inBand ? Shortest(tx) : Typed(rx)) << pair();
                ASSERT_EQ(image[0][12] >> 6, inBand ? direction : 0) << pair();
                // The grid: receive on a new channel, then the transmit text.
                (void)CommitRxText(s, ChannelEditor::Grid, 9, Typed(rx));
                const CommitResult r =
                    CommitTxText(s, ChannelEditor::Grid, 9, Typed(tx), Typed(rx));
                const Units stored = inBand ? tx : e.low * kMHz;
                ASSERT_EQ(r.message, inBand ? ChannelMessage::None : ChannelMessage::TxOutOfBand)
                    << pair();
                ASSERT_EQ(TxText(image, 9), Typed(stored)) << pair();
                Image expected = image;
                PutRecord(expected, 9, rx, stored);
                ASSERT_EQ(image[9], expected[9]) << pair();
                image[9].fill(255);
            }
        }
        EXPECT_EQ(pairs, (kReceivePerBand + 2) * 6);
    }
}

}  // namespace
}  // namespace zt
