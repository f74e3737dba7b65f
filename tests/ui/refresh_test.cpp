// SPDX-License-Identifier: GPL-3.0-or-later
// Every editor window opened, shown again as on reactivation, passed through
// without typing and closed, on twenty random images each: afterwards
// the image differs from the one before only by the writes the window's refresh
// is meant to make (the optional features' rules themselves: the model tests).
#include <QLineEdit>
#include <QTableWidget>
#include <random>

#include "model/blank_image.h"
#include "ui/window_support.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;
constexpr int kImagesPerWindow = 20;

std::uint8_t Packed(int pair) { return static_cast<std::uint8_t>(pair / 10 * 16 + pair % 10); }

// 10 Hz units into four image bytes, least significant pair first.
void Pack(ImageRow& row, int field, std::int64_t units) {
    for (int i = 0; i < 4; ++i, units /= 100)
        row[static_cast<std::size_t>(field + i)] = Packed(static_cast<int>(units % 100));
}

// Random bytes everywhere, with the records the windows read shaped often
// enough into what a radio holds: empty and used channels, band edges, a
// frequency-mode record near the band, digits and characters in row 209.
Image RandomImage(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Image image;
    for (auto& row : image)
        for (auto& b : row) b = static_cast<std::uint8_t>(pick(256));
    for (int c = 1; c <= 128; ++c) {
        ImageRow& row = image[static_cast<std::size_t>(c)];
        const int kind = pick(4);
        if (kind == 0) row[0] = 255;
        if (kind == 1) Pack(row, 0, 10000000 + pick(60000000));
        if (kind == 1 && pick(2)) Pack(row, 4, pick(2000000));
    }
    if (pick(4) != 0) {
        const int low = 100 + pick(500);
        const int high = low + 1 + pick(100);
        image[153][0] = static_cast<std::uint8_t>(low % 10 * 16 + pick(2) * pick(16));
        image[153][1] = Packed(low / 10);
        image[153][2] = static_cast<std::uint8_t>(high % 10 * 16);
        image[153][3] = Packed(high / 10);
        if (pick(4) != 0)
            Pack(image[0], 0, (low - 5 + pick(high - low + 10)) * 100000LL + pick(100000));
        if (pick(4) != 0) Pack(image[0], 4, pick(7000000));
    }
    for (int b = 0; b < 9; ++b) {
        const int pools[] = {pick(10), 11, pick(41), 72, 255, pick(256)};
        image[209][static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(pools[pick(6)]);
    }
    return image;
}

// The channel grid shows an empty channel (byte 0 = 255) by emptying its record.
void GridRefreshWrites(Image& image) {
    for (int c = 1; c <= 128; ++c)
        if (image[c][0] == 255) image[c].fill(255);
}

// The channel dialog shows an empty current channel by emptying its record and
// its name.
void DialogRefreshWrites(Image& image, int c) {
    if (image[c][0] != 255) return;
    image[c].fill(255);
    for (int p = 5 * (c - 1); p < 5 * c; ++p) image[160 + p / 16][p % 16] = 255;
}

// The rows, as "row: bytes", where two images differ.
std::string Differences(const Image& got, const Image& want) {
    std::string out;
    for (std::size_t r = 0; r < got.size(); ++r) {
        if (got[r] == want[r]) continue;
        out += std::to_string(r) + ":";
        for (std::size_t b = 0; b < 16; ++b)
            out += got[r][b] == want[r][b]
                       ? " ."
                       : " " + std::to_string(got[r][b]) + "/" + std::to_string(want[r][b]);
        out += "\n";
    }
    return out;
}

class RefreshWithoutEdits : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Each window on its own: the grid would show the image again whenever
        // it became active.
        main->unload(WindowId::Chann);
    }

    // Opens window `id` on `image`, shows it again as its activation does, lets
    // `passThrough` move around in it, and closes it; returns the image then.
    Image openShowClose(WindowId id, const Image& image,
                        const std::function<void(QWidget*)>& passThrough = {}) {
        state->ChannelTable = image;
        main->reopen(id);
        settle();
        QWidget* w = main->window(id);
        EXPECT_NE(w, nullptr);
        if (!w) return {};
        if (auto* editor = dynamic_cast<ActivationRefresh*>(w)) editor->windowActivated();
        settle();
        if (passThrough) passThrough(w);
        settle();
        main->unload(id);
        settle();
        return state->ChannelTable;
    }

    std::mt19937 rng{790};
};

