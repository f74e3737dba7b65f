// SPDX-License-Identifier: GPL-3.0-or-later
// The blank image, start-up, the model catalogue, the limit checks, the write
// preparation, and the history of an image's changes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/catalogue.h"
#include "model/freq_codec.h"
#include "model/image_history.h"
#include "model/limits.h"
#include "model/startup.h"
#include "model/write_prep.h"
#include "table.h"

namespace zt {
namespace {

TEST(BlankImage, RowByRowAndStartUp) {
    Image expected;
    expected.fill(RowOf({}));
    expected[0] = RowOf({80, 18, 32, 70, 0, 0, 0, 1, 255, 255, 255, 255, 2, 32});
    expected[153] = RowOf({0, 64, 0, 71});
    expected[208] = RowOf({5, 113, 129, 3, 0, 4, 3, 0, 0, 0, 0, 0, 0});
    expected[209] = RowOf({255, 255, 255, 255, 19, 16, 23, 23, 26});
    expected[210].fill(0);
    expected[212] = RowOf({90, 84, 32, 55, 57, 48, 50, 2});
    expected[240] = RowOf({50, 100, 200});
    EXPECT_EQ(BlankImage(), expected);

    AppState s;
    s.LanguageChinese = true;
    s.ComPort = 4;
    s.ComDevice = "/dev/ttyUSB0";
    s.ModelIndex = 3;
    StartUp(s);
    EXPECT_EQ(std::tie(s.LanguageChinese, s.ComPort, s.ComDevice, s.ModelIndex, s.CurrentChannel),
              std::make_tuple(false, 1, std::string(), 0, 1));
    EXPECT_EQ(s.ChannelTable, expected);
    EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(400, 470));
    s.ChannelTable[153][1] = 0x13;
    s.ChannelTable[153][3] = 0x17;
    WriteBlankImage(s);  // rewrites the row and recomputes the edges from it
    EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(400, 470));
}

// A record with receive frequency, offset and the raw byte 12.
void SetRecord(Image& image, int row, const char* rx, const char* offset, std::uint8_t flags1) {
    (void)StoreFreqText(image, rx, row, 0);
    (void)StoreFreqText(image, offset, row, 4);
    image[static_cast<std::size_t>(row)][12] = flags1;
}

// Each record alone as the frequency-mode record and as channel 5, with the
// frequencies the checks compared (what zt790ctl names in its refusal): receive
// and transmit each cut to whole MHz, both limits inclusive, exact in 10 Hz.
TEST(LimitFailures, EveryRefusedRecordWithTheFrequenciesItCompared) {
    const struct {
        int low, high;
        const char *rx, *offset;
        std::uint8_t flags;
        const char* failure;  // receive and transmit in 10 Hz, R / T outside; "" passes
    } records[] = {
        {400, 470, "465", "10", 0x42, "46500000 47500000 T"},
        {400, 470, "470.5", "0", 0x02, ""},
        {400, 470, "471.0", "0", 0x02, "47100000 47100000 RT"},
        {400, 470, "399.99", "0", 0x02, "39999000 39999000 RT"},
        {400, 470, "400.0", "0", 0x02, ""},
        {400, 470, "405", "10", 0x82, "40500000 39500000 T"},
        {400, 470, "465", "10", 0xC2, ""},  // direction 3 counts as none
        {400, 470, "460.5", "10.4", 0x42, ""},
        {400, 470, "460.5", "10.5", 0x42, "46050000 47100000 T"},
        {400, 470, "399.5", "10", 0x42, "39950000 40950000 R"},
        {400, 470, "405", "10.00001", 0x82, "40500000 39499999 T"},
        {400, 470, "405", "5", 0x82, ""},
        // In binary floating point 334.09707 - 234.09707 lands just under 100.
        {100, 601, "334.09707", "234.09707", 0x82, ""},
        {100, 601, "334.09707", "234.09708", 0x82, "33409707 9999999 T"},
        {450, 521, "514.06414", "64.06414", 0x82, ""},
        {450, 521, "514.06414", "64.06415", 0x82, "51406414 44999999 T"},
    };
    for (const auto& r : records) {
        Image image = BlankImage();
        WriteBandEdges(image, {r.low, r.high});
        SetRecord(image, 0, r.rx, r.offset, r.flags);
        SetRecord(image, 5, r.rx, r.offset, r.flags);
        std::string got;
        for (const LimitFailure& f : LimitFailures(image)) {
            got += std::to_string(f.record) + ": " + std::to_string(f.rx) + " " +
                   std::to_string(f.tx) + " " + (f.rxOutside ? "R" : "") +
                   (f.txOutside ? "T" : "") +
                   (f.limits == BandEdges{r.low, r.high} ? "|" : " wrong limits|");
        }
        const std::string f = r.failure;
        EXPECT_EQ(got, f.empty() ? "" : "0: " + f + "|5: " + f + "|") << r.rx << " " << r.offset;
        EXPECT_EQ(CheckVfoLimits(image).passed, f.empty()) << r.rx << " " << r.offset;
        EXPECT_EQ(CheckChannelLimits(image).channel, f.empty() ? 0 : 5) << r.rx << " " << r.offset;
    }
}

