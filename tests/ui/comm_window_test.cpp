#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "exchange_test_support.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"

namespace zt::test {
namespace {

using Col = ChannelGridWindow::Column;

const QString kBusy = "Read-write operating with transceiver .";
const QString kDontClose = "Read-write operating，don't close the window. ,";
const QString kDontCloseWindow = "Read-write operating，don't close the window.,";
const QString kPortError =
    "Communication port is error, please setting right communication port . ！";

// A radio whose channel 1 is 446.00625 MHz named "RADIO" and whose channel 7 is
// 439.5 MHz.
Image RadioMemory() {
    Image memory = BlankImage();
    StoreRxText(memory, 1, "446.00625");
    ApplyGridDefaults(memory, 1);
    WriteName(memory, 1, "RADIO");
    StoreRxText(memory, 7, "439.5");
    ApplyGridDefaults(memory, 7);
    return memory;
}

class CommWindows : public ExchangeWindowTest {
  protected:
    void SetUp() override {
        ExchangeWindowTest::SetUp();
        radio.Memory() = RadioMemory();
    }

    CommWindow* open(WindowId id) {
        main->action(id == WindowId::CommRead ? "Prog_read" : "Prog_write")->trigger();
        settle();
        return qobject_cast<CommWindow*>(main->window(id));
    }
    QString label(QWidget* w) { return child<QLabel>(w, "Label_tr_count")->text(); }
    int bar(QWidget* w) { return child<QProgressBar>(w, "ProgressBar1")->value(); }
    QString gridCell(int channel, int column) {
        return main->channelGrid()->grid()->item(channel - 1, column)->text();
    }
    void clickCell(int channel, int column) {
        QTableWidget* table = main->channelGrid()->grid();
        const QRect cell = table->visualItemRect(table->item(channel - 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    std::vector<QString> titles() {
        std::vector<QString> t;
        for (const ShownMessage& m : presenter.messages) t.push_back(m.title);
        return t;
    }
};

TEST_F(CommWindows, CaptionsInBothLanguages) {
    struct Case {
        WindowId id;
        bool chinese;
        const char* title;
        const char* startName;
        const char* start;
        const char* cancel;
        const char* help;
    };
    const Case cases[] = {
        {WindowId::CommRead, false, "Read Data From Radio", "Command_read", "Read", "Cancel",
         "Help"},
        {WindowId::CommRead, true, "从对讲机读取数据", "Command_read", "读取", "取消", "帮助"},
        {WindowId::CommWrite, false, "Write Data to Radio", "Command_Write", "Write", "Cancel",
         "Help"},
        {WindowId::CommWrite, true, "写数据到对讲机", "Command_Write", "写入", "取消", "帮助"},
    };
    for (const Case& c : cases) {
        state->LanguageChinese = c.chinese;
        CommWindow* w = open(c.id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(child<QPushButton>(w, c.startName)->text(), QString::fromUtf8(c.start));
        EXPECT_EQ(child<QPushButton>(w, "Command_Cancel")->text(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(child<QPushButton>(w, "Command_Help")->text(), QString::fromUtf8(c.help));
        EXPECT_FALSE(child<QProgressBar>(w, "ProgressBar1")->isVisible());
        main->unload(c.id);
    }
}

TEST_F(CommWindows, PlacedAsFractionsOfTheWorkingArea) {
    main->resize(1200, 900);
    settle();
    const QSize area = main->mdiArea()->viewport()->size();
    for (WindowId id : {WindowId::CommRead, WindowId::CommWrite}) {
        CommWindow* w = open(id);
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        ASSERT_NE(sub, nullptr);
        const int width = static_cast<int>(area.width() / 1.6);
        const int height = std::max(area.height() / 3, sub->minimumSizeHint().height());
        EXPECT_EQ(sub->width(), width);
        EXPECT_EQ(sub->height(), height);
        EXPECT_EQ(sub->x(), (area.width() - width) / 2);
        EXPECT_EQ(sub->y(), static_cast<int>((area.height() - height) / 1.45));
    }
}

TEST_F(CommWindows, ReadFillsTheGridAndClosesItself) {
    state->ChannelTable[254][0] = 77;  // beyond the radio's programmable memory
    CommWindow* w = open(WindowId::CommRead);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(state->Windows.CommReadIsOpen);
    child<QPushButton>(w, "Command_read")->click();
    EXPECT_EQ(label(w), "Connecting with transceiver. ");
    EXPECT_EQ(bar(w), 0);

    // First block in: the label counts the next request.
    ASSERT_TRUE(runUntil([&] { return label(w) == "Reading 2 Data Block"; }));
    EXPECT_EQ(bar(w), 0);
    EXPECT_TRUE(child<QProgressBar>(w, "ProgressBar1")->isVisible());
    // Just before the last reply.
    ASSERT_TRUE(runUntil([&] { return label(w) == "Reading 254 Data Block"; }));
    EXPECT_EQ(bar(w), 99);
    EXPECT_NE(state->ChannelTable[1][0], RadioMemory()[1][0]) << "image changed before the end";

    ASSERT_TRUE(runUntil([&] { return !presenter.messages.empty(); }));
    EXPECT_EQ(presenter.messages[0].text, "Complete reading the data from transceiver.");
    EXPECT_EQ(presenter.messages[0].title, "Operate Prompt");
    EXPECT_EQ(label(w), "Read Data in gear. ");
    EXPECT_EQ(bar(w), 100);
    const VirtualClock::Micros done = clock.Now();

    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommRead) == nullptr; }));
    EXPECT_LE(clock.Now() - done, Ms(200));
    EXPECT_FALSE(state->Windows.CommReadIsOpen);
    EXPECT_FALSE(port().IsOpen());
    for (int r = 0; r < 254; ++r) EXPECT_EQ(state->ChannelTable[r], radio.Memory()[r]) << r;
    EXPECT_EQ(state->ChannelTable[254][0], 77);

    // The grid shows the read as soon as it is the active window again.
    main->mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(main->channelGrid()->parentWidget()));
    settle();
    EXPECT_EQ(gridCell(1, Col::ColRx), "446.00625");
    EXPECT_EQ(gridCell(1, Col::ColName), "RADIO");
    EXPECT_EQ(gridCell(7, Col::ColRx), "439.50000");
}

TEST_F(CommWindows, WriteReachesTheRadioSilentlyAndClosesAfterHalfASecond) {
    radio.Memory() = BlankImage();
    StoreRxText(state->ChannelTable, 3, "435.125");
    ApplyGridDefaults(state->ChannelTable, 3);
    state->ChannelTable[240][0] = 42;  // power row: never sent by a write

    CommWindow* w = open(WindowId::CommWrite);
    child<QPushButton>(w, "Command_Write")->click();
    EXPECT_EQ(label(w), "Connecting with transceiver. ");
    ASSERT_TRUE(runUntil([&] { return label(w) == "Writing  0  Data Block"; }));
    EXPECT_EQ(bar(w), 0);
    ASSERT_TRUE(runUntil([&] { return label(w) == "Writing  238  Data Block"; }));
    EXPECT_EQ(bar(w), 99);
    ASSERT_TRUE(runUntil([&] { return label(w) == "Complete writing Data "; }));
    const VirtualClock::Micros done = clock.Now();
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(radio.SessionsCompleted(), 1);

    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommWrite) == nullptr; }));
    EXPECT_GE(clock.Now() - done, Ms(500));
    EXPECT_LE(clock.Now() - done, Ms(520));
    EXPECT_FALSE(state->Windows.CommWriteIsOpen);
    for (int r = 0; r < 240; ++r) EXPECT_EQ(radio.Memory()[r], state->ChannelTable[r]) << r;
    EXPECT_EQ(radio.Memory()[240], BlankImage()[240]);
    EXPECT_EQ(RxText(radio.Memory(), 3), "435.12500");
}

