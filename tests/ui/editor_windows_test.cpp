// The option and broadcast FM editors: their key filters, range checks and the
// records they change.
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

#include "model/fm_presets.h"
#include "model/options.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using EditorWindows = MainWindowTest;

TEST_F(EditorWindows, PasswordBoxTakesFourDigitsAndAsksForThemOnce) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    auto* password = child<QLineEdit>(w, "Text_Pon_PWD");
    const ImageRow& stored = state->ChannelTable[kPasswordRow];
    EXPECT_FALSE(password->isEnabled());
    child<QCheckBox>(w, "Check_Pon_PWD")->click();
    EXPECT_TRUE(password->isEnabled());

    type(password, "12a");  // the letter is discarded
    EXPECT_EQ(password->text(), "12");
    EXPECT_EQ(std::vector<int>(stored.begin(), stored.begin() + 2), (std::vector<int>{1, 2}));
    leave(password, child<QLineEdit>(w, "Text_pvfo_d1"));
    EXPECT_EQ(presenter.take(), Texts{"Password length is 4 digit."});

    // A paste cannot bring in what the keys keep out; a fifth digit has no effect.
    password->end(false);
    password->insert("3a");
    EXPECT_EQ(password->text(), "12");
    QTest::keyClicks(password, "345");
    EXPECT_EQ(password->text(), "1234");
    leave(password, child<QLineEdit>(w, "Text_Pon_Msg"));
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(stored[3], 4);
}

TEST_F(EditorWindows, ReceiveOffsetAndLimitBoxesReportAndRecover) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    auto* rx = child<QLineEdit>(w, "Text_RX_Freq");
    auto* offset = child<QLineEdit>(w, "Text_Offset_Freq");
    auto* lower = child<QLineEdit>(w, "Text_pvfo_d0");
    EXPECT_EQ(rx->text(), "462.01250");
    EXPECT_EQ(lower->text(), "400");

    // A shift that leaves the band (462.0125 + 10) is refused and the list
    // returns to off; one that stays in it (- 10) is kept.
    auto* shift = child<QComboBox>(w, "Combo_Sft_d");
    for (auto [choice, said, shown] :
         {std::tuple{1, Texts{"Over the range of TX frequency ."}, 0}, std::tuple{2, Texts{}, 2}}) {
        shift->setCurrentIndex(choice);
        emit shift->activated(choice);
        settle();
        EXPECT_EQ(presenter.take(), said);
        EXPECT_EQ(shift->currentIndex(), shown);
    }
    EXPECT_EQ(child<QLineEdit>(w, "Text_tx_freq")->text(), "452.0125");

    type(rx, "469.9875");
    leave(rx, offset);
    EXPECT_TRUE(presenter.take().empty());
    EXPECT_EQ(rx->text(), "469.98750");

    type(offset, "75");  // refused as typed
    settle();
    EXPECT_EQ(presenter.take(), Texts{"Over the range of Offset frequency ."});
    EXPECT_EQ(offset->text(), "");

    type(lower, "380");
    leave(lower, child<QLineEdit>(w, "Text_pvfo_d1"));
    EXPECT_EQ(presenter.take(),
              Texts{"frequency of lower limit can't less than the lowest of work frequency. "});
    EXPECT_EQ(lower->text(), "400");
    EXPECT_EQ(QApplication::focusWidget(), lower);
    EXPECT_EQ(state->ChannelTable[kBandEdgeRow][1], 0x40);
}

TEST_F(EditorWindows, FmCellCommitsWhenLeftAndASixthCharacterEmptiesIt) {
    QWidget* w = open("Test_edit", WindowId::Test);
    EXPECT_TRUE(state->Windows.TestIsOpen);
    auto* grid = child<QTableWidget>(w, "MSF_chann");
    auto* edit = child<QLineEdit>(w, "Text_Edit");
    grid->setCurrentCell(0, 1);
    settle();
    EXPECT_TRUE(edit->isVisible());
    QTest::keyClicks(edit, "100");
    grid->setCurrentCell(1, 1);
    settle();
    EXPECT_EQ(grid->item(0, 1)->text(), "100.0");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 0), 130);

    QTest::keyClicks(edit, "87.155");
    settle();
    EXPECT_EQ(presenter.take(), Texts{"Over the range of FM frequency ."});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(grid->item(1, 1)->text(), "");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 1), 255);
}

}  // namespace
}  // namespace zt::test
