#include "model/channel_validation.h"

#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/startup.h"

namespace zt {
namespace {

class ChannelCommit : public ::testing::Test {
  protected:
    AppState state;
    void SetUp() override { StartUp(state); }
    Image& image() { return state.ChannelTable; }
};

TEST_F(ChannelCommit, ReceiveTextsAgainstTheBand) {
    const struct {
        const char* text;
        const char* shown;
        ChannelMessage message;
        const char* stored;
    } cases[] = {
        {"446", "446.00000", ChannelMessage::None, "446.00000"},
        {"446.5", "446.50000", ChannelMessage::None, "446.50000"},
        {"469.9875", "469.98750", ChannelMessage::None, "469.98750"},
        {"469.99999", "469.99999", ChannelMessage::None, "469.99999"},
        {"446.123456", "446.123456", ChannelMessage::None, "446.12345"},
        {"400", "400.00000", ChannelMessage::None, "400.00000"},
        {"470", "400.00000", ChannelMessage::RxOutOfBand, "400.00000"},
        {"399.99999", "400.00000", ChannelMessage::RxOutOfBand, "400.00000"},
        {"abc", "400.00000", ChannelMessage::RxOutOfBand, "400.00000"},
        {"146.5abc", "400.00000", ChannelMessage::RxOutOfBand, "400.00000"},
        {"446.5abc", "446.50000", ChannelMessage::None, "446.50000"},
        {" 446 ", "446.00000", ChannelMessage::None, "446.00000"},
        {"0446", "0446.00000", ChannelMessage::None, "446.00000"},
    };
    for (const auto& c : cases) {
        ClearChannel(image(), 7);
        const CommitResult r = CommitRxText(state, ChannelEditor::Grid, 7, c.text);
        EXPECT_EQ(r.shown, c.shown) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
        EXPECT_FALSE(r.channelCleared);
        EXPECT_EQ(RxText(image(), 7), c.stored) << c.text;
        EXPECT_EQ(TxText(image(), 7), c.stored) << c.text;  // simplex on a new channel
    }
}

TEST_F(ChannelCommit, NewChannelGetsTheEditorsDefaults) {
    WriteName(image(), 5, "KEEP");
    (void)CommitRxText(state, ChannelEditor::Grid, 5, "446");
    EXPECT_EQ(image()[5][12], 2);
    EXPECT_EQ(image()[5][13], 32);
    EXPECT_EQ(image()[5][8], 255);
    EXPECT_EQ(ReadName(image(), 5), "KEEP");

    WriteName(image(), 6, "GONE");
    (void)CommitRxText(state, ChannelEditor::Dialog, 6, "446");
    EXPECT_EQ(image()[6][12], 6);
    EXPECT_EQ(image()[6][13], 0);
    EXPECT_EQ(BcdToUnits(image(), 6, 4), 0);
    EXPECT_EQ(ReadName(image(), 6), "");
}

TEST_F(ChannelCommit, ReceiveChangeKeepsTheTransmitFrequency) {
    (void)CommitRxText(state, ChannelEditor::Grid, 1, "446.0");
    (void)CommitTxText(state, ChannelEditor::Grid, 1, "441.0", "446.00000");
    EXPECT_EQ(OffsetDirection(image(), 1), 2);
    EXPECT_EQ(BcdToText(image(), 1, 4), "5.00000");
    image()[1][13] = 0xF5;  // flags survive the change
    const CommitResult r = CommitRxText(state, ChannelEditor::Grid, 1, "447.0");
    EXPECT_EQ(r.shown, "447.00000");
    EXPECT_EQ(BcdToText(image(), 1, 4), "6.00000");
    EXPECT_EQ(OffsetDirection(image(), 1), 2);
    EXPECT_EQ(TxText(image(), 1), "441.00000");
    EXPECT_EQ(image()[1][13], 0xF5);
    // Across the receive frequency: the direction turns.
    (void)CommitRxText(state, ChannelEditor::Grid, 1, "440");
    EXPECT_EQ(OffsetDirection(image(), 1), 1);
    EXPECT_EQ(TxText(image(), 1), "441.00000");
}

TEST_F(ChannelCommit, BlankReceiveEmptiesTheChannel) {
    (void)CommitRxText(state, ChannelEditor::Grid, 2, "446");
    WriteName(image(), 2, "NAME");
    CommitResult r = CommitRxText(state, ChannelEditor::Grid, 2, "   ");
    EXPECT_TRUE(r.channelCleared);
    EXPECT_EQ(r.message, ChannelMessage::None);
    EXPECT_EQ(r.shown, "");
    for (const auto b : image()[2]) EXPECT_EQ(b, 255);
    EXPECT_EQ(ReadName(image(), 2), "NAME");  // the grid keeps the name

    (void)CommitRxText(state, ChannelEditor::Dialog, 2, "446");
    WriteName(image(), 2, "NAME");
    r = CommitRxText(state, ChannelEditor::Dialog, 2, "");
    EXPECT_TRUE(r.channelCleared);
    EXPECT_EQ(ReadName(image(), 2), "");  // the dialog clears it
}

TEST_F(ChannelCommit, TransmitTexts) {
    (void)CommitRxText(state, ChannelEditor::Grid, 3, "446");
    CommitResult r = CommitTxText(state, ChannelEditor::Grid, 3, "450.5", "446.00000");
    EXPECT_EQ(r.shown, "450.50000");
    EXPECT_EQ(r.message, ChannelMessage::None);
    EXPECT_EQ(OffsetDirection(image(), 3), 1);
    EXPECT_EQ(BcdToText(image(), 3, 4), "4.50000");

    r = CommitTxText(state, ChannelEditor::Grid, 3, "", "446.00000");  // blank: simplex
    EXPECT_EQ(r.message, ChannelMessage::None);
    EXPECT_EQ(r.shown, "446.00000");
    EXPECT_EQ(OffsetDirection(image(), 3), 0);
    EXPECT_EQ(BcdToUnits(image(), 3, 4), 0);

    r = CommitTxText(state, ChannelEditor::Grid, 3, "480", "446.00000");
    EXPECT_EQ(r.message, ChannelMessage::TxOutOfBand);
    EXPECT_EQ(r.shown, "400.00000");
    EXPECT_EQ(OffsetDirection(image(), 3), 2);
    EXPECT_EQ(BcdToText(image(), 3, 4), "46.00000");

    r = CommitTxText(state, ChannelEditor::Dialog, 3, "470", "446.00000");
    EXPECT_EQ(r.message, ChannelMessage::TxOutOfBandDialog);
    EXPECT_EQ(TxText(image(), 3), "400.00000");

    r = CommitTxText(state, ChannelEditor::Dialog, 3, "446.123456", "446.00000");
    EXPECT_EQ(r.shown, "446.123456");
    EXPECT_EQ(BcdToText(image(), 3, 4), "0.12345");
}

TEST_F(ChannelCommit, TransmitBeforeReceiveStoresNothing) {
    const Image before = image();
    CommitResult r = CommitTxText(state, ChannelEditor::Grid, 9, "446", "");
    EXPECT_EQ(r.message, ChannelMessage::RxFirst);
    EXPECT_EQ(r.shown, "");
    EXPECT_EQ(image(), before);
    r = CommitTxText(state, ChannelEditor::Grid, 9, "  ", "");
    EXPECT_EQ(r.message, ChannelMessage::None);
    EXPECT_EQ(image(), before);
}

TEST_F(ChannelCommit, OtherBandsAndLowerEdgeText) {
    state.BandLowMHz = 136;
    state.BandHighMHz = 174;
    const CommitResult r = CommitRxText(state, ChannelEditor::Grid, 1, "446");
    EXPECT_EQ(r.shown, "136.00000");
    EXPECT_EQ(BandLowText(400), "400.00000");
    EXPECT_EQ(BandLowText(46), "46.00000");
    EXPECT_EQ(NormaliseFreqText("146.525001"), "146.525001");
}

TEST(ChannelMessages, BothLanguages) {
    EXPECT_EQ(ChannelMessageText(ChannelMessage::RxOutOfBand).english,
              "Over the range of receive frequency .");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::RxOutOfBand).chinese, "接收频率超出范围 ！");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::TxOutOfBand).in(false),
              "Over the range of transmit frequency .");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::TxOutOfBandDialog).in(false),
              "Over the range of Transmit frequency .");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::TxOutOfBandDialog).in(true),
              "发射频率超出范围 ！");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::RxFirst).in(false),
              "Please input the receive frequency in advance.");
    EXPECT_EQ(ChannelMessageText(ChannelMessage::RxFirst).in(true), "请先输入接收频率 ！");
    EXPECT_TRUE(ChannelMessageText(ChannelMessage::None).english.empty());
}

}  // namespace
}  // namespace zt
