// SPDX-License-Identifier: GPL-3.0-or-later
// Each editor window opened, shown again, passed through without typing and
// closed: the image changes only by what its refresh means to write.
#include <random>

#include "model/band_edges.h"
#include "ui/window_support.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;

// Random bytes everywhere, with the records the windows read shaped often
// enough into what a radio holds: empty and used channels, band edges.
Image RandomImage(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Image image;
    for (auto& row : image)
        for (auto& b : row) b = static_cast<std::uint8_t>(pick(256));
    for (int c = 1; c <= 128; ++c) {
        const int kind = pick(4);
        if (kind == 0) image[c][0] = 255;
        if (kind == 1) StoreBcd(image, c, 0, UnitsToBcd(10000000 + pick(60000000)));
        if (kind == 1 && pick(2)) StoreBcd(image, c, 4, UnitsToBcd(pick(2000000)));
    }
    if (pick(4) != 0) {
        const int low = 100 + pick(500);
        WriteBandEdges(image, {low, low + 1 + pick(100)});
        image[153][0] |= static_cast<std::uint8_t>(pick(2) * pick(16));  // the 100 kHz digit
    }
    return image;
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
    static void expectRows(const Image& got, const Image& want, const std::string& trace) {
        for (std::size_t r = 0; r < got.size(); ++r) ASSERT_EQ(got[r], want[r]) << trace << r;
    }

    std::mt19937 rng{790};
};

// The side editors and the model dialog write nothing. The channel grid empties
// the record of every empty channel (byte 0 = 255) and commits no cell passed
// through, left by a click or with Enter (a frequency outside the band, from a
// read, stays as it is); the channel dialog empties an empty current channel's
// record and name, and commits no field passed through.
TEST_F(RefreshWithoutEdits, EachWindowWritesOnlyWhatItsRefreshMeans) {
    using Writes = std::function<void(Image&, int)>;
    const Writes none = [](Image&, int) {};
    const Writes grid = [](Image& image, int) {
        for (int c = 1; c <= 128; ++c)
            if (image[c][0] == 255) image[c].fill(255);
    };
    const Writes dialog = [](Image& image, int c) {
        if (image[c][0] != 255) return;
        image[c].fill(255);
        for (int p = 5 * (c - 1); p < 5 * c; ++p) image[160 + p / 16][p % 16] = 255;
    };
    int c = 1;  // the channel passed through: the current one, in use for the grid
    const std::function<void(QWidget*)> presets = [](QWidget* w) {
        if (auto* table = w->findChild<QTableWidget*>("MSF_chann"))
            for (int row : {3, 20, 7}) table->setCurrentCell(row, 1);
    };
    const std::function<void(QWidget*)> cells = [&](QWidget*) {
        for (int column : {Col::ColRx, Col::ColTx, Col::ColName, Col::ColDecode, Col::ColRx})
            clickCell(c, column);
        QTest::keyClick(main->channelGrid()->textEditor(), Qt::Key_Return);
        clickCell(c % 128 + 1, Col::ColTx);
        QTest::keyClick(main->channelGrid()->textEditor(), Qt::Key_Return);
    };
    const std::function<void(QWidget*)> fields = [&](QWidget* w) {
        for (const char* field : {"Text_RX_Freq", "Text_TX_Freq", "Text_Name", "Text_CHN"})
            leave(child<QLineEdit>(w, field));
    };
    const struct {
        WindowId id;
        Writes writes;
        std::function<void(QWidget*)> passThrough;
    } windows[] = {{WindowId::Test, none, presets},
                   {WindowId::Scan, none, {}},
                   {WindowId::Key, none, {}},
                   {WindowId::Message, none, {}},
                   {WindowId::Type, none, {}},
                   {WindowId::Chann, grid, cells},
                   {WindowId::ChannEdit, dialog, fields}};
    for (const auto& w : windows) {
        for (int i = 0; i < 20; ++i) {
            const Image before = RandomImage(rng);
            c = 1 + static_cast<int>(rng() % 128);
            while (w.id == WindowId::Chann && before[c][0] == 255) c = c % 128 + 1;
            state->CurrentChannel = static_cast<std::int16_t>(c);
            Image expected = before;
            w.writes(expected, c);
            expectRows(openShowClose(w.id, before, w.passThrough), expected,
                       std::to_string(static_cast<int>(w.id)) + " image " + std::to_string(i) +
                           " channel " + std::to_string(c) + " row ");
        }
    }
}

// The optional features' refresh (its rules: the model tests) writes the
// message back without its outer blanks and gaps, and leaving a box untouched
// neither stores nor refuses what a read brought from outside the band.
TEST_F(RefreshWithoutEdits, OptionalFeaturesWriteOnlyWhatTheirRefreshChanges) {
    Image image = BlankImage();
    image[209] = {255, 255, 255, 255, 11, 20, 255, 21, 11, 1, 2, 3};
    StoreFreqText(image, "480", 0, 0);
    for (int b = 4; b < 8; ++b) image[0][b] = 255;  // an offset of 1666.66665
    WriteBandEdges(image, {390, 470});
    Image expected = image;
    expected[208][1] = 97;  // "VOX Inhibit on Receive" (bit 4) cleared as it opens
    expected[209] = {255, 255, 255, 255, 20, 21, 255, 255, 255, 1, 2, 3};
    const Image after = openShowClose(WindowId::Option, image, [&](QWidget* w) {
        for (const char* box : {"Text_RX_Freq", "Text_Offset_Freq", "Text_pvfo_d0", "Text_pvfo_d1"})
            leave(child<QLineEdit>(w, box));
    });
    expectRows(after, expected, "row ");
    EXPECT_EQ(presenter.take(), Texts{});
}

}  // namespace
}  // namespace zt::test
