#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "model/channel.h"
#include "ui/channel_grid_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class ChannelEdit : public MainWindowTest {
  protected:
    void open(int channel) {
        state->CurrentChannel = static_cast<std::int16_t>(channel);
        child<QPushButton>(main->channelGrid(), "Command_Edit")->click();
        dialog = main->window(WindowId::ChannEdit);
        ASSERT_NE(dialog, nullptr);
    }
    template <class T>
    T* control(const char* name) {
        return child<T>(dialog, name);
    }
    // Leaves a field the way a Tab to the next control does.
    void leave(QWidget* field) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
        settle();
    }
    void typeInto(const char* name, const QString& text) {
        auto* field = control<QLineEdit>(name);
        field->clear();
        QTest::keyClicks(field, text);
        leave(field);
    }

    QWidget* dialog = nullptr;
};

TEST_F(ChannelEdit, SteppingWrapsAroundAndTheGridCaptionFollows) {
    open(1);
    auto* scroll = control<QScrollBar>("VScroll1");
    scroll->setValue(scroll->value() - 1);
    EXPECT_EQ(state->CurrentChannel, 128);
    EXPECT_EQ(control<QLineEdit>("Text_CHN")->text(), "128");
    EXPECT_EQ(main->channelGrid()->windowTitle(), "Channel Information [ Channel - 128 ]");
    scroll->setValue(scroll->value() + 1);
    EXPECT_EQ(state->CurrentChannel, 1);
    EXPECT_EQ(control<QLineEdit>("Text_CHN")->text(), "1");
}

TEST_F(ChannelEdit, ChannelNumberTakesOnlyDigitsUpTo128) {
    open(1);
    auto* number = control<QLineEdit>("Text_CHN");
    number->clear();
    QTest::keyClicks(number, "2x00");
    EXPECT_EQ(number->text(), "20");
    EXPECT_EQ(state->CurrentChannel, 20);
    QTest::keyClick(number, Qt::Key_Backspace);
    EXPECT_EQ(number->text(), "20");
}

TEST_F(ChannelEdit, AReceiveFrequencyOpensAnEmptyChannelWithTheDialogDefaults) {
    WriteName(state->ChannelTable, 9, "OLD");
    open(9);
    // An empty channel: only the receive field is open, and its name is gone.
    EXPECT_EQ(ReadName(state->ChannelTable, 9), "");
    for (const char* name :
         {"Text_TX_Freq", "Combo_Decode", "Combo_TXP", "Text_Name", "Check_VOX", "Check_Scan"}) {
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(control<QLineEdit>("Text_RX_Freq")->isEnabled());

    QTest::keyClicks(control<QLineEdit>("Text_RX_Freq"), "44a6");  // letters do not pass
    leave(control<QLineEdit>("Text_RX_Freq"));
    EXPECT_EQ(control<QLineEdit>("Text_RX_Freq")->text(), "446.00000");
    EXPECT_EQ(control<QLineEdit>("Text_TX_Freq")->text(), "446.00000");
    EXPECT_EQ(control<QComboBox>("Combo_Decode")->currentText(), "OFF");
    EXPECT_EQ(control<QComboBox>("Combo_Encode")->currentText(), "OFF");
    EXPECT_EQ(control<QComboBox>("Combo_TXP")->currentText(), "High");
    EXPECT_EQ(control<QComboBox>("Combo_WN")->currentText(), "Narrow");
    EXPECT_FALSE(control<QCheckBox>("Check_Scan")->isChecked());
    EXPECT_EQ(control<QLineEdit>("Text_Name")->text(), "");
    EXPECT_TRUE(control<QWidget>("Text_TX_Freq")->isEnabled());
    EXPECT_EQ(state->ChannelTable[9][12], 6);
    EXPECT_EQ(state->ChannelTable[9][13], 0);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(ChannelEdit, FieldsCommitWhenLeft) {
    open(3);
    typeInto("Text_RX_Freq", "446");
    typeInto("Text_TX_Freq", "441");
    EXPECT_EQ(GetTxMHz(state->ChannelTable, 3), 441.0);
    typeInto("Text_TX_Freq", "480");
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of Transmit frequency ."});
    EXPECT_EQ(control<QLineEdit>("Text_TX_Freq")->text(), "400.00000");
    typeInto("Text_TX_Freq", "");
    EXPECT_EQ(OffsetDirection(state->ChannelTable, 3), 0);  // blank: simplex
    EXPECT_EQ(control<QLineEdit>("Text_TX_Freq")->text(), "446.00000");

    QTest::keyClicks(control<QLineEdit>("Text_Name"), "abcdef");
    EXPECT_EQ(ReadName(state->ChannelTable, 3), "ABCDE");
    QTest::keyClick(control<QLineEdit>("Text_Name"), Qt::Key_Backspace);
    EXPECT_EQ(control<QLineEdit>("Text_Name")->text(), "abcde");

    control<QCheckBox>("Check_Scan")->click();
    EXPECT_EQ(state->ChannelTable[3][12] & 0x04, 0);
    control<QCheckBox>("Check_VOX")->click();
    EXPECT_EQ(state->ChannelTable[3][13] & 0x40, 0x40);

    auto* decode = control<QComboBox>("Combo_Decode");
    EXPECT_EQ(decode->count(), 265);
    emit decode->activated(1);
    EXPECT_EQ(RxTone(state->ChannelTable, 3), (TonePair{0, 0}));
    emit decode->activated(0);
    EXPECT_EQ(RxTone(state->ChannelTable, 3), (TonePair{255, 255}));

    // Clearing the receive field empties the record and its name.
    typeInto("Text_RX_Freq", "");
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 3));
    EXPECT_EQ(ReadName(state->ChannelTable, 3), "");
    EXPECT_FALSE(control<QWidget>("Text_Name")->isEnabled());
}

TEST_F(ChannelEdit, ActivatingTheGridFrameRebuildsIt) {
    open(4);
    typeInto("Text_RX_Freq", "455");
    QMdiSubWindow* gridFrame = nullptr;
    for (QMdiSubWindow* frame : main->mdiArea()->subWindowList()) {
        if (frame->widget() == main->channelGrid()) gridFrame = frame;
    }
    ASSERT_NE(gridFrame, nullptr);
    main->mdiArea()->setActiveSubWindow(gridFrame);
    settle();
    EXPECT_EQ(main->channelGrid()->grid()->item(3, 1)->text(), "455.00000");
}

TEST_F(ChannelEdit, TheGridShowsTheDialogsChangesWhenActivatedAgain) {
    open(2);
    typeInto("Text_RX_Freq", "450");
    control<QPushButton>("Command_Close")->click();
    settle();
    EXPECT_EQ(main->window(WindowId::ChannEdit), nullptr);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);  // no empty frame left behind
    main->channelGrid()->windowActivated();
    EXPECT_EQ(main->channelGrid()->grid()->item(1, 1)->text(), "450.00000");
}

}  // namespace
}  // namespace zt::test
