// SPDX-License-Identifier: GPL-3.0-or-later
// The channel record and the receive/transmit commit rules of both channel editors.
#include "model/channel.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/channel_validation.h"
#include "model/freq_codec.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

class ChannelRecord : public ::testing::Test {
  protected:
    Image image = BlankImage();
};

// The editors' defaults are checked byte by byte by ChannelCommit below.
TEST_F(ChannelRecord, EmptyMeansByteZeroOnly) {
    EXPECT_TRUE(IsChannelEmpty(image, 1));
    image[1].fill(0);
    image[1][0] = 255;
    EXPECT_TRUE(IsChannelEmpty(image, 1));
    image[1][0] = 0;
    EXPECT_FALSE(IsChannelEmpty(image, 1));
    ClearChannel(image, 1);
    EXPECT_EQ(image[1], BlankImage()[1]);
    EXPECT_THROW((void)IsChannelEmpty(image, 0), std::out_of_range);
    EXPECT_THROW((void)IsChannelEmpty(image, 129), std::out_of_range);
}

// Direction and offset of every commit: ChannelCommit and the catalogue's edge sweep.
TEST_F(ChannelRecord, TransmitFrequencyKeepsTheOtherBitsAndMayGoNegative) {
    PutChannel(image, 1, "- 146.52 0 255:255 255:255 02 20 FFFF");
    image[1][12] = 0xBE;  // power, scan and unused bits are kept
    StoreTxMHz(image, 1, TextToUnits("151.52"));
    EXPECT_EQ(image[1][12], 0x7E);
    EXPECT_EQ(BcdToUnits(image, 1, 4), 500000);
    // A minus offset beyond the receive frequency shows a negative transmit text.
    StoreBcd(image, 1, 4, UnitsToBcd(15000000));
    image[1][12] = 0x82;
    EXPECT_EQ(TxUnits(image, 1), -348000);
    EXPECT_EQ(TxText(image, 1), "-3.480000");  // padded to nine characters
    image[1][12] = 0xC2;                       // direction 3 reads as none
    EXPECT_EQ(OffsetDirection(image, 1), 0);
    EXPECT_EQ(TxText(image, 1), "146.52000");
}

TEST_F(ChannelRecord, NamesInTheFlatNameArea) {
    WriteName(image, 1, "AB");
    WriteName(image, 2, "abcdef");
    EXPECT_EQ(ReadName(image, 2), "ABCDE");
    WriteName(image, 2, "  X  ");
    WriteName(image, 4, "a#b");  // channel 4 spans rows 160 and 161
    EXPECT_EQ(image[160],
              RowOf({12, 13, 255, 255, 255, 35, 255, 255, 255, 255, 255, 255, 255, 255, 255, 12}));
    EXPECT_EQ(image[161], RowOf({11, 13}));
    EXPECT_EQ(ReadName(image, 4), "A B");
    WriteName(image, 128, "LAST1");
    EXPECT_EQ(image[199][11], 23);
    EXPECT_EQ(image[199][15], 1);
    EXPECT_EQ(ReadName(image, 128), "LAST1");
    EXPECT_EQ(ReadName(image, 1), "AB");  // neighbours untouched
    image[160][0] = 255;                  // a gap shows nothing
    EXPECT_EQ(ReadName(image, 1), "B");
    WriteName(image, 1, "   ");
    EXPECT_EQ(ReadName(image, 1), "");
}

class ChannelCommit : public ::testing::Test {
  protected:
    AppState state;
    void SetUp() override { StartUp(state); }
    Image& image() { return state.ChannelTable; }
    CommitResult Rx(int c, const char* text, ChannelEditor editor = ChannelEditor::Grid) {
        return CommitRxText(state, editor, c, text);
    }
    CommitResult Tx(int c, const char* text, ChannelEditor editor = ChannelEditor::Grid) {
        return CommitTxText(state, editor, c, text, RxText(image(), c));
    }
};

TEST_F(ChannelCommit, ReceiveTextsAgainstTheBand) {
    // What the cell shows, "!" for the out-of-band message ("?" for any other),
    // and what is stored (as receive and transmit: simplex on a new channel).
    auto commit = [&](const char* text) {
        ClearChannel(image(), 7);
        const CommitResult r = Rx(7, text);
        EXPECT_FALSE(r.channelCleared);
        EXPECT_EQ(TxText(image(), 7), RxText(image(), 7));
        const ChannelMessage m = r.message;
        return r.shown +
               (m == ChannelMessage::None          ? ""
                : m == ChannelMessage::RxOutOfBand ? "!"
                                                   : "?") +
               " " + RxText(image(), 7);
    };
    EXPECT_EQ(Each({"446", "446.5", "469.9875", "469.99999", "446.123456", "400", "470",
                    "399.99999", "abc", "146.5abc", "446.5abc", " 446 ", "0446"},
                   commit),
              "446.00000 446.00000|446.50000 446.50000|469.98750 469.98750|469.99999 469.99999|"
              "446.123456 446.12345|400.00000 400.00000|400.00000! 400.00000|"
              "400.00000! 400.00000|400.00000! 400.00000|400.00000! 400.00000|"
              "446.50000 446.50000|446.00000 446.00000|0446.00000 446.00000");
    state.BandLowMHz = 136;
    state.BandHighMHz = 174;
    EXPECT_EQ(Rx(1, "446").shown, "136.00000");
}