TEST_F(CommWindows, OpeningCommitsANameBeingTypedInTheGrid) {
    StoreRxText(state->ChannelTable, 2, "446.1");
    ApplyGridDefaults(state->ChannelTable, 2);
    main->channelGrid()->showAllRows();
    for (WindowId id : {WindowId::CommRead, WindowId::CommWrite}) {
        const char* name = id == WindowId::CommRead ? "AB" : "XYZ";
        clickCell(2, Col::ColName);
        main->channelGrid()->textEditor()->clear();
        QTest::keyClicks(main->channelGrid()->textEditor(), name);
        ASSERT_EQ(ReadName(state->ChannelTable, 2), id == WindowId::CommRead ? "" : "AB");
        open(id);
        EXPECT_EQ(ReadName(state->ChannelTable, 2), name);
        main->unload(id);
    }
    // On any other column nothing is stored.
    const Image before = state->ChannelTable;
    clickCell(2, Col::ColPower);
    open(WindowId::CommRead);
    EXPECT_EQ(state->ChannelTable, before);
}

TEST_F(CommWindows, WriteWindowCommitsAFrequencyBeingTyped) {
    main->activateWindow();
    QApplication::setActiveWindow(main.get());
    clickCell(4, Col::ColRx);
    QLineEdit* editor = main->channelGrid()->textEditor();
    ASSERT_TRUE(editor->isVisible());
    editor->setFocus();
    QTest::keyClicks(editor, "440.5");
    ASSERT_TRUE(IsChannelEmpty(state->ChannelTable, 4));
    open(WindowId::CommWrite);
    EXPECT_FALSE(editor->hasFocus());
    EXPECT_EQ(RxText(state->ChannelTable, 4), "440.50000");
}

