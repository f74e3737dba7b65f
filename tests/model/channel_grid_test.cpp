// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's rules without a window: row texts, which cells open, where
// Enter goes, the lists and the text box length.
#include "model/channel_grid.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/channel.h"
#include "model/startup.h"
#include "table.h"

namespace zt {
namespace {

GridRow Row(const char* rx, const char* tx) { return {"1", rx, tx, "", "", "", "", ""}; }

TEST(ChannelGrid, RowTextsInBothLanguages) {
    AppState state;
    StartUp(state);
    Image& image = state.ChannelTable;
    // Receive 446.00000, offset 5 MHz minus, tones off, High, wide, "AB".
    image[7] = RowOf(
        {0x00, 0x00, 0x60, 0x44, 0x00, 0x00, 0x50, 0x00, 255, 255, 255, 255, 0x82, 0x20, 0, 0});
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