// The check before a write: the frequency-mode record first, then the first
// refused channel, against the limits in the image row.
TEST(LimitCheck, FrequencyModeRecordFirstThenTheFirstRefusedChannel) {
    EXPECT_TRUE(CheckLimits(BlankImage()).passed);
    EXPECT_TRUE(CheckLimits(BlankImage()).message.english.empty());
    Image image = BlankImage();
    image[128][3] = 0x48;  // any of bytes 0..3 other than 255 makes a channel count
    EXPECT_EQ(CheckChannelLimits(image).channel, 128);
    SetRecord(image, 9, "471.0", "0", 0x02);
    SetRecord(image, 12, "300", "0", 0x02);
    LimitCheckResult r = CheckLimits(image);
    EXPECT_EQ(std::tie(r.passed, r.channel), std::make_tuple(false, 9));
    EXPECT_EQ(r.message.chinese, "信道 9 中的接收或发射频率超出频率限制范围");  // English: zt790ctl
    SetRecord(image, 0, "462.0125", "10", 0x42);                                // transmit 472.0125
    r = CheckLimits(image);
    EXPECT_EQ(std::tie(r.passed, r.channel), std::make_tuple(false, 0));
    EXPECT_EQ(r.message.english,
              "Receiving or transmitting frequency that frequency Mode out of frequency "
              "limitation range ");
    EXPECT_EQ(r.message.chinese, "频率模式下的接收或发射频率超出频率限制范围");
}

// Plain limit texts are stored by the option window's tests.
TEST(LimitStore, FirstThreeCharactersAreTheDigits) {
    AppState state;
    StartUp(state);
    StoreLimitTexts(state, "0400", "470.5");
    EXPECT_EQ(std::tie(state.BandLowMHz, state.BandHighMHz), std::make_tuple(40, 470));
    StoreLimitTexts(state, "40", "4.5");
    EXPECT_EQ(std::tie(state.BandLowMHz, state.BandHighMHz), std::make_tuple(400, 405));
}

TEST(WritePreparation, PresenceBitmapFirstUsedChannelTagAndNothingElse) {
    Image image = BlankImage();
    image[208][12] = 77;
    image[212].fill(0);
    Image prepared = image;
    PrepareImageForWrite(prepared);
    EXPECT_EQ(prepared[208][12], 0);  // no channel in use
    for (int c : {9, 128, 20}) (void)StoreFreqText(image, "446", c, 0);
    image[5][0] = 0x10;  // bytes 1..3 still 255: not present for the radio
    image[6][1] = image[6][2] = image[6][3] = 0x10;  // byte 0 still 255
    image[7][0] = image[7][1] = image[7][2] = 0x10;  // byte 3 still 255
    Image expected = image;
    expected[208][12] = 9;    // the first channel in use
    expected[208][1] = 0x61;  // VOX inhibit on receive cleared, the rest kept
    expected[212] = RowOf({90, 84, 32, 55, 57, 48, 50, 2});  // "ZT 7902", 2
    expected[210].fill(255);                                 // a cleared bit per channel in use
    expected[210][1] = 0xFE;                                 // channel 9: bit 0 of byte 1
    expected[210][2] = 0xF7;                                 // channel 20: bit 3 of byte 2
    expected[210][15] = 0x7F;                                // channel 128: bit 7 of byte 15
    PrepareImageForWrite(image);
    EXPECT_EQ(image, expected);
    EXPECT_FALSE(ChannelPresent(image, 5) || ChannelPresent(image, 6) || ChannelPresent(image, 7));
    EXPECT_EQ(FirstUsedChannel(image), 9);
}