TEST_F(CommWindows, BusyGuardsOfTheWindowAndTheGrid) {
    CommWindow* w = open(WindowId::CommRead);
    child<QPushButton>(w, "Command_read")->click();
    ASSERT_TRUE(runUntil([&] { return label(w) == "Reading 20 Data Block"; }));
    EXPECT_TRUE(w->exchangeRunning());

    child<QPushButton>(w, "Command_read")->click();
    child<QPushButton>(w, "Command_Cancel")->click();
    w->parentWidget()->close();  // the window's own close button
    settle();
    EXPECT_EQ(presenter.take(), (std::vector<QString>{kBusy, kDontClose, kDontClose}));
    EXPECT_EQ(main->window(WindowId::CommRead), w);

    ChannelGridWindow* grid = main->channelGrid();
    child<QPushButton>(grid, "Command_Close")->click();
    grid->parentWidget()->close();
    settle();
    EXPECT_EQ(presenter.take(), (std::vector<QString>{kDontClose, kDontCloseWindow}));
    EXPECT_EQ(main->channelGrid(), grid);
    EXPECT_TRUE(state->Windows.ChannIsOpen);

    // The exchange went on meanwhile and ends as usual; then the grid may close.
    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommRead) == nullptr; }));
    EXPECT_EQ(presenter.take(),
              (std::vector<QString>{"Complete reading the data from transceiver."}));
    child<QPushButton>(grid, "Command_Close")->click();
    settle();
    EXPECT_EQ(main->channelGrid(), nullptr);
}

