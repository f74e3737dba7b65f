// SPDX-License-Identifier: GPL-3.0-or-later
// Messages: the presenter's rules, the option window's refusals, and the
// program's own boxes really shown.
#include <QMessageBox>
#include <functional>

#include "model/fm_presets.h"
#include "ui/qt_translations.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

// A presenter whose box, while up, runs a handler: the way a focus change under a
// modal box re-enters the handler that asked for it.
class ReenteringPresenter final : public MessagePresenter {
  public:
    Texts shown;
    std::function<void()> whileShowing;

  protected:
    void present(const QString& text, const QString&) override {
        shown.push_back(text);
        if (auto handler = std::exchange(whileShowing, nullptr)) handler();
    }
};

TEST(MessagePresenter, ShowsEachMessageOnceAndQueuesAnotherAskedMeanwhile) {
    app();
    ReenteringPresenter p;
    p.showLater("Over", "Operate prompt");
    p.showLater("Over", "Operate prompt");
    EXPECT_TRUE(p.shown.empty());  // nothing inside the handler itself
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, Texts{"Over"});
    EXPECT_FALSE(p.busy());

    // The same message from a re-entered handler is dropped; another follows.
    p.whileShowing = [&] { p.show("A", "T"); };
    p.show("A", "T");
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, (Texts{"Over", "A"}));
    p.whileShowing = [&] { p.show("B", "T"); };
    p.show("C", "T");
    EXPECT_EQ(p.shown, (Texts{"Over", "A", "C"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, (Texts{"Over", "A", "C", "B"}));
}

// Wired as the program wires it.
using QtTexts = MainWindowTest;
TEST_F(QtTexts, MessageBoxButtonsFollowTheLanguage) {
    QObject::connect(main.get(), &MainWindow::languageChanged, &FollowLanguageInQtTexts);
    auto okText = [] {
        QMessageBox box(QMessageBox::Warning, "Operate prompt", "x", QMessageBox::Ok);
        return box.button(QMessageBox::Ok)->text().remove('&');
    };
    EXPECT_EQ(okText(), "OK");
    main->action("Language_chn")->trigger();
    EXPECT_EQ(okText(), "确定");
    main->action("Language_eng")->trigger();
    EXPECT_EQ(okText(), "OK");
}

// The option and FM windows' boxes (which entries are refused: the model
// tests): a refusal repaired with the focus back, the boxes' own key rules.
using EditorWindows = MainWindowTest;
TEST_F(EditorWindows, OptionRefusalsAreRepairedAndThePasswordTakesFourDigits) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    auto* lower = child<QLineEdit>(w, "Text_pvfo_d0");
    type(lower, "380");
    child<QLineEdit>(w, "Text_pvfo_d1")->setFocus(Qt::MouseFocusReason);  // leaves the box
    settle();
    EXPECT_EQ(presenter.take().size(), 1u);  // which: the model tests
    EXPECT_EQ(lower->text(), "400");
    EXPECT_EQ(QApplication::focusWidget(), lower);
    EXPECT_EQ(state->ChannelTable[153][1], 0x40);

    // The password box takes four digits and nothing else; the short-password
    // message: the modal box tests.
    auto* password = child<QLineEdit>(w, "Text_Pon_PWD");
    EXPECT_FALSE(password->isEnabled());
    child<QCheckBox>(w, "Check_Pon_PWD")->click();
    type(password, "12a345");
    EXPECT_EQ(password->text(), "1234");
    const ImageRow& stored = state->ChannelTable[209];
    EXPECT_EQ(std::vector<int>(stored.begin(), stored.begin() + 4), (std::vector<int>{1, 2, 3, 4}));
    QTest::keyClick(password, Qt::Key_Backspace);
    EXPECT_EQ(stored[3], 255);
}

TEST_F(EditorWindows, FmCellCommitsWhenLeftAndASixthCharacterIsRefused) {
    QWidget* w = open("Test_edit", WindowId::Test);
    auto* grid = child<QTableWidget>(w, "MSF_chann");
    auto* edit = child<QLineEdit>(w, "Text_Edit");
    grid->setCurrentCell(0, 1);
    QTest::keyClicks(edit, "100");
    grid->setCurrentCell(1, 1);
    settle();
    EXPECT_EQ(grid->item(0, 1)->text(), "100.0");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 0), 130);
    QTest::keyClicks(edit, "87.155");
    settle();
    EXPECT_EQ(presenter.take(), Texts{"Over the range of FM frequency ."});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 1), 255);
}

