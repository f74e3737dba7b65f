// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid, the channel dialog and the channel file windows: the
// editors they lay over the data, what Enter and leaving a field commit, and
// the messages of refused entries.
#include <QAbstractItemView>
#include <QScrollBar>

#include "ui_test_support.h"

namespace zt::test {
namespace {

class ChannelWindows : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        grid = main->channelGrid();
        ASSERT_NE(grid, nullptr);
        table = grid->grid();
    }
    // A channel's row as shown, the cells joined by "|".
    QString row(int channel) {
        QStringList cells;
        for (int c = 0; c < 8; ++c) cells << gridText(channel, c);
        return cells.join('|');
    }
    std::pair<int, int> current() { return {table->currentRow() + 1, table->currentColumn()}; }

    void openDialog(int channel) {
        state->CurrentChannel = static_cast<std::int16_t>(channel);
        child<QPushButton>(main->channelGrid(), "Command_Edit")->click();
        dialog = main->window(WindowId::ChannEdit);
        ASSERT_NE(dialog, nullptr);
    }
    template <class T = QLineEdit>
    T* control(const char* name) {
        return child<T>(dialog, name);
    }
    // Types into a field and leaves it the way a Tab to the next control does.
    void typeInto(const char* name, const QString& text) {
        auto* field = control(name);
        field->clear();
        QTest::keyClicks(field, text);
        leave(field);
        settle();
    }

    ChannelGridWindow* grid = nullptr;
    QTableWidget* table = nullptr;
    QWidget* dialog = nullptr;
};

TEST_F(ChannelWindows, AFrequencyFillsAnEmptyChannelEnterWalksItsCellsRefusalsAreRepaired) {
    WriteName(state->ChannelTable, 128, "RPT");
    enter(128, Col::ColRx, "446");
    EXPECT_EQ(row(128), "128|446.00000|446.00000|OFF|OFF|High|Wide|RPT");
    // Enter moves on (where to: the model tests), opening the cell's editor.
    ASSERT_EQ(current(), std::make_pair(128, int(Col::ColTx)));
    key(Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(128, int(Col::ColDecode)));
    // A choice reaches the image and the row (which bits: the model tests).
    ASSERT_TRUE(grid->listEditor()->isVisible());
    grid->listEditor()->setCurrentIndex(1);
    emit grid->listEditor()->activated(1);
    clickCell(128, Col::ColRx);
    EXPECT_EQ(row(128), "128|446.00000|446.00000|67.0|OFF|High|Wide|RPT");
    EXPECT_TRUE(presenter.messages.empty());

    // Refused entries (a receive frequency: the modal box tests).
    enter(3, Col::ColRx, "446");
    // A name cell takes five characters.
    clickCell(3, Col::ColName);
    QTest::keyClicks(grid->textEditor(), "abcdef");
    EXPECT_EQ(grid->textEditor()->text(), "abcde");
    clickCell(3, Col::ColRx);
    // A Ctrl chord in a cell is no typing (Ctrl+1 once bounced between the
    // grid and its editor until the stack ran out).
    QTest::keyClick(grid->textEditor(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(grid->textEditor()->text(), "446.00000");
    enter(3, Col::ColTx, "500");
    EXPECT_EQ(presenter.take(), Texts{"Over the range of transmit frequency ."});
    EXPECT_EQ(gridText(3, Col::ColTx), "400.00000");
}

TEST_F(ChannelWindows, TheNumberColumnIsNeverCurrentAndToneListsDropDownSixteenRows) {
    clickCell(5, Col::ColRx);
    clickCell(6, Col::ColChannel);  // selects row 6; its receive cell becomes current
    EXPECT_EQ(current(), std::make_pair(6, int(Col::ColRx)));
    table->setFocus();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home}) {
        QTest::keyClick(table, key);
        EXPECT_EQ(table->currentColumn(), int(Col::ColRx)) << key;
    }
    enter(5, Col::ColRx, "446");
    clickCell(5, Col::ColDecode);
    QComboBox* list = grid->listEditor();
    ASSERT_EQ(list->count(), 265);
    list->showPopup();
    const int rows = list->view()->window()->height() / list->view()->sizeHintForRow(0);
    list->hidePopup();
    EXPECT_GE(rows, 15);
    EXPECT_LE(rows, 17);
}

TEST_F(ChannelWindows, ClearEmptiesEveryChannelAndNameButNothingElse) {
    enter(1, Col::ColRx, "446");
    WriteName(state->ChannelTable, 128, "Z");
    Image expected = state->ChannelTable;
    for (int r = 1; r <= 128; ++r) expected[r].fill(255);
    for (int r = 160; r < 200; ++r) expected[r].fill(255);  // the names
    child<QPushButton>(grid, "Command_Clear")->click();
    EXPECT_EQ(state->ChannelTable, expected);
    EXPECT_EQ(row(1), "1|||||||");
}

// The grid, the dialog and the captions follow one current channel.
TEST_F(ChannelWindows, OneCurrentChannelStepsAroundAndTakesOnlyDigitsUpTo128) {
    EXPECT_EQ(row(128), "128|||||||");
    clickCell(7, Col::ColRx);
    EXPECT_EQ(state->CurrentChannel, 7);
    EXPECT_EQ(grid->windowTitle(), "Channel Information [ Channel - 7 ]");
    // The grid command reopens a fresh grid on channel 1.
    grid = open<ChannelGridWindow>("Channel_edit", WindowId::Chann);
    EXPECT_EQ(state->CurrentChannel, 1);
    openDialog(1);
    auto* scroll = control<QScrollBar>("VScroll1");
    auto* number = control("Text_CHN");
    scroll->setValue(scroll->value() - 1);
    EXPECT_EQ(state->CurrentChannel, 128);
    EXPECT_EQ(number->text(), "128");
    EXPECT_EQ(grid->windowTitle(), "Channel Information [ Channel - 128 ]");
    scroll->setValue(scroll->value() + 1);
    EXPECT_EQ(number->text(), "1");
}