TEST_F(ChannelCommit, NewChannelGetsTheEditorsDefaultsAndBlankReceiveEmptiesIt) {
    for (int c : {5, 6}) WriteName(image(), c, "NAME");
    (void)Rx(5, "446");
    (void)Rx(6, "446", ChannelEditor::Dialog);
    EXPECT_EQ(image()[5], RowOf({0, 0, 0x60, 0x44, 0, 0, 0, 0, 255, 255, 255, 255, 2, 32}));
    EXPECT_EQ(image()[6], RowOf({0, 0, 0x60, 0x44, 0, 0, 0, 0, 255, 255, 255, 255, 6, 0}));
    EXPECT_EQ(ReadName(image(), 5) + "/" + ReadName(image(), 6), "NAME/");
    // A blank receive empties the record; the grid keeps the name (the dialog
    // empties it: its widget test).
    const CommitResult r = Rx(5, "   ");
    EXPECT_TRUE(r.channelCleared);
    EXPECT_EQ(r.message, ChannelMessage::None);
    EXPECT_EQ(r.shown, "");
    EXPECT_EQ(image()[5], BlankImage()[5]);
    EXPECT_EQ(ReadName(image(), 5), "NAME");
}

TEST_F(ChannelCommit, TransmitTextsAndAReceiveChangeKeepsTheTransmitFrequency) {
    (void)Rx(1, "446.0");
    (void)Tx(1, "441.0");
    EXPECT_EQ(BcdToText(image(), 1, 4), "5.00000");
    image()[1][13] = 0xF5;  // flags survive the change
    EXPECT_EQ(Rx(1, "447.0").shown, "447.00000");
    EXPECT_EQ(BcdToText(image(), 1, 4), "6.00000");
    EXPECT_EQ(OffsetDirection(image(), 1), 2);
    EXPECT_EQ(TxText(image(), 1), "441.00000");
    EXPECT_EQ(image()[1][13], 0xF5);
    (void)Rx(1, "440");  // across the receive frequency: the direction turns
    EXPECT_EQ(OffsetDirection(image(), 1), 1);
    EXPECT_EQ(TxText(image(), 1), "441.00000");
    (void)Rx(3, "446");
    // What the cell shows, the message ("!" out of band, "!!" the dialog's), then
    // the direction and the offset stored.
    using Entry = std::pair<const char*, ChannelEditor>;
    auto tx = [&](Entry in) {
        const CommitResult r = Tx(3, in.first, in.second);
        return r.shown +
               (r.message == ChannelMessage::TxOutOfBand         ? "!"
                : r.message == ChannelMessage::TxOutOfBandDialog ? "!!"
                : r.message != ChannelMessage::None              ? "?"
                                                                 : "") +
               " " + std::to_string(OffsetDirection(image(), 3)) + " " + BcdToText(image(), 3, 4);
    };
    constexpr auto Grid = ChannelEditor::Grid, Dialog = ChannelEditor::Dialog;
    EXPECT_EQ(
        Each<Entry>(
            {{"450.5", Grid}, {"", Grid}, {"480", Grid}, {"470", Dialog}, {"446.123456", Dialog}},
            tx),
        "450.50000 1 4.50000|446.00000 0 0.00000|400.00000! 2 46.00000|"
        "400.00000!! 2 46.00000|446.123456 1 0.12345");
    // Transmit before receive stores nothing.
    const Image before = image();
    const CommitResult r = CommitTxText(state, ChannelEditor::Grid, 9, "446", "");
    EXPECT_EQ(r.message, ChannelMessage::RxFirst);
    EXPECT_EQ(r.shown, "");
    EXPECT_EQ(CommitTxText(state, ChannelEditor::Grid, 9, "  ", "").message, ChannelMessage::None);
    EXPECT_EQ(image(), before);
}

TEST(ChannelMessages, BothLanguages) {
    EXPECT_EQ(
        Each({ChannelMessage::RxOutOfBand, ChannelMessage::TxOutOfBand,
              ChannelMessage::TxOutOfBandDialog, ChannelMessage::RxFirst, ChannelMessage::None},
             [](ChannelMessage m) {
                 const BiText t = ChannelMessageText(m);
                 return std::string(t.english) + " " + std::string(t.chinese);
             }),
        "Over the range of receive frequency . 接收频率超出范围 ！|"
        "Over the range of transmit frequency . 发射频率超出范围 ！|"
        "Over the range of Transmit frequency . 发射频率超出范围 ！|"
        "Please input the receive frequency in advance. 请先输入接收频率 ！| ");
}

}  // namespace
}  // namespace zt