TEST_F(CommWindows, CancelWhileIdleClosesTheWindow) {
    CommWindow* w = open(WindowId::CommWrite);
    ASSERT_NE(w, nullptr);
    child<QPushButton>(w, "Command_Cancel")->click();
    settle();
    EXPECT_EQ(main->window(WindowId::CommWrite), nullptr);
    EXPECT_FALSE(state->Windows.CommWriteIsOpen);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(CommWindows, ARefusedPortKeepsTheSetupDialogOpen) {
    failOpen = true;
    CommWindow* w = open(WindowId::CommRead);
    child<QPushButton>(w, "Command_read")->click();
    EXPECT_EQ(presenter.take(), std::vector<QString>{kPortError});
    EXPECT_TRUE(state->PortOpenFailed);
    EXPECT_FALSE(w->exchangeRunning());
    EXPECT_EQ(label(w), "no such port");  // the system's reason
    EXPECT_FALSE(child<QProgressBar>(w, "ProgressBar1")->isVisible());

    main->action("proc_setup")->trigger();
    QWidget* setup = main->window(WindowId::Setup);
    ASSERT_NE(setup, nullptr);
    QTest::mouseClick(child<QRadioButton>(setup, "Option2"), Qt::LeftButton);
    child<QPushButton>(setup, "Command_ok")->click();
    settle();
    EXPECT_EQ(state->ComPort, 2);
    EXPECT_EQ(main->window(WindowId::Setup), setup);
    child<QPushButton>(setup, "Command1")->click();
    settle();

    // The next start opens the chosen port.
    ports.back()->FailOpen(false);
    child<QPushButton>(w, "Command_read")->click();
    EXPECT_FALSE(state->PortOpenFailed);
    ASSERT_TRUE(port().LastSettings().has_value());
    EXPECT_EQ(port().LastSettings()->choice.number, 2);
    ASSERT_TRUE(runUntil([&] { return main->window(WindowId::CommRead) == nullptr; }));
}

TEST_F(CommWindows, NoAnswerGivesTheFailureAfterThreeRetries) {
    radio.AddFault(FaultPlan{FaultKind::NoReply, {FaultTarget::Kind::Ident, 0}, true});
    const Image before = state->ChannelTable;
    CommWindow* w = open(WindowId::CommRead);
    child<QPushButton>(w, "Command_read")->click();
    ASSERT_TRUE(runUntil([&] { return !presenter.messages.empty(); }));
    EXPECT_EQ(presenter.take(), std::vector<QString>{"Fail connect with transceiver."});
    EXPECT_EQ(label(w), "Communication fault.");
    EXPECT_EQ(bar(w), 0);
    EXPECT_EQ(state->ChannelTable, before);
    EXPECT_EQ(main->window(WindowId::CommRead), w);
    EXPECT_FALSE(w->exchangeRunning());
}

// Reopening a window from the main window stops its exchange as a failure would:
// the port closes, nothing more is sent, a read leaves the image alone and a
// write leaves the radio with the blocks it acknowledged.
TEST_F(CommWindows, ReopeningStopsAnExchangeInFlight) {
    const Image before = state->ChannelTable;
    CommWindow* w = open(WindowId::CommRead);
    child<QPushButton>(w, "Command_read")->click();
    ASSERT_TRUE(runUntil([&] { return label(w) == "Reading 100 Data Block"; }));
    SimPort& readPort = port();
    w = open(WindowId::CommRead);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(readPort.IsOpen());
    EXPECT_FALSE(w->exchangeRunning());
    EXPECT_TRUE(state->Windows.CommReadIsOpen);
    runFor(10'000);
    EXPECT_EQ(state->ChannelTable, before);
    EXPECT_TRUE(presenter.messages.empty());
    main->unload(WindowId::CommRead);

    radio.Memory() = BlankImage();
    StoreRxText(state->ChannelTable, 1, "450");
    ApplyGridDefaults(state->ChannelTable, 1);
    w = open(WindowId::CommWrite);
    child<QPushButton>(w, "Command_Write")->click();
    ASSERT_TRUE(runUntil([&] { return label(w) == "Writing  5  Data Block"; }));
    SimPort& writePort = port();
    const std::size_t sent = writePort.Sent().size();
    w = open(WindowId::CommWrite);
    EXPECT_FALSE(writePort.IsOpen());
    runFor(10'000);
    EXPECT_EQ(writePort.Sent().size(), sent);
    EXPECT_EQ(radio.Memory()[1], state->ChannelTable[1]);  // acknowledged before the stop
    EXPECT_EQ(radio.SessionsCompleted(), 0);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_FALSE(main->exchangeRunning());
}

}  // namespace
}  // namespace zt::test