TEST_F(ChannelWindows, TheDialogOpensAnEmptyChannelOnlyForAReceiveFrequencyTheGridShowsIt) {
    WriteName(state->ChannelTable, 9, "OLD");
    openDialog(9);
    EXPECT_EQ(ReadName(state->ChannelTable, 9), "");  // an empty channel has no name
    EXPECT_FALSE(control<QWidget>("Text_TX_Freq")->isEnabled());
    typeInto("Text_RX_Freq", "44a6");  // letters do not pass
    EXPECT_EQ(control("Text_TX_Freq")->text(), "446.00000");
    EXPECT_TRUE(control<QWidget>("Text_TX_Freq")->isEnabled());
    // The dialog's own defaults, which differ from the grid's.
    EXPECT_EQ(control<QComboBox>("Combo_WN")->currentText(), "Narrow");
    EXPECT_EQ(control<QLabel>("Label_WN")->text(), "Wide/Narror");
    EXPECT_TRUE(presenter.messages.empty());
    // The grid shows it once active again; Close leaves no empty frame behind.
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(grid->parentWidget()));
    settle();
    EXPECT_EQ(gridText(9, Col::ColRx), "446.00000");
    press(dialog, "Command_Close");
    EXPECT_EQ(main->window(WindowId::ChannEdit), nullptr);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
}

TEST_F(ChannelWindows, DialogFieldsCommitWhenLeft) {
    openDialog(3);
    typeInto("Text_RX_Freq", "446");
    typeInto("Text_TX_Freq", "480");
    EXPECT_EQ(presenter.take(), Texts{"Over the range of Transmit frequency ."});
    EXPECT_EQ(control("Text_TX_Freq")->text(), "400.00000");
    EXPECT_EQ(TxText(state->ChannelTable, 3), "400.00000");
    QTest::keyClicks(control("Text_Name"), "abcdef");
    EXPECT_EQ(ReadName(state->ChannelTable, 3), "ABCDE");
    EXPECT_EQ(control("Text_Name")->text(), "abcde");
    control<QCheckBox>("Check_Scan")->click();
    EXPECT_EQ(state->ChannelTable[3][12] & 0x04, 0);
    control<QCheckBox>("Check_VOX")->click();
    EXPECT_EQ(state->ChannelTable[3][13] & 0x40, 0x40);
    emit control<QComboBox>("Combo_Decode")->activated(1);
    EXPECT_EQ(RxTone(state->ChannelTable, 3), (TonePair{0, 0}));
    // Clearing the receive field empties the record and its name.
    typeInto("Text_RX_Freq", "");
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 3));
    EXPECT_EQ(ReadName(state->ChannelTable, 3), "");
    EXPECT_FALSE(control<QWidget>("Text_Name")->isEnabled());
}

TEST_F(ChannelWindows, NameChecksRefuseWithTheirMessages) {
    QWidget* opened = open("File_Open", WindowId::OpenChann);
    EXPECT_EQ(child<QLineEdit>(opened, "Text1")->text(), "*.chann");
    const QString badName = "Open the file name of channel parameter is nullity ";
    const QString badSuffix = "Nullity file suffix name of channel parameter.";
    for (auto [name, message] : {std::pair{"*.chann", badName}, std::pair{"a#b.chann", badName},
                                 std::pair{"radio.Chann", badSuffix}, std::pair{"hann", badSuffix},
                                 std::pair{"", badSuffix}}) {
        EXPECT_EQ(confirmFile(WindowId::OpenChann, name), Texts{message}) << name;
    }
    EXPECT_EQ(main->window(WindowId::OpenChann), opened);                 // still open
    EXPECT_EQ(CheckChannelFileName(".chann"), ChannelFileNameCheck::Ok);  // the suffix alone

    command("File_saveas");
    EXPECT_EQ(confirmFile(WindowId::SaveChann, "x$.chann"),
              Texts{"Store the file name of channel parameter need is nullity. "});
    EXPECT_EQ(confirmFile(WindowId::SaveChann, "x.txt"),
              Texts{"Advice don't modify file suffix name of system default ！"});
}

TEST_F(ChannelWindows, SaveThenLoadRestoresTheImageAndTheGridShowsIt) {
    UseChannel(state->ChannelTable, 1, "446.5");
    // A name still being typed in the grid is saved too.
    grid->showAllRows();
    grid->grid()->setCurrentCell(0, ChannelGridWindow::ColName);
    grid->textEditor()->setText("HOME");

    command("File_save");
    EXPECT_EQ(ReadName(state->ChannelTable, 1), "HOME");
    const Image saved = state->ChannelTable;
    EXPECT_EQ(confirmFile(WindowId::SaveChann, "  radio.CHANN  "),
              Texts{"Complete storing channel parameter."});
    EXPECT_EQ(main->window(WindowId::SaveChann), nullptr);

    ClearChannel(state->ChannelTable, 1);
    grid->showAllRows();
    command("File_Open");
    EXPECT_EQ(confirmFile(WindowId::OpenChann, "radio.CHANN"),
              Texts{"Succeed fold the channel parameter from file."});
    EXPECT_EQ(state->ChannelTable, saved);
    EXPECT_EQ(grid->grid()->item(0, 1)->text(), "446.50000");
    EXPECT_EQ(main->window(WindowId::OpenChann), nullptr);
}

}  // namespace
}  // namespace zt::test
