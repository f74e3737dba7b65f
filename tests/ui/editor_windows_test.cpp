#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

#include "model/fm_presets.h"
#include "model/options.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class EditorWindows : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QApplication::setActiveWindow(main.get());
        settle();
    }

    QWidget* open(const char* command, WindowId id) {
        main->action(command)->trigger();
        settle();
        QWidget* w = main->window(id);
        EXPECT_NE(w, nullptr) << command;
        return w;
    }

    // Moves the focus from `box` to `to`, as a click on another control does.
    static void leave(QWidget* box, QWidget* to) {
        box->setFocus(Qt::MouseFocusReason);
        to->setFocus(Qt::MouseFocusReason);
        settle();
    }

    // Replaces a box's text as typing does.
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
};

TEST_F(EditorWindows, PasswordBoxAsksForFourDigitsOnceAndKeepsTheFocus) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    ASSERT_TRUE(w);
    EXPECT_TRUE(state->Windows.OptionIsOpen);
    auto* password = child<QLineEdit>(w, "Text_Pon_PWD");
    auto* message = child<QLineEdit>(w, "Text_Pon_Msg");
    EXPECT_FALSE(password->isEnabled());
    child<QCheckBox>(w, "Check_Pon_PWD")->click();
    EXPECT_TRUE(password->isEnabled());
    EXPECT_TRUE(state->ChannelTable[kPasswordRow][0] == 255);

    type(password, "12a");  // the letter is discarded
    EXPECT_EQ(password->text(), "12");
    EXPECT_EQ(state->ChannelTable[kPasswordRow][0], 1);
    EXPECT_EQ(state->ChannelTable[kPasswordRow][1], 2);
    leave(password, child<QLineEdit>(w, "Text_pvfo_d1"));
    settle();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "Password length is 4 digit.");
    EXPECT_EQ(presenter.messages[0].title, "Operate Prompt");
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_EQ(password->text(), "12");
    presenter.messages.clear();

    // A paste cannot bring in what the keys keep out.
    password->end(false);
    password->insert("3a");
    EXPECT_EQ(password->text(), "12");
    QTest::keyClicks(password, "345");  // the fifth digit has no effect
    EXPECT_EQ(password->text(), "1234");
    leave(password, message);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(state->ChannelTable[kPasswordRow][3], 4);
}

TEST_F(EditorWindows, ReceiveOffsetAndLimitBoxesReportAndRecover) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    ASSERT_TRUE(w);
    auto* rx = child<QLineEdit>(w, "Text_RX_Freq");
    auto* offset = child<QLineEdit>(w, "Text_Offset_Freq");
    auto* lower = child<QLineEdit>(w, "Text_pvfo_d0");
    auto* upper = child<QLineEdit>(w, "Text_pvfo_d1");
    EXPECT_EQ(rx->text(), "462.01250");
    EXPECT_EQ(lower->text(), "400");

    type(rx, "470");
    leave(rx, offset);
    ASSERT_EQ(presenter.take(), std::vector<QString>{"Over the range of RX frequency ."});
    EXPECT_EQ(rx->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), rx);
    QTest::keyClicks(rx, "469.9875");
    leave(rx, offset);
    EXPECT_TRUE(presenter.take().empty());
    EXPECT_EQ(rx->text(), "469.98750");

    type(offset, "7");
    QTest::keyClick(offset, Qt::Key_5);
    settle();
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of Offset frequency ."});
    EXPECT_EQ(offset->text(), "");

    type(lower, "380");
    leave(lower, upper);
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{
                  "frequency of lower limit can't less than the lowest of work frequency. "});
    EXPECT_EQ(lower->text(), "400");
    EXPECT_EQ(QApplication::focusWidget(), lower);
    EXPECT_EQ(state->ChannelTable[kBandEdgeRow][1], 0x40);
}

TEST_F(EditorWindows, TwoRefusedBoxesDoNotHandTheFocusBackAndForth) {
    // An offset of 255 255 255 255 shows as 1666.66665, which its box refuses.
    for (int b = 4; b < 8; ++b) state->ChannelTable[kVfoRow][b] = 255;
    QWidget* w = open("Optional_edit", WindowId::Option);
    ASSERT_TRUE(w);
    auto* rx = child<QLineEdit>(w, "Text_RX_Freq");
    auto* offset = child<QLineEdit>(w, "Text_Offset_Freq");
    EXPECT_EQ(offset->text(), "1666.66665");
    type(rx, "470");
    leave(rx, offset);  // the focus comes back to rx, leaving offset unasked
    for (int i = 0; i < 5; ++i) settle();
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of RX frequency ."});
    EXPECT_EQ(QApplication::focusWidget(), rx);
    EXPECT_EQ(offset->text(), "1666.66665");
}