TEST_F(RefreshWithoutEdits, SideEditorsAndTheModelDialogLeaveTheImageAsItWas) {
    for (WindowId id :
         {WindowId::Test, WindowId::Scan, WindowId::Key, WindowId::Message, WindowId::Type}) {
        for (int i = 0; i < kImagesPerWindow; ++i) {
            const Image before = RandomImage(rng);
            const Image after = openShowClose(id, before, [&](QWidget* w) {
                if (auto* presets = w->findChild<QTableWidget*>("MSF_chann")) {
                    for (int row : {3, 20, 7}) presets->setCurrentCell(row, 1);
                }
            });
            ASSERT_EQ(Differences(after, before), "") << static_cast<int>(id) << " image " << i;
        }
    }
}

// What the optional features' refresh writes: the model tests. Here the blocks
// of row 209 its boxes cannot show are kept, a message shown is written back
// without its outer blanks and gaps, and leaving a box untouched stores nothing.
TEST_F(RefreshWithoutEdits, OptionalFeaturesKeepWhatTheirBoxesCannotShow) {
    const struct {
        ImageRow before, after;
    } rows[] = {
        {{255, 255, 255, 255, 72, 73, 255, 255, 255, 1, 2, 3, 4, 5, 6, 7}, {}},
        {{0x41, 0x42, 0x0A, 0xFE, 255, 255, 255, 255, 255}, {}},
        {{255, 255, 255, 255, 11, 20, 255, 21, 11}, {255, 255, 255, 255, 20, 21, 255, 255, 255}},
    };
    for (const auto& r : rows) {
        Image image = BlankImage();
        image[209] = r.before;
        Image expected = image;
        expected[208][1] = 97;  // "VOX Inhibit on Receive" (bit 4) cleared as it opens
        if (r.after != ImageRow{}) expected[209] = r.after;
        const Image after = openShowClose(WindowId::Option, image, [&](QWidget* w) {
            for (const char* box :
                 {"Text_RX_Freq", "Text_Offset_Freq", "Text_pvfo_d0", "Text_pvfo_d1"})
                leave(child<QLineEdit>(w, box));
        });
        EXPECT_EQ(Differences(after, expected), "") << int(r.before[0]) << int(r.before[4]);
    }
}

TEST_F(RefreshWithoutEdits, ChannelGridEmptiesOnlyEmptyChannelsAndCommitsNoUntouchedCell) {
    for (int i = 0; i < kImagesPerWindow; ++i) {
        const Image before = RandomImage(rng);
        Image expected = before;
        GridRefreshWrites(expected);
        int used = 1 + static_cast<int>(rng() % 128);
        while (before[used][0] == 255) used = used % 128 + 1;
        const Image after = openShowClose(WindowId::Chann, before, [&](QWidget*) {
            for (int column : {Col::ColRx, Col::ColTx, Col::ColName, Col::ColDecode, Col::ColRx})
                clickCell(used, column);
            clickCell(used % 128 + 1, Col::ColTx);
            QTest::keyClick(main->channelGrid()->textEditor(), Qt::Key_Return);
        });
        ASSERT_EQ(Differences(after, expected), "") << "image " << i << ", channel " << used;
    }
}

TEST_F(RefreshWithoutEdits,
       ChannelDialogEmptiesOnlyAnEmptyCurrentChannelAndCommitsNoUntouchedField) {
    for (int i = 0; i < kImagesPerWindow; ++i) {
        const Image before = RandomImage(rng);
        const int c = 1 + static_cast<int>(rng() % 128);
        state->CurrentChannel = static_cast<std::int16_t>(c);
        Image expected = before;
        DialogRefreshWrites(expected, c);
        const Image after = openShowClose(WindowId::ChannEdit, before, [&](QWidget* w) {
            for (const char* field : {"Text_RX_Freq", "Text_TX_Freq", "Text_Name", "Text_CHN"})
                leave(child<QLineEdit>(w, field));
        });
        ASSERT_EQ(Differences(after, expected), "") << "image " << i << ", channel " << c;
    }
}

}  // namespace
}  // namespace zt::test
