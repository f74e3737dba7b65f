#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "model/channel.h"
#include "model/channel_validation.h"
#include "ui/channel_grid_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;

class ChannelGrid : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        grid = main->channelGrid();
        ASSERT_NE(grid, nullptr);
        table = grid->grid();
    }

    void click(int channel, int column) {
        table->scrollToItem(table->item(channel - 1, column));
        const QRect cell = table->visualItemRect(table->item(channel - 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void type(const QString& text) { QTest::keyClicks(grid->textEditor(), text); }
    void enterText() { QTest::keyClick(grid->textEditor(), Qt::Key_Return); }
    QString cell(int channel, int column) { return table->item(channel - 1, column)->text(); }
    std::uint8_t byte(int row, int field) {
        return state->ChannelTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(field)];
    }
    // Types a frequency into a cell and presses Enter.
    void enterFrequency(int channel, int column, const QString& text) {
        click(channel, column);
        grid->textEditor()->clear();
        type(text);
        enterText();
        settle();
    }
    std::pair<int, int> current() { return {table->currentRow() + 1, table->currentColumn()}; }

    ChannelGridWindow* grid = nullptr;
    QTableWidget* table = nullptr;
};

TEST_F(ChannelGrid, OpensOnChannelOneWithItsCaption) {
    EXPECT_TRUE(state->Windows.ChannIsOpen);
    EXPECT_EQ(state->CurrentChannel, 1);
    EXPECT_EQ(grid->windowTitle(), "Channel Information [ Channel - 1 ]");
    EXPECT_EQ(table->horizontalHeaderItem(Col::ColPower)->text(), " TX Power ");
    EXPECT_EQ(cell(128, Col::ColChannel), "128");
    EXPECT_FALSE(grid->textEditor()->isVisible());

    click(7, Col::ColRx);
    EXPECT_EQ(state->CurrentChannel, 7);
    EXPECT_EQ(grid->windowTitle(), "Channel Information [ Channel - 7 ]");

    // The command reopens a fresh grid on channel 1.
    main->action("Channel_edit")->trigger();
    settle();
    ASSERT_NE(main->channelGrid(), nullptr);
    EXPECT_EQ(state->CurrentChannel, 1);
    EXPECT_TRUE(state->Windows.ChannIsOpen);
    EXPECT_EQ(main->channelGrid()->windowTitle(), "Channel Information [ Channel - 1 ]");
}

TEST_F(ChannelGrid, TypingOnTheGridOpensTheCurrentCell) {
    // At start the grid stands on channel 1 without an editor.
    QTest::keyClicks(table, "4");
    ASSERT_TRUE(grid->textEditor()->isVisible());
    QTest::keyClicks(grid->textEditor(), "46");
    enterText();
    settle();
    EXPECT_EQ(cell(1, Col::ColRx), "446.00000");
}

TEST_F(ChannelGrid, TypingAWholeMegahertzFillsAnEmptyChannelWithGridDefaults) {
    WriteName(state->ChannelTable, 5, "RPT");
    enterFrequency(5, Col::ColRx, "446");
    EXPECT_EQ(cell(5, Col::ColRx), "446.00000");
    EXPECT_EQ(cell(5, Col::ColTx), "446.00000");
    EXPECT_EQ(cell(5, Col::ColDecode), "OFF");
    EXPECT_EQ(cell(5, Col::ColEncode), "OFF");
    EXPECT_EQ(cell(5, Col::ColPower), "High");
    EXPECT_EQ(cell(5, Col::ColWidth), "Wide");
    EXPECT_EQ(cell(5, Col::ColName), "RPT");
    EXPECT_EQ(byte(5, 12), 2);
    EXPECT_EQ(byte(5, 13), 0x20);
    EXPECT_EQ(current(), std::make_pair(5, int(Col::ColTx)));
    EXPECT_TRUE(grid->textEditor()->isVisible());
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(ChannelGrid, OutOfBandEntriesAreRepairedWithTheirMessages) {
    enterFrequency(2, Col::ColRx, "470");
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of receive frequency ."});
    EXPECT_EQ(cell(2, Col::ColRx), "400.00000");

    enterFrequency(3, Col::ColRx, "446");
    enterFrequency(3, Col::ColTx, "500");
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of transmit frequency ."});
    EXPECT_EQ(cell(3, Col::ColTx), "400.00000");
    EXPECT_EQ(byte(3, 12) & 0xC0, 0x80);  // minus offset
}

TEST_F(ChannelGrid, TransmitWithoutReceiveAsksForReceiveFirstAndStoresNothing) {
    enterFrequency(3, Col::ColTx, "146");
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Please input the receive frequency in advance."});
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 3));
    EXPECT_EQ(cell(3, Col::ColTx), "");
    // Both frequency cells blank: Enter goes on to the next row's receive cell.
    EXPECT_EQ(current(), std::make_pair(4, int(Col::ColRx)));
}