TEST_F(EditorWindows, ShiftDirectionOutOfBandReturnsToOff) {
    QWidget* w = open("Optional_edit", WindowId::Option);
    ASSERT_TRUE(w);
    auto* shift = child<QComboBox>(w, "Combo_Sft_d");
    auto* tx = child<QLineEdit>(w, "Text_tx_freq");
    // 462.0125 + 10 leaves the band; 462.0125 - 10 stays in it.
    shift->activated(1);
    settle();
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of TX frequency ."});
    EXPECT_EQ(shift->currentIndex(), 0);
    shift->setCurrentIndex(2);
    shift->activated(2);
    settle();
    EXPECT_TRUE(presenter.take().empty());
    EXPECT_EQ(shift->currentIndex(), 2);
    EXPECT_EQ(tx->text(), "452.0125");
    EXPECT_EQ(state->ChannelTable[kVfoRow][12] & 0xC0, 0x80);
}

TEST_F(EditorWindows, FmCellSixthCharacterEmptiesItAndCommitsStore) {
    QWidget* w = open("Test_edit", WindowId::Test);
    ASSERT_TRUE(w);
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
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of FM frequency ."});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(grid->item(1, 1)->text(), "");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 1), 255);

    QTest::keyClicks(edit, "120");
    grid->setCurrentCell(2, 1);
    settle();
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Over the range of FM frequency ."});
    EXPECT_EQ(grid->item(1, 1)->text(), "87");
    EXPECT_EQ(FmPresetByte(state->ChannelTable, 1), 0);
}

TEST_F(EditorWindows, HiddenEditorsOpenAndEditTheirOwnRows) {
    main->reopen(WindowId::Key);
    main->reopen(WindowId::Scan);
    main->reopen(WindowId::Message);
    settle();
    QWidget* key = main->window(WindowId::Key);
    QWidget* scan = main->window(WindowId::Scan);
    QWidget* message = main->window(WindowId::Message);
    ASSERT_TRUE(key && scan && message);
    EXPECT_TRUE(state->Windows.MessageIsOpen);
    const Image before = state->ChannelTable;

    auto* pf1 = child<QComboBox>(key, "Combo_pf1");
    EXPECT_EQ(pf1->currentText(), "None");
    pf1->setCurrentIndex(6);
    pf1->activated(6);
    EXPECT_EQ(state->ChannelTable[214][0], 6);

    auto* text = child<QLineEdit>(message, "Text_MS1");
    EXPECT_EQ(text->text(), "");  // the start-up bytes are not printable
    type(text, "HI");
    EXPECT_EQ(state->ChannelTable[209][4], 72);
    EXPECT_EQ(state->ChannelTable[209][5], 73);

    auto* pri = child<QComboBox>(scan, "Combo_pri");
    auto* prich = child<QLineEdit>(scan, "Text_prich");
    pri->setCurrentIndex(1);
    pri->activated(1);
    settle();
    // Fixed mode with no channel stored asks for one.
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Priority channel must be between 1 and 16."});
    EXPECT_TRUE(prich->isEnabled());
    type(prich, "17");
    settle();
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Priority channel must be between 1 and 16."});
    EXPECT_EQ(prich->text(), "");
    EXPECT_EQ(state->ChannelTable[213][1], 1);
    // Nothing outside the three records changed; channel 17 and 22 least of all.
    for (int r = 0; r < kImageRows; ++r) {
        if (r == 209 || r == 213 || r == 214) continue;
        EXPECT_EQ(state->ChannelTable[r], before[r]) << r;
    }
}

