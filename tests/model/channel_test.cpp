// SPDX-License-Identifier: GPL-3.0-or-later
// The channel record, the receive/transmit commit rules of both channel
// editors, and the channel grid's own rules.
#include "model/channel.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/channel_grid.h"
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

// The channel grid's rules without a window: row texts, which cells open, where
// Enter goes, the lists and the text box length.
GridRow Row(const char* rx, const char* tx) { return {"1", rx, tx, "", "", "", "", ""}; }
// Receive 446.00000, offset 5 MHz minus, tones off, High, wide.
const ImageRow kMinus5 =
    RowOf({0x00, 0x00, 0x60, 0x44, 0x00, 0x00, 0x50, 0x00, 255, 255, 255, 255, 0x82, 0x20, 0, 0});

TEST(ChannelGrid, RowTextsInBothLanguages) {
    AppState state;
    StartUp(state);
    Image& image = state.ChannelTable;
    image[7] = kMinus5;
    WriteName(image, 7, "ab");
    const GridRow kept{"7", "", "", "kept3", "kept4", "kept5", "", ""};
    EXPECT_EQ(Joined(ShowChannelRow(state, 7, kept)), "7|446.00000|441.00000|OFF|OFF|High|Wide|AB");
    state.LanguageChinese = true;
    EXPECT_EQ(Joined(ShowChannelRow(state, 7, kept)), "7|446.00000|441.00000|关|关|高|宽带|AB");
    // A tone group 3 and a power value 3 leave their cells as they were.
    image[7][8] = 3;
    image[7][9] = 0;
    image[7][12] = 0x03;
    EXPECT_EQ(Joined(ShowChannelRow(state, 7, kept)),
              "7|446.00000|446.00000|kept3|关|kept5|宽带|AB");
    // An empty channel shows nothing and is tidied; its name stays.
    image[7][0] = 255;
    EXPECT_EQ(Joined(ShowChannelRow(state, 7, kept)), "7|||||||");
    EXPECT_EQ(image[7], RowOf({}));
    EXPECT_EQ(ReadName(image, 7), "AB");
}

TEST(ChannelGrid, WhichCellsOpen) {
    const GridRow empty = Row("", ""), noTx = Row("446.00000", " "), full = Row("446.00000", "441");
    EXPECT_EQ(Each({0, 1, 2, 3, 4, 5, 6, 7},
                   [&](int col) {
                       return std::to_string(static_cast<int>(CellEditor(empty, col))) +
                              std::to_string(static_cast<int>(CellEditor(noTx, col))) +
                              std::to_string(static_cast<int>(CellEditor(full, col)));
                   }),
              "000|111|111|022|002|022|022|011");
}

TEST(ChannelGrid, EnterMovesOn) {
    struct Case {
        GridRow row;
        int channel, column, toChannel, toColumn;
    };
    const GridRow empty = Row("", ""), noTx = Row("446.00000", ""), full = Row("446.0", "441.0");
    const Case cases[] = {
        {empty, 5, 1, 5, 2}, {empty, 5, 2, 6, 1},    {empty, 128, 2, 128, 1}, {noTx, 5, 2, 5, 3},
        {noTx, 5, 3, 5, 5},  {full, 5, 3, 5, 4},     {full, 5, 4, 5, 5},      {full, 5, 6, 5, 7},
        {full, 5, 7, 6, 1},  {full, 128, 7, 128, 1},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(EnterTarget(k.row, k.channel, k.column), (GridCell{k.toChannel, k.toColumn}))
            << "channel " << k.channel << " column " << k.column << " row " << Joined(k.row);
    }
}

TEST(ChannelGrid, ListsAndWhatTheyStore) {
    AppState state;
    StartUp(state);
    const auto tones = ChoiceItems(state, 3);
    ASSERT_EQ(tones.size(), 265u);
    EXPECT_EQ(tones[0] + "|" + tones[1] + "|" + tones[51] + "|" + tones[264],
              "OFF|67.0|D017N|D754I");
    auto joined = [&](int col) {
        std::string text;
        for (const std::string& item : ChoiceItems(state, col)) text += item + "|";
        return text;
    };
    EXPECT_EQ(joined(5) + joined(6), "Low|Mid|High|Narrow|Wide|");
    state.LanguageChinese = true;
    EXPECT_EQ(joined(5) + joined(6) + ChoiceItems(state, 4)[0], "低|中|高|窄带|宽带|关");

    Image& image = state.ChannelTable;
    image[9] = RowOf({0x00, 0x00, 0x60, 0x44, 0, 0, 0, 0, 255, 255, 255, 255, 0xC6, 0x00});
    StoreChoice(image, 9, 5, 1);  // Mid: bits 0..1 of byte 12 only
    StoreChoice(image, 9, 6, 1);  // Wide: bit 5 of byte 13
    StoreChoice(image, 9, 3, 51);
    StoreChoice(image, 9, 4, 158);
    EXPECT_EQ(image[9], RowOf({0x00, 0x00, 0x60, 0x44, 0, 0, 0, 0, 1, 0, 2, 0, 0xC5, 0x20}));
}

TEST(ChannelGrid, TypedTextsStoredAndShown) {
    struct Case {
        int channel, column;
        const char* text;
        const char* shows;
        ChannelMessage message;
    };
    constexpr auto None = ChannelMessage::None;
    const Case cases[] = {
        {7, 7, "ab", "7|446.00000|441.00000|OFF|OFF|High|Wide|AB", None},
        {7, 1, "480", "7|400.00000|441.00000|OFF|OFF|High|Wide|", ChannelMessage::RxOutOfBand},
        {7, 2, "480", "7|446.00000|400.00000|OFF|OFF|High|Wide|", ChannelMessage::TxOutOfBand},
        {7, 3, "67.0", "7|446.00000|441.00000|OFF|OFF|High|Wide|", None},
        {8, 2, "446", "8|||||||", ChannelMessage::RxFirst},
    };
    for (const Case& k : cases) {
        AppState state;
        StartUp(state);
        state.ChannelTable[7] = kMinus5;
        const GridRow shown = ShowChannelRow(state, k.channel, {});
        const GridTextCommit commit = CommitGridText(state, k.channel, k.column, k.text, shown);
        EXPECT_EQ(Joined(commit.row), k.shows) << "column " << k.column << " \"" << k.text << "\"";
        EXPECT_EQ(commit.message, k.message) << "column " << k.column << " \"" << k.text << "\"";
    }
}

TEST(ChannelGrid, TextBoxLengthAndCaption) {
    EXPECT_EQ(Each({"446.12345", "446.123456", " 446.1234 ", "ABCD", "ABCDE", "信道信道"},
                   [](const char* t) {
                       return std::to_string(TextBoxTakes(1, t)) +
                              std::to_string(TextBoxTakes(7, t));
                   }),
              "10|00|10|11|10|11");
    EXPECT_EQ(GridCaption(false, 5) + GridCaption(true, 128),
              "Channel Information [ Channel - 5 ]信道参数编辑 [ 信道 - 128 ]");
}

}  // namespace
}  // namespace zt