TEST_F(ChannelGrid, LeavingACellCommitsItOnce) {
    click(9, Col::ColRx);
    type("480");
    click(20, Col::ColRx);
    settle();
    EXPECT_EQ(cell(9, Col::ColRx), "400.00000");
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of receive frequency ."});
}

TEST_F(ChannelGrid, TextCellsTakeTenCharactersAndNamesFive) {
    click(1, Col::ColRx);
    type("446.1234567");
    EXPECT_EQ(grid->textEditor()->text(), "446.123456");
    QTest::keyClick(grid->textEditor(), Qt::Key_Backspace);
    EXPECT_EQ(grid->textEditor()->text(), "446.12345");
    enterText();
    settle();
    click(1, Col::ColName);
    type("abcdefg");
    EXPECT_EQ(grid->textEditor()->text(), "abcde");
    enterText();  // moves on; leaving the cell writes the name
    settle();
    EXPECT_EQ(cell(1, Col::ColName), "ABCDE");
    EXPECT_EQ(ReadName(state->ChannelTable, 1), "ABCDE");
    EXPECT_EQ(current(), std::make_pair(2, int(Col::ColRx)));
}

TEST_F(ChannelGrid, EnterMovesThroughTheColumnsInOrder) {
    enterFrequency(128, Col::ColRx, "446");
    // From the transmit cell on: decode, encode, power, width, name, then the
    // receive cell of the next row (row 128 stays).
    const int order[] = {Col::ColTx,    Col::ColDecode, Col::ColEncode,
                         Col::ColPower, Col::ColWidth,  Col::ColName};
    for (int column : order) {
        ASSERT_EQ(current(), std::make_pair(128, column));
        QWidget* editor = column == Col::ColTx || column == Col::ColName
                              ? static_cast<QWidget*>(grid->textEditor())
                              : static_cast<QWidget*>(grid->listEditor());
        EXPECT_TRUE(editor->isVisible()) << column;
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
    EXPECT_EQ(current(), std::make_pair(128, int(Col::ColRx)));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(ChannelGrid, ListChoicesChangeOnlyTheirBits) {
    enterFrequency(4, Col::ColRx, "446");
    click(4, Col::ColDecode);  // leaves the transmit cell first
    state->ChannelTable[4][12] = 0x46;
    state->ChannelTable[4][13] = 0x2F;
    grid->showChannelRow(4);
    click(4, Col::ColPower);
    QComboBox* list = grid->listEditor();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentText(), "High");
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(byte(4, 12), 0x45);

    click(4, Col::ColWidth);
    EXPECT_EQ(cell(4, Col::ColPower), "Mid");
    emit list->activated(0);
    EXPECT_EQ(byte(4, 13), 0x0F);

    click(4, Col::ColDecode);
    EXPECT_EQ(list->count(), 265);
    EXPECT_EQ(list->itemText(1), "67.0");
    emit list->activated(51);  // D017N
    EXPECT_EQ(byte(4, 8), 1);
    EXPECT_EQ(byte(4, 9), 0);
    emit list->activated(0);
    EXPECT_EQ(byte(4, 8), 255);
    EXPECT_EQ(byte(4, 9), 255);
}

TEST_F(ChannelGrid, StoredTonesShowClampedAndUnknownGroupsKeepTheCell) {
    StoreRxText(state->ChannelTable, 12, "446");
    ApplyGridDefaults(state->ChannelTable, 12);
    struct Case {
        std::uint8_t type, index;
        const char* shown;
    };
    const Case cases[] = {
        {0, 60, "254.1"}, {0, 255, "254.1"}, {1, 200, "D754N"}, {2, 0, "D017I"},
        {255, 7, "OFF"},  {9, 255, "OFF"},   {3, 5, "OFF"}};  // group 3: the cell keeps what it
                                                              // showed
    for (const Case& c : cases) {
        state->ChannelTable[12][8] = c.type;
        state->ChannelTable[12][9] = c.index;
        grid->showChannelRow(12);
        EXPECT_EQ(cell(12, Col::ColDecode).trimmed(), c.shown)
            << int(c.type) << "/" << int(c.index);
    }
}

TEST_F(ChannelGrid, CellsBeyondTheFrequenciesDoNotOpenOnAnEmptyRow) {
    WriteName(state->ChannelTable, 6, "KEEP");
    for (int column :
         {Col::ColDecode, Col::ColEncode, Col::ColPower, Col::ColWidth, Col::ColName}) {
        click(6, column);
        EXPECT_FALSE(grid->textEditor()->isVisible()) << column;
        EXPECT_FALSE(grid->listEditor()->isVisible()) << column;
    }
    click(7, Col::ColRx);
    // Leaving the unopened name cell did not wipe the stored name.
    EXPECT_EQ(ReadName(state->ChannelTable, 6), "KEEP");
    EXPECT_TRUE(grid->textEditor()->isVisible());
}

TEST_F(ChannelGrid, ClearEmptiesEveryChannelAndNameButNothingElse) {
    enterFrequency(1, Col::ColRx, "446");
    WriteName(state->ChannelTable, 1, "A");
    WriteName(state->ChannelTable, 128, "Z");
    const auto row0 = state->ChannelTable[0];
    const auto row208 = state->ChannelTable[208];
    child<QPushButton>(grid, "Command_Clear")->click();
    for (int c = 1; c <= kChannelCount; ++c) {
        EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, c));
        EXPECT_EQ(ReadName(state->ChannelTable, c), "");
    }
    for (int r = 160; r < 200; ++r)
        for (int f = 0; f < 16; ++f) EXPECT_EQ(byte(r, f), 255);
    EXPECT_EQ(cell(1, Col::ColRx), "");
    EXPECT_EQ(state->ChannelTable[0], row0);
    EXPECT_EQ(state->ChannelTable[208], row208);
}