TEST_F(EditorWindows, LanguageSwitchReloadsOpenWindowsAndBack) {
    main->reopen(WindowId::Option);
    main->reopen(WindowId::Message);
    main->reopen(WindowId::Key);
    settle();
    QPointer<QWidget> option = main->window(WindowId::Option);
    QPointer<QWidget> grid = main->window(WindowId::Chann);
    QWidget* key = main->window(WindowId::Key);
    ASSERT_TRUE(option && key && grid);

    main->action("Language_chn")->trigger();
    settle();
    EXPECT_TRUE(state->LanguageChinese);
    EXPECT_TRUE(main->action("Language_chn")->isChecked());
    EXPECT_FALSE(main->action("Language_eng")->isChecked());
    EXPECT_EQ(main->windowTitle(), "Merivon  ZT790 C1.0 系列对讲机编程软件 ");
    EXPECT_EQ(main->statusPanel(1), "状态");
    EXPECT_EQ(main->statusPanel(3), "COM1");
    EXPECT_EQ(main->action("Optional_edit")->text(), "可选功能");
    // Open windows were unloaded and loaded afresh, the channel grid included.
    EXPECT_TRUE(option.isNull());
    EXPECT_TRUE(grid.isNull());
    EXPECT_NE(main->window(WindowId::Chann), nullptr);
    EXPECT_TRUE(state->Windows.ChannIsOpen);
    QWidget* newOption = main->window(WindowId::Option);
    ASSERT_NE(newOption, nullptr);
    EXPECT_EQ(newOption->windowTitle(), "可选参数");
    EXPECT_EQ(child<QComboBox>(newOption, "Combo_Scan")->itemText(0), "时间");
    EXPECT_EQ(main->window(WindowId::Message)->windowTitle(), "嵌入信息");
    // The key window keeps no open flag: it stays as it was until opened again.
    EXPECT_EQ(main->window(WindowId::Key), key);
    EXPECT_EQ(key->windowTitle(), "Key Assingment");
    main->reopen(WindowId::Key);
    EXPECT_EQ(main->window(WindowId::Key)->windowTitle(), "键设定");

    main->action("Language_eng")->trigger();
    settle();
    EXPECT_FALSE(state->LanguageChinese);
    EXPECT_TRUE(main->action("Language_eng")->isChecked());
    EXPECT_FALSE(main->action("Language_chn")->isChecked());
    EXPECT_EQ(main->window(WindowId::Option)->windowTitle(), "Optional Features");
    EXPECT_EQ(main->window(WindowId::Message)->windowTitle(), "Embedded Message");
    EXPECT_TRUE(state->Windows.OptionIsOpen);
    EXPECT_TRUE(state->Windows.MessageIsOpen);
}

TEST_F(EditorWindows, ClosingAnEditorClearsItsFlagAndReopeningBuildsAFreshOne) {
    QPointer<QWidget> first = open("Optional_edit", WindowId::Option);
    QWidget* second = open("Optional_edit", WindowId::Option);
    EXPECT_TRUE(first.isNull());  // unloaded and deleted, not shown again
    EXPECT_NE(second, nullptr);
    EXPECT_TRUE(state->Windows.OptionIsOpen);
    ASSERT_TRUE(main->unload(WindowId::Option));
    EXPECT_FALSE(state->Windows.OptionIsOpen);
    EXPECT_TRUE(presenter.messages.empty());
}

}  // namespace
}  // namespace zt::test

namespace zt::test {
namespace {

// Every window that keeps an open flag comes back in the other language when
// the language is switched, and returns to English when it is switched back.
TEST_F(EditorWindows, LanguageSwitchTurnsEveryOpenWindowChineseAndBack) {
    struct Opened {
        WindowId id;
        QPointer<QWidget> window;
        QString englishTitle;
    };
    std::vector<Opened> opened;
    for (WindowId id : kReloadedOnLanguageSwitch) {
        main->reopen(id);
        settle();
        if (QWidget* w = main->window(id)) opened.push_back({id, w, w->windowTitle()});
    }
    ASSERT_GE(opened.size(), 5u);

    main->switchLanguage(true);
    settle();
    for (const Opened& o : opened) {
        EXPECT_TRUE(o.window.isNull()) << o.englishTitle.toStdString();
        QWidget* now = main->window(o.id);
        ASSERT_NE(now, nullptr) << o.englishTitle.toStdString();
        EXPECT_NE(now->windowTitle(), o.englishTitle) << o.englishTitle.toStdString();
        EXPECT_TRUE(*openFlag(*state, o.id)) << o.englishTitle.toStdString();
    }

    main->switchLanguage(false);
    settle();
    for (const Opened& o : opened) {
        QWidget* now = main->window(o.id);
        ASSERT_NE(now, nullptr) << o.englishTitle.toStdString();
        EXPECT_EQ(now->windowTitle(), o.englishTitle);
    }
}

}  // namespace
}  // namespace zt::test
