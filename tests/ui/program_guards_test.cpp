// What keeps a user's work and the radio safe around an exchange: the keyboard
// commands reach their windows from inside an editor, the program will not end
// in the middle of a write, and a grid editor left open across a read does not
// write the old image's text into the new one.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "exchange_test_support.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"
#include "ui/power_adjust_window.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;

class ProgramGuards : public ExchangeWindowTest {
  protected:
    void SetUp() override {
        ExchangeWindowTest::SetUp();
        main->show();
        QApplication::setActiveWindow(main.get());
    }
    QLineEdit* editCell(int channel, int column) {
        QTableWidget* table = main->channelGrid()->grid();
        const QRect cell = table->visualItemRect(table->item(channel - 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QLineEdit* editor = main->channelGrid()->textEditor();
        editor->setFocus();
        return editor;
    }
    void press(WindowId id) {
        auto* w = qobject_cast<CommWindow*>(main->window(id));
        ASSERT_NE(w, nullptr);
        child<QPushButton>(w, id == WindowId::CommRead ? "Command_read" : "Command_Write")->click();
    }
};

TEST_F(ProgramGuards, ReadAndWriteShortcutsWorkWhileTypingInTheGrid) {
    for (const auto& [key, id] :
         {std::pair{Qt::Key_R, WindowId::CommRead}, std::pair{Qt::Key_W, WindowId::CommWrite}}) {
        SCOPED_TRACE(static_cast<int>(id));
        QLineEdit* editor = editCell(3, Col::ColRx);
        ASSERT_TRUE(editor->hasFocus());
        QTest::keyClick(editor, key, Qt::ControlModifier);
        settle();
        EXPECT_NE(main->window(id), nullptr);
        EXPECT_NE(main->channelGrid(), nullptr);  // not closed by the same keys
        main->unload(id);
    }
}

TEST_F(ProgramGuards, TheProgramDoesNotEndDuringAWrite) {
    StoreRxText(state->ChannelTable, 5, "440.25");
    ApplyGridDefaults(state->ChannelTable, 5);
    main->action("Prog_write")->trigger();
    press(WindowId::CommWrite);
    auto* write = qobject_cast<CommWindow*>(main->window(WindowId::CommWrite));
    ASSERT_TRUE(runUntil([&] { return write->link().Vars().BlockIndex > 20; }));

    EXPECT_FALSE(main->close());
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Read-write operating，don't close the window. ,"});
    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommWrite) == nullptr; }));
    EXPECT_EQ(RxText(radio.Memory(), 5), "440.25000");
    EXPECT_TRUE(main->close());
}

TEST_F(ProgramGuards, AnEditorLeftOpenAcrossAReadStoresNothingStale) {
    StoreRxText(state->ChannelTable, 2, "446.00625");
    ApplyGridDefaults(state->ChannelTable, 2);
    main->channelGrid()->showAllRows();
    radio.Memory() = BlankImage();
    StoreRxText(radio.Memory(), 2, "439.50000");
    ApplyGridDefaults(radio.Memory(), 2);

    QLineEdit* editor = editCell(2, Col::ColRx);
    editor->clear();
    QTest::keyClicks(editor, "445.5");
    // Coming back to an unchanged grid keeps what is being typed.
    main->channelGrid()->showAllRows();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "445.5");

    main->action("Prog_read")->trigger();
    press(WindowId::CommRead);
    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommRead) == nullptr; }));
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{"Complete reading the data from transceiver."});
    EXPECT_EQ(RxText(state->ChannelTable, 2), "439.50000");

    editCell(4, Col::ColRx);  // leaving channel 2's cell
    EXPECT_EQ(RxText(state->ChannelTable, 2), "439.50000");
    EXPECT_EQ(main->channelGrid()->grid()->item(1, Col::ColRx)->text(), "439.50000");
}

TEST_F(ProgramGuards, PowerLevelsTrimFromTheKeyboard) {
    radio.Memory()[240] = ImageRow{50, 100, 200};
    main->action("Adj_Txp")->trigger();
    settle();
    auto* w = qobject_cast<PowerAdjustWindow*>(main->window(WindowId::Adjust));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    ASSERT_EQ(QApplication::focusWidget(), w->bar(0));  // it opens on the first level

    QTest::keyClick(w->bar(0), Qt::Key_Tab);
    QTest::keyClick(w->bar(1), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->bar(2));
    QTest::keyClick(w->bar(2), Qt::Key_Right);  // Right raises the level
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    QTest::keyClick(w->bar(2), Qt::Key_Left);
    QTest::keyClick(w->bar(2), Qt::Key_Right);
    QTest::keyClick(w->bar(2), Qt::Key_Right);
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    EXPECT_EQ(w->bar(2)->value(), 202);
    EXPECT_EQ(radio.Memory()[240][2], 202);

    QTest::keyClick(w->bar(2), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(w, "Command_Close"));
}

}  // namespace
}  // namespace zt::test