// Every entry of the catalogue, its band and the edges it selects.
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
        EXPECT_EQ(FindModel({e.low, e.high})->name, e.name);
        SelectModel(s, i);
        EXPECT_EQ(std::tie(s.ModelIndex, s.BandLowMHz, s.BandHighMHz),
                  std::make_tuple(i, e.low, e.high));
        EXPECT_EQ(s.ChannelTable[153], e.row153);
        EXPECT_EQ(BandPanelText(s.BandLowMHz, s.BandHighMHz), e.panel);
        s.BandLowMHz = s.BandHighMHz = 0;
        RecomputeBandEdges(s);
        EXPECT_EQ(std::tie(s.BandLowMHz, s.BandHighMHz), std::make_tuple(e.low, e.high));
    }
    // The frequency-mode record starts 0.625 MHz above the last entry's lower edge.
    EXPECT_EQ(BcdToText(s.ChannelTable, 0, 0), "100.62500");
    EXPECT_THROW(SelectModel(s, 7), std::out_of_range);
    EXPECT_TRUE(FindModel({400, 471}) == nullptr && FindModel({401, 470}) == nullptr);
    EXPECT_EQ(BandRangeText({136, 174}), "136-174 MHz");
}

// Undo, redo and the unsaved-changes state over whole-image snapshots.
// An image told apart by one byte of channel 1.
Image Version(int v) {
    Image image = BlankImage();
    image[1][14] = static_cast<std::uint8_t>(v);
    return image;
}
int VersionOf(const Image& image) { return image[1][14]; }

// Runs a script over a history that starts at version 0 (also the saved state):
//   N   the image becomes version N and the program comes to rest (record)
//   ~N  the image becomes N without coming to rest (a change still pending)
//   tN  the image becomes N by tidying (absorb)
//   u r undo, redo ("!" when there was nothing to undo or redo)
//   s   saved (markSaved)
//   h   the row the version lives in is saved (markRowSaved)
// After each: the image's version, then "*" when modified.
std::string Script(const char* script, std::size_t depth = kUndoSteps) {
    Image image = Version(0);
    ImageHistory history(image, depth);
    std::istringstream in(script);
    std::string op;
    std::string out;
    while (in >> op) {
        bool ok = true;
        if (op == "u") {
            ok = history.undo(image);
        } else if (op == "r") {
            ok = history.redo(image);
        } else if (op == "s") {
            history.markSaved(image);
        } else if (op == "h") {
            history.markRowSaved(1, image);
        } else if (op[0] == '~') {
            image = Version(std::stoi(op.substr(1)));
        } else if (op[0] == 't') {
            image = Version(std::stoi(op.substr(1)));
            history.absorb(image);
        } else {
            image = Version(std::stoi(op));
            history.record(image);
        }
        if (!out.empty()) out += ' ';
        out += (ok ? "" : "!") + std::to_string(VersionOf(image)) +
               (history.modified(image) ? "*" : "");
    }
    return out;
}

TEST(ImageHistory, UndoRedoAndModified) {
    const struct {
        const char* script;
        const char* expected;
    } cases[] = {
        {"u r", "!0 !0"},
        {"1 2 u u u r r r", "1* 2* 1* 0 !0 1* 2* !2*"},
        // A new change drops what could be redone.
        {"1 2 u 3 r u u", "1* 2* 1* 3* !3* 1* 0"},
        // Coming to rest without a change records nothing.
        {"1 1 1 u", "1* 1* 1* 0"},
        // A pending change is recorded before it is undone; redo gives it back.
        {"1 ~2 u r", "1* 2* 1* 2*"},
        {"1 ~2 r", "1* 2* !2*"},
        // Saved marks the state a file or the radio holds; undoing past it and
        // coming back shows the difference both ways.
        {"1 s 2 u u r", "1* 1 2* 1 0* 1"},
        {"1 s 2 h u", "1* 1 2* 2 1*"},
        // Tidying is no step: it joins the step it happens in, and an image
        // that was saved stays saved.
        {"t5 u", "5 !5"},
        {"1 s t6 u r", "1* 1 6 0* 6"},
        {"1 t7 u", "1* 7* 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Script(c.script), c.expected) << c.script;
}

TEST(ImageHistory, KeepsAtLeastTwoHundredSteps) {
    Image image = Version(0);
    ImageHistory history(image);
    for (int v = 1; v <= 250; ++v) history.record(Version(v));
    image = Version(250);
    int undone = 0;
    while (history.undo(image)) ++undone;
    EXPECT_GE(undone, 200);
    EXPECT_EQ(VersionOf(image), 250 - undone);
    // A shallow history drops the oldest steps first.
    EXPECT_EQ(Script("1 2 3 4 u u u u", 2), "1* 2* 3* 4* 3* 2* !2* !2*");
}

}  // namespace
}  // namespace zt
