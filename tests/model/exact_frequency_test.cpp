// SPDX-License-Identifier: GPL-3.0-or-later
// Transmit frequencies on the band edges, over every catalogue entry: the limit
// checks of a write, the frequency-mode editor's transmit check and the channel
// commits against integer arithmetic done here, for a transmit frequency exactly
// on each edge and one 10 Hz step outside it, from receive frequencies spread
// over the whole band.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/app_state.h"
#include "model/channel.h"
#include "model/channel_validation.h"
#include "model/freq_mode_editor.h"
#include "model/limits.h"
#include "model/startup.h"

namespace zt {
namespace {

using Units = std::int64_t;  // 10 Hz
constexpr Units kMHz = 100000;

// The seven catalogue entries' edges, whole MHz.
struct Band {
    int low, high;
};
constexpr Band kCatalogue[] = {{400, 470}, {136, 174}, {136, 175}, {244, 247},
                               {350, 391}, {450, 521}, {100, 601}};

// Eight packed digits, least significant pair first, as the image holds them.
void Pack(Image& image, int row, int field, Units units) {
    for (int i = 0; i < 4; ++i) {
        const int pair = static_cast<int>(units % 100);
        image[static_cast<std::size_t>(row)][static_cast<std::size_t>(field + i)] =
            static_cast<std::uint8_t>(pair / 10 * 16 + pair % 10);
        units /= 100;
    }
}

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
    Pack(image, row, 0, rx);
    Pack(image, row, 4, tx > rx ? tx - rx : rx - tx);
    auto& flags = image[static_cast<std::size_t>(row)][12];
    flags = static_cast<std::uint8_t>((flags & 0x3F) | (tx > rx ? 0x40 : tx < rx ? 0x80 : 0));
}

// Receive frequencies over the band and one MHz above it (the checks compare
// whole MHz, so high.99999 is still inside), the two ends included.
std::vector<Units> ReceiveFrequencies(const Band& b, int count) {
    const Units first = b.low * kMHz;
    const Units span = (b.high + 1 - b.low) * kMHz;
    std::vector<Units> rx{first, first + span - 1};
    std::uint64_t x = 12345;
    for (int i = 0; i < count; ++i) {
        x = x * 6364136223846793005u + 1442695040888963407u;
        rx.push_back(first + static_cast<Units>((x >> 20) % static_cast<std::uint64_t>(span)));
    }
    return rx;
}

// The transmit frequencies on each edge of the limit check and one step outside.
std::vector<Units> EdgeTransmits(const Band& b) {
    return {b.low * kMHz,      b.low * kMHz - 1,        b.high * kMHz,
            b.high * kMHz - 1, (b.high + 1) * kMHz - 1, (b.high + 1) * kMHz};
}

constexpr int kReceivePerBand = 10000;  // x 6 transmits x 7 entries: 420 000 pairs

TEST(ExactFrequency, LimitChecksOfEveryCatalogueEntryOnTheEdges) {
    for (const Band& b : kCatalogue) {
        Image image{};
        for (auto& row : image) row.fill(255);
        image[153] = {static_cast<std::uint8_t>(b.low % 10 * 16),
                      static_cast<std::uint8_t>(b.low / 100 * 16 + b.low % 100 / 10),
                      static_cast<std::uint8_t>(b.high % 10 * 16),
                      static_cast<std::uint8_t>(b.high / 100 * 16 + b.high % 100 / 10)};
        image[0][12] = 0x02;
        int pairs = 0;
        for (Units rx : ReceiveFrequencies(b, kReceivePerBand)) {
            for (Units tx : EdgeTransmits(b)) {
                // Both rounded down to whole MHz, both limits inclusive.
                const bool inside = rx / kMHz >= b.low && rx / kMHz <= b.high &&
                                    tx / kMHz >= b.low && tx / kMHz <= b.high;
                PutRecord(image, 0, rx, tx);
                const int c = 1 + pairs % 128;
                PutRecord(image, c, rx, tx);
                ASSERT_EQ(CheckVfoLimits(image).passed, inside)
                    << b.low << ".." << b.high << ": " << Typed(rx) << " -> " << Typed(tx);
                ASSERT_EQ(CheckChannelLimits(image).channel, inside ? 0 : c)
                    << b.low << ".." << b.high << ": " << Typed(rx) << " -> " << Typed(tx);
                image[static_cast<std::size_t>(c)].fill(255);
                ++pairs;
            }
        }
        EXPECT_EQ(pairs, (kReceivePerBand + 2) * 6);
    }
}

// The editors test a frequency against the edges with the upper edge outside.
TEST(ExactFrequency, FrequencyModeTransmitCheckAndChannelCommitsOnTheEdges) {
    AppState state;
    StartUp(state);
    Image& image = state.ChannelTable;
    for (const Band& b : kCatalogue) {
        state.BandLowMHz = b.low;
        state.BandHighMHz = b.high;
        const Units edges[] = {b.low * kMHz, b.low * kMHz - 1, b.high * kMHz - 1, b.high * kMHz};
        for (Units rx : ReceiveFrequencies(b, kReceivePerBand / 4)) {
            if (rx >= b.high * kMHz) continue;  // the receive entry itself would be refused
            for (Units tx : edges) {
                if (tx == rx) continue;
                const bool inside = tx >= b.low * kMHz && tx < b.high * kMHz;
                const int direction = tx > rx ? 1 : 2;
                const Units offset = tx > rx ? tx - rx : rx - tx;
                const FreqEditOutcome shift =
                    CommitShiftDirection(state, direction, Typed(rx), Typed(offset));
                ASSERT_EQ(shift.prompts.empty(), inside) << Typed(rx) << " -> " << Typed(tx);
                ASSERT_EQ(shift.txText, inside ? Shortest(tx) : Typed(rx));
                ASSERT_EQ(image[0][12] >> 6, inside ? direction : 0);

                // The grid: receive on a new channel, then the transmit text.
                image[9].fill(255);
                (void)CommitRxText(state, ChannelEditor::Grid, 9, Typed(rx));
                const CommitResult r =
                    CommitTxText(state, ChannelEditor::Grid, 9, Typed(tx), Typed(rx));
                const Units stored = inside ? tx : b.low * kMHz;
                ASSERT_EQ(r.message, inside ? ChannelMessage::None : ChannelMessage::TxOutOfBand)
                    << Typed(rx) << " -> " << Typed(tx);
                ASSERT_EQ(TxText(image, 9), Typed(stored)) << Typed(rx) << " -> " << Typed(tx);
                Image expected = image;
                PutRecord(expected, 9, rx, stored);
                ASSERT_EQ(image[9], expected[9]) << Typed(rx) << " -> " << Typed(tx);
            }
        }
    }
}

}  // namespace
}  // namespace zt