// A box takes the focus from the field that asked for it, which is how a
// message loop would start. A timer answers each box.
class ModalBoxes : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QObject::connect(&answer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown.push_back(box->text());
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                EXPECT_EQ(box->buttons().size(), 1);
                box->accept();
            }
        });
        answer.start(30);
    }
    MessagePresenter& boxes() override { return real; }
    QLineEdit* field(WindowId id, const char* name) {
        main->reopen(id);
        return child<QLineEdit>(main->window(id), name);
    }
    // Types into `box`, then clicks into `next`; the boxes shown meanwhile.
    std::vector<QString> enter(QLineEdit* box, const QString& text, QWidget* next) {
        QApplication::setActiveWindow(main.get());  // as it is again after a box
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box, text);
        next->setFocus(Qt::MouseFocusReason);
        RunEventLoopFor(600);
        return std::exchange(shown, {});
    }

    MessageBoxPresenter real;
    QTimer answer;
    std::vector<QString> shown;
};

TEST_F(ModalBoxes, OutOfBandEntryInTheGridOrTheChannelDialogShowsOneBox) {
    clickCell(1, ChannelGridWindow::ColRx);
    QTest::keyClicks(main->channelGrid()->textEditor(), "470");
    clickCell(6, ChannelGridWindow::ColRx);  // leaving the cell commits it
    RunEventLoopFor(600);
    EXPECT_EQ(std::exchange(shown, {}), Texts{"Over the range of receive frequency ."});
    EXPECT_EQ(main->channelGrid()->grid()->item(0, 1)->text(), "400.00000");
    EXPECT_EQ(main->channelGrid()->grid()->currentRow(), 5);
    // From the keyboard: Enter stores the repaired entry and opens the next
    // cell, where the focus is back after the box.
    QTableWidget* grid = main->channelGrid()->grid();
    QApplication::setActiveWindow(main.get());
    grid->setFocus();
    QTest::keyClicks(grid, "480");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    RunEventLoopFor(600);
    EXPECT_EQ(std::exchange(shown, {}), Texts{"Over the range of receive frequency ."});
    EXPECT_EQ(grid->item(5, 1)->text(), "400.00000");
    EXPECT_EQ(main->focusWidget()->accessibleName(), "Channel 6, TX Frequency");

    QApplication::setActiveWindow(main.get());  // back from the box
    state->CurrentChannel = 2;
    QLineEdit* rx = field(WindowId::ChannEdit, "Text_RX_Freq");
    EXPECT_EQ(enter(rx, "480", child<QLineEdit>(main->window(WindowId::ChannEdit), "Text_CHN")),
              Texts{"Over the range of receive frequency ."});
    EXPECT_EQ(rx->text(), "400.00000");
    EXPECT_FALSE(IsChannelEmpty(state->ChannelTable, 2));
}

// Two refused boxes once handed the focus back and forth without end.
TEST_F(ModalBoxes, RefusedOptionEntriesShowOneBoxAndGetTheFocusBack) {
    // An offset of 255 255 255 255 shows as 1666.66665, which its box refuses.
    for (int b = 4; b < 8; ++b) state->ChannelTable[0][b] = 255;  // the frequency-mode record
    QLineEdit* offset = field(WindowId::Option, "Text_Offset_Freq");
    QLineEdit* rx = child<QLineEdit>(main->window(WindowId::Option), "Text_RX_Freq");
    rx->clear();
    EXPECT_EQ(enter(rx, "470", offset), Texts{"Over the range of RX frequency ."});
    EXPECT_EQ(rx->text(), "");
    // The box the main window gives the focus to when it is active again.
    EXPECT_EQ(main->focusWidget(), rx);
    EXPECT_EQ(offset->text(), "1666.66665");

    // A short password's box keeps the focus once; leaving it again with the
    // same digits is let go without the message, so the keyboard is never
    // trapped in it.
    state->ChannelTable[208][2] |= 0x08;  // password on
    QLineEdit* password = field(WindowId::Option, "Text_Pon_PWD");
    auto* next = child<QLineEdit>(main->window(WindowId::Option), "Text_pvfo_d0");
    EXPECT_EQ(enter(password, "12", next), Texts{"Password length is 4 digit."});
    EXPECT_EQ(main->focusWidget(), password);
    EXPECT_EQ(enter(password, "", next), Texts{});
    EXPECT_EQ(main->focusWidget(), next);
    EXPECT_EQ(enter(password, "3", next), Texts{"Password length is 4 digit."});
}

}  // namespace
}  // namespace zt::test