TEST_F(ChannelGrid, ScrollingHidesTheOverlayWithoutCommitting) {
    click(1, Col::ColRx);
    type("446");
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    EXPECT_FALSE(grid->textEditor()->isVisible());
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 1));
    // Typing on brings the overlay back with what was typed.
    QTest::keyClicks(table, ".5");
    EXPECT_TRUE(grid->textEditor()->isVisible());
    EXPECT_EQ(grid->textEditor()->text(), "446.5");
}

TEST_F(ChannelGrid, ActivationRebuildsTheRowsFromTheImage) {
    StoreRxText(state->ChannelTable, 10, "450");
    ApplyGridDefaults(state->ChannelTable, 10);
    for (int i = 4; i < 8; ++i) state->ChannelTable[10][static_cast<std::size_t>(i)] = 0;
    EXPECT_EQ(cell(10, Col::ColRx), "");
    grid->windowActivated();
    EXPECT_EQ(cell(10, Col::ColRx), "450.00000");
    EXPECT_EQ(cell(10, Col::ColTx), "450.00000");
}

TEST_F(ChannelGrid, APendingEditIsCommittedForTheWriteWindow) {
    click(3, Col::ColRx);
    type("450");
    grid->commitPendingEdit();
    EXPECT_EQ(GetRxMHz(state->ChannelTable, 3), 450.0);
    EXPECT_FALSE(grid->textEditor()->isVisible());
    grid->commitPendingEdit();  // nothing left to commit
    click(3, Col::ColName);
    type("ab");
    grid->commitPendingEdit();
    EXPECT_EQ(ReadName(state->ChannelTable, 3), "AB");
}

TEST_F(ChannelGrid, CloseRefusedWhileAnExchangeRuns) {
    main->exchangeRunning = [] { return true; };
    child<QPushButton>(grid, "Command_Close")->click();
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Read-write operating，don't close the window. ,"});
    EXPECT_NE(main->channelGrid(), nullptr);
    main->exchangeRunning = [] { return false; };
    child<QPushButton>(grid, "Command_Close")->click();
    settle();
    EXPECT_EQ(main->channelGrid(), nullptr);
    EXPECT_FALSE(state->Windows.ChannIsOpen);
}

}  // namespace
}  // namespace zt::test
