// SPDX-License-Identifier: GPL-3.0-or-later
// The read, write and power windows against the in-process simulated radio on a
// virtual clock, so whole exchanges, time-outs and pauses run in no real time.
#include <QProgressBar>
#include <QScrollBar>
#include <QSettings>
#include <QTreeWidget>
#include <algorithm>

#include "model/band_edges.h"
#include "ui/announcer.h"
#include "ui/comm_window.h"
#include "ui/history_window.h"
#include "ui/power_adjust_window.h"
#include "ui/program_settings.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
const QString kExpectedDontClose = "Read-write operating，don't close the window. ,";
const QString kExpectedPortError =
    "Communication port is error, please setting right communication port . ！";
const QString kExpectedReadDone = "Complete reading the data from transceiver.";

// The frame that sends the power row, after `before`.
Bytes PowerFrame(const ImageRow& row, Bytes before = {}) {
    for (int b : {0x06, int{'g'}, 0x0F, 0x00, 0x10}) before.push_back(static_cast<std::uint8_t>(b));
    before.insert(before.end(), row.begin(), row.end());
    return before;
}

class ExchangeWindows : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Channel 7 in use, and 50, 100 and 200 in the power row.
        UseChannel(radio.Memory(), 7, "439.5");
        radio.Memory()[240] = ImageRow{50, 100, 200};
        simRadio = &radio;
        // The plain write; its safeguards have tests of their own below.
        state->WriteKeepsBackup = state->WriteReadsBack = false;
    }

    // Runs the radio and the windows until `done` holds, at most `limitMs` of
    // virtual time; Qt's own queued calls (a window closing itself) run between
    // the clock's events.
    bool runUntil(const std::function<bool()>& done, int limitMs = 60'000) {
        return clock.RunUntil([&] { return settle(), done(); }, Ms(limitMs));
    }
    bool runUntilLabel(QWidget* w, const QString& text) {
        return runUntil([&] { return label(w) == text; });
    }
    // Until window `id` has closed itself (soon after its end: `gone`).
    bool finished(WindowId id, int limitMs = 60'000) {
        return runUntil([&] { return main->window(id) == nullptr; }, limitMs);
    }
    bool gone(WindowId id) { return finished(id, 3'000); }
    // The port of the window opened last, while that window lives.
    SimPort& port() { return *lastPort; }

    // Opens a read or write window; with `go` it also presses its start button.
    CommWindow* comm(WindowId id, bool go = false) {
        auto* w = open<CommWindow>(id == WindowId::CommRead ? "Prog_read" : "Prog_write", id);
        if (go) startButton(w)->click();
        return w;
    }
    QPushButton* startButton(QWidget* w) {
        return child<QPushButton>(
            w, w->findChild<QWidget*>("Command_read") ? "Command_read" : "Command_Write");
    }
    PowerAdjustWindow* openPower() {
        auto* w = open<PowerAdjustWindow>("Adj_Txp", WindowId::Adjust);
        EXPECT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
        return w;
    }
    QString label(QWidget* w) { return child<QLabel>(w, "Label_tr_count")->text(); }
    QProgressBar* bar(QWidget* w) { return child<QProgressBar>(w, "ProgressBar1"); }

    SimRadio radio{BlankImage()};
};

TEST_F(ExchangeWindows, ReadFillsTheImageAndClosesItself) {
    state->ChannelTable[254][0] = 77;  // beyond the radio's programmable memory
    // A grid editor left open across the read must not write the old image's
    // text into the new one; coming back to an unchanged grid keeps it.
    UseChannel(radio.Memory(), 2, "439.50000");
    clickCell(2, Col::ColRx);
    QLineEdit* editor = main->channelGrid()->textEditor();
    type(editor, "445.5");
    main->channelGrid()->showAllRows();
    EXPECT_TRUE(editor->isVisible() && editor->text() == "445.5");
    rest();
    EXPECT_EQ(main->statusPanel(2), "Modified");
    CommWindow* w = comm(WindowId::CommRead, true);
    EXPECT_EQ(label(w), "Connecting with transceiver. ");
    // Just before the last reply.
    ASSERT_TRUE(runUntilLabel(w, "Reading 254 Data Block"));
    EXPECT_EQ(bar(w)->value(), 99);
    ASSERT_TRUE(runUntil([&] { return !presenter.messages.empty(); }));
    EXPECT_EQ(presenter.messages[0].text, kExpectedReadDone);
    EXPECT_EQ(presenter.messages[0].title, "Operate Prompt");
    EXPECT_EQ(label(w), "Read Data in gear. ");
    EXPECT_EQ(announcements(main.get()), QStringList({"Modified", "Read Data in gear."}));
    EXPECT_EQ(bar(w)->value(), 100);
    EXPECT_FALSE(port().IsOpen());
    const VirtualClock::Micros done = clock.Now();
    ASSERT_TRUE(gone(WindowId::CommRead));
    EXPECT_LE(clock.Now() - done, Ms(200));
    EXPECT_FALSE(state->Windows.CommReadIsOpen);
    for (int r = 0; r < 254; ++r) EXPECT_EQ(state->ChannelTable[r], radio.Memory()[r]) << r;
    EXPECT_EQ(state->ChannelTable[254][0], 77);
    rest();
    EXPECT_EQ(main->statusPanel(2), "");  // what was read is no unsaved change
    clickCell(4, Col::ColRx);             // leaving channel 2's cell
    EXPECT_EQ(RxText(state->ChannelTable, 2), "439.50000");
    EXPECT_EQ(gridText(2, Col::ColRx), "439.50000");
}

// Their keys reach the read and write windows from inside a grid editor (Ctrl+W
// once closed the grid instead), and opening either commits what is typed.
TEST_F(ExchangeWindows, ShortcutsFromAGridEditorOpenTheWindowsAndCommitTheEdit) {
    UseChannel(state->ChannelTable, 2, "446.1");
    main->channelGrid()->showAllRows();
    QLineEdit* editor = main->channelGrid()->textEditor();
    for (auto [letter, id, name] : {std::tuple{Qt::Key_R, WindowId::CommRead, "AB"},
                                    std::tuple{Qt::Key_W, WindowId::CommWrite, "XYZ"}}) {
        clickCell(2, Col::ColName);
        type(editor, name);
        ASSERT_NE(ReadName(state->ChannelTable, 2), name);
        key(letter, Qt::ControlModifier);
        ASSERT_NE(main->window(id), nullptr) << int(id);
        EXPECT_NE(main->channelGrid(), nullptr);  // not closed by the same keys
        EXPECT_EQ(ReadName(state->ChannelTable, 2), name);
        main->unload(id);
    }
    // The write window also takes a frequency being typed.
    clickCell(4, Col::ColRx);
    type(editor, "440.5");
    ASSERT_TRUE(IsChannelEmpty(state->ChannelTable, 4));
    comm(WindowId::CommWrite);
    EXPECT_FALSE(editor->hasFocus());
    EXPECT_EQ(RxText(state->ChannelTable, 4), "440.50000");
}

TEST_F(ExchangeWindows, NeitherTheWindowNorTheGridNorTheProgramClosesDuringAWrite) {
    UseChannel(state->ChannelTable, 5, "440.25");
    CommWindow* w = comm(WindowId::CommWrite, true);
    ASSERT_TRUE(runUntilLabel(w, "Writing  20  Data Block"));
    EXPECT_TRUE(w->exchangeRunning());
    startButton(w)->click();
    child<QPushButton>(w, "Command_Cancel")->click();
    w->parentWidget()->close();  // the window's own close button
    settle();
    EXPECT_EQ(presenter.take(), (Texts{"Read-write operating with transceiver .",
                                       kExpectedDontClose, kExpectedDontClose}));
    EXPECT_EQ(main->window(WindowId::CommWrite), w);

    ChannelGridWindow* grid = main->channelGrid();
    child<QPushButton>(grid, "Command_Close")->click();
    grid->parentWidget()->close();
    EXPECT_FALSE(main->close());
    settle();
    EXPECT_EQ(presenter.take(),
              (Texts{kExpectedDontClose, "Read-write operating，don't close the window.,",
                     kExpectedDontClose}));
    EXPECT_EQ(main->channelGrid(), grid);

    // The write went on meanwhile and ends as usual, without a word; then the
    // grid may close.
    ASSERT_TRUE(finished(WindowId::CommWrite));
    EXPECT_FALSE(state->Windows.CommWriteIsOpen);
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    for (int r = 0; r < 240; ++r) EXPECT_EQ(radio.Memory()[r], state->ChannelTable[r]) << r;
    rest();
    EXPECT_EQ(main->statusPanel(2), "");  // nor what was written
    press(grid, "Command_Close");
    EXPECT_EQ(main->channelGrid(), nullptr);
    EXPECT_FALSE(state->Windows.ChannIsOpen);

    // Idle, Cancel closes a window without a word.
    press(comm(WindowId::CommRead), "Command_Cancel");
    EXPECT_EQ(main->window(WindowId::CommRead), nullptr);
    EXPECT_FALSE(state->Windows.CommReadIsOpen);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_TRUE(main->close());
}

TEST_F(ExchangeWindows, ARefusedPortKeepsTheSetupDialogOpen) {
    failOpen = true;
    CommWindow* w = comm(WindowId::CommRead, true);
    EXPECT_EQ(presenter.take(), Texts{kExpectedPortError});
    EXPECT_TRUE(state->PortOpenFailed);
    EXPECT_FALSE(w->exchangeRunning());
    EXPECT_EQ(label(w), "no such port");  // the system's reason
    EXPECT_FALSE(bar(w)->isVisible());

    QWidget* setup = open("proc_setup", WindowId::Setup);
    QTest::mouseClick(child<QRadioButton>(setup, "Option2"), Qt::LeftButton);
    press(setup, "Command_ok");
    EXPECT_EQ(state->ComPort, 2);
    EXPECT_EQ(main->statusPanel(3), "COM2");
    EXPECT_EQ(announcements(main.get()), QStringList({"no such port", "COM2"}));
    EXPECT_EQ(main->window(WindowId::Setup), setup);
    EXPECT_TRUE(state->Windows.SetupIsOpen);

    // The next start opens the chosen port.
    port().FailOpen(false);
    startButton(w)->click();
    EXPECT_FALSE(state->PortOpenFailed);
    ASSERT_TRUE(port().LastSettings().has_value());
    EXPECT_EQ(port().LastSettings()->choice.number, 2);
    ASSERT_TRUE(finished(WindowId::CommRead));
}

TEST_F(ExchangeWindows, PortAdviceGoesBelowThePortMessageOnlyWhenThereIsAny) {
    failOpen = true;
    BiString advice;
    std::string asked;
    portAdvice = [&](int number, const std::string& device) {
        asked += std::to_string(number) + " " + device + ";";
        return advice;
    };
    // None in the read window (the write window is of its class), some in the
    // power window, which closes then, then in Chinese.
    comm(WindowId::CommRead, true);
    advice = {"The USB serial cable 1a86:7523 has no serial port.\n", "串口线 1a86:7523\n"};
    state->ComDevice = "/dev/ttyUSB0";
    open("Adj_Txp", WindowId::Adjust);
    EXPECT_TRUE(gone(WindowId::Adjust));
    state->LanguageChinese = true;
    state->ComPort = 3;
    comm(WindowId::CommRead, true);
    EXPECT_EQ(asked, "1 ;1 /dev/ttyUSB0;3 /dev/ttyUSB0;");
    QStringList told;
    for (const ShownMessage& m : presenter.messages)
        told << m.text + "|" + m.title + "|" + m.detail;
    EXPECT_EQ(
        told,
        QStringList({kExpectedPortError + "|Operate prompt|",
                     kExpectedPortError + "|Operate prompt|The USB serial cable 1a86:7523 has no "
                                          "serial port.\n",
                     "通讯端口打开错误，请正确设置通讯端口 ！|操作提示|串口线 1a86:7523\n"}));
}

// Reopening a window from the main window stops its exchange as a failure would
// (read and write windows are one class): a write leaves the radio with the
// blocks it acknowledged, and the power window says goodbye with its closing 'b'.
TEST_F(ExchangeWindows, ReopeningStopsAnExchangeInFlight) {
    UseChannel(state->ChannelTable, 1, "450");
    ASSERT_TRUE(runUntilLabel(comm(WindowId::CommWrite, true), "Writing  5  Data Block"));
    EXPECT_FALSE(comm(WindowId::CommWrite)->exchangeRunning());
    const Image stopped = radio.Memory();
    EXPECT_EQ(stopped[1], state->ChannelTable[1]);  // acknowledged before the stop
    clock.RunFor(Ms(10'000));
    EXPECT_EQ(radio.Memory(), stopped);
    EXPECT_EQ(radio.SessionsCompleted(), 0);
    EXPECT_FALSE(main->exchangeRunning());

    openPower();
    PowerAdjustWindow* power = openPower();
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_EQ(power->bar(2)->value(), 200);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(ExchangeWindows, PowerBarsTakeTheRadioValuesWithoutSendingAndEachMoveSendsTheRow) {
    PowerAdjustWindow* w = openPower();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), w->bar(0));  // it opens on the first level
    const char* labels[] = {"Label_L", "Label_M", "Label_H"};
    for (int level = 0; level < 3; ++level) {
        const int radioValue = radio.Memory()[240][level];
        EXPECT_EQ(w->bar(level)->value(), radioValue);
        EXPECT_EQ(child<QLabel>(w, labels[level])->text(), QString::number(radioValue));
    }
    // Setting the bars sent nothing: the request, then the one frame of the link
    // coming up.
    const ImageRow& row = state->ChannelTable[240];
    EXPECT_EQ(port().Sent(), PowerFrame(row, {'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02}));
    EXPECT_EQ(row[2], 200);

    port().ClearSent();
    w->bar(0)->setValue(7);
    EXPECT_EQ(child<QLabel>(w, "Label_L")->text(), "7");
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    EXPECT_EQ(row[0], 7);
    EXPECT_EQ(port().Sent(), PowerFrame(row));

    port().ClearSent();
    child<QPushButton>(w, "Command_Close")->click();
    EXPECT_EQ(port().Sent(), Bytes{'b'});
    EXPECT_FALSE(port().IsOpen());
    settle();
    EXPECT_EQ(main->window(WindowId::Adjust), nullptr);
    EXPECT_FALSE(state->Windows.AdjustIsOpen);
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_TRUE(presenter.messages.empty());
    rest();
    EXPECT_EQ(main->statusPanel(2), "");  // the radio holds every level set
}

// (Without a port: the port advice test.)
TEST_F(ExchangeWindows, PowerWindowClosesItselfWhenTheLinkIsLostOrNeverComes) {
    // A lost acknowledgement, and no answer at all: closed without a word.
    radio.AddFault(FaultPlan{FaultKind::NoReply, {FaultTarget::Kind::Power, 240}, true});
    auto* w = open<PowerAdjustWindow>("Adj_Txp", WindowId::Adjust);
    ASSERT_TRUE(runUntil([&] { return w->link().Vars().LinkUp; }));
    w->bar(1)->setValue(120);
    EXPECT_TRUE(gone(WindowId::Adjust));
    EXPECT_EQ(radio.SessionsCompleted(), 0);  // no closing 'b' for a radio that is gone
    radio.ClearFaults();
    radio.AddFault(FaultPlan{FaultKind::NoReply, {FaultTarget::Kind::Ident, 0}, true});
    open("Adj_Txp", WindowId::Adjust);
    EXPECT_TRUE(gone(WindowId::Adjust));
    EXPECT_TRUE(presenter.messages.empty());
}

// The write window as it opens by default: a backup of the radio first and a
// read-back after the write; a history folder of its own.
class SafeWrites : public ExchangeWindows {
  protected:
    void SetUp() override {
        ExchangeWindows::SetUp();
        state->WriteKeepsBackup = state->WriteReadsBack = true;
        state->HistoryFolder = dir.filePath("history").toStdString();
        UseChannel(state->ChannelTable, 3, "435.125");
        before = radio.Memory();
    }
    // The radio again as a user finds it: its memory as it is, the cable
    // plugged back in, no fault left.
    void plugBackIn() {
        radio = SimRadio(Image(radio.Memory()));
        port().FailOpen(false);
    }
    static FaultPlan Fault(const char* spec) {
        std::string error;
        return *ParseFaultSpec(spec, error);
    }
    QPushButton* button(QWidget* w, const char* name) { return child<QPushButton>(w, name); }

    Image before{};
};

TEST_F(SafeWrites, EachFaultIsToldWithWhatToDoAndRestoreBackupPutsTheRadioBack) {
    const std::string repair =
        " Write Again sends the image once more; Restore Backup puts back what the radio held.";
    const struct {
        const char* fault;
        bool duringWrite;
        const char* label;
        const char* told;  // the start of the message, whose end is `repair`
    } cases[] = {
        {"no-store@3", false, "The radio does not hold what was written: channel 3.",
         "The radio does not hold what was written: channel 3. Write Again"},
        {"silent@150:always", true, "The radio is now half-written.",
         "The radio is now half-written: it stopped answering part-way"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        radio = SimRadio(before);
        CommWindow* w = comm(WindowId::CommWrite, !c.duringWrite);
        if (c.duringWrite) {
            // A fault of a block hits its read too: the backup must be kept first.
            startButton(w)->click();
            ASSERT_TRUE(runUntil([&] { return label(w).startsWith("Writing "); }));
        }
        radio.AddFault(Fault(c.fault));
        ASSERT_TRUE(runUntil([&] { return !presenter.messages.empty(); }, 120'000));
        const Texts told = presenter.take();
        ASSERT_EQ(told.size(), 1U);
        EXPECT_TRUE(told[0].startsWith(c.told) && told[0].endsWith(QString::fromStdString(repair)))
            << told[0].toStdString();
        EXPECT_EQ(label(w), c.label);
        EXPECT_FALSE(w->exchangeRunning());
        EXPECT_TRUE(button(w, "Command_WriteAgain")->isVisible());
        ASSERT_TRUE(button(w, "Command_Restore")->isVisible());
        EXPECT_NE(radio.Memory(), before);
        plugBackIn();
        state->WriteReadsBack = false;  // a restore reads back all the same
        button(w, "Command_Restore")->click();
        ASSERT_TRUE(
            runUntilLabel(w, "The backup is back in the radio: it holds what it held before."));
        EXPECT_EQ(radio.Memory(), before);
        EXPECT_EQ(radio.SessionsCompleted(), 2);  // put back, and read back to check
        EXPECT_TRUE(presenter.messages.empty());
        press(w, "Command_Cancel");
        state->WriteReadsBack = true;
    }
    // Write Again after a read-back that differs: the image, read back, and
    // the window closes as after a plain write.
    radio.AddFault(Fault("no-store@3"));
    CommWindow* w = comm(WindowId::CommWrite, true);
    ASSERT_TRUE(runUntil([&] { return button(w, "Command_WriteAgain")->isVisible(); }));
    presenter.take();
    button(w, "Command_WriteAgain")->click();
    EXPECT_FALSE(button(w, "Command_Restore")->isVisible());
    ASSERT_TRUE(runUntilLabel(w,
                              "Complete writing Data \nRead back and compared: the radio holds the "
                              "image."));
    EXPECT_EQ(announcements(main.get()).back(), label(w));
    EXPECT_EQ(bar(w)->value(), 100);
    const VirtualClock::Micros done = clock.Now();
    EXPECT_TRUE(gone(WindowId::CommWrite));
    EXPECT_GE(clock.Now() - done, Ms(500));
    EXPECT_LE(clock.Now() - done, Ms(520));
    for (int r = 0; r < 240; ++r) EXPECT_EQ(radio.Memory()[r], state->ChannelTable[r]) << r;
    rest();
    EXPECT_EQ(main->statusPanel(2), "");  // what the radio holds is no unsaved change
}

// A backup read garbled on the line is read until two reads agree (which
// reads agree: the transfer tests); the job goes on, each phase named.
TEST_F(SafeWrites, AGarbledBackupReadIsSettledAndEveryPhaseIsNamed) {
    radio.AddFault(FaultPlan{FaultKind::CorruptRead, {FaultTarget::Kind::Block, 50}});
    CommWindow* w = comm(WindowId::CommWrite, true);
    std::vector<int> bars;
    for (const char* phase :
         {"Keeping a backup of the radio: reading it",
          "Keeping a backup of the radio: reading it again to check",
          "Keeping a backup of the radio: the two reads differ, reading a third time",
          "Writing the radio", "Reading the radio back to compare"}) {
        ASSERT_TRUE(runUntil([&] { return bar(w)->format() == QString(phase) + " (%p%)"; }))
            << phase;
        bars.push_back(bar(w)->value());
    }
    EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end())) << ::testing::PrintToString(bars);
    EXPECT_LT(bars.back(), 100);
    ASSERT_TRUE(finished(WindowId::CommWrite));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(SafeWrites, AnImageOfAnotherBandIsWrittenOnlyWhenTheUserSaysSo) {
    WriteBandEdges(radio.Memory(), {136, 174});
    before = radio.Memory();
    const QString question =
        "The radio is a ZT790 C1.0 VHF (136-174 MHz), but the image is for a ZT790 C1.0 UHF "
        "(400-470 MHz). Write it all the same? [Write|Cancel]";
    CommWindow* w = comm(WindowId::CommWrite, true);
    ASSERT_TRUE(runUntilLabel(w, "Nothing was written to the radio."));
    EXPECT_EQ(presenter.take(), Texts{question});
    EXPECT_EQ(radio.Memory(), before);
    EXPECT_FALSE(button(w, "Command_Restore")->isVisible());
    presenter.answers = {0};
    startButton(w)->click();
    ASSERT_TRUE(finished(WindowId::CommWrite));
    EXPECT_EQ(presenter.take(), Texts{question});
    EXPECT_EQ(radio.Memory()[3], state->ChannelTable[3]);
}

// (Their captions in both languages: the program's accessibility walk.)
TEST_F(SafeWrites, TheTwoOptionsAreOnByDefaultAndRemembered) {
    QSettings settings(dir.filePath("zt790prog.conf"), QSettings::IniFormat);
    AppState fresh;
    LoadProgramSettings(fresh, settings);
    EXPECT_TRUE(fresh.WriteKeepsBackup && fresh.WriteReadsBack);
    int remembered = 0;
    main->rememberSettings = [&] { ++remembered; };
    EXPECT_TRUE(child<QCheckBox>(comm(WindowId::CommWrite), "Check_verify")->isChecked());
    QCheckBox* backup = child<QCheckBox>(main->window(WindowId::CommWrite), "Check_backup");
    backup->click();
    EXPECT_FALSE(state->WriteKeepsBackup);
    EXPECT_EQ(remembered, 1);
    SaveProgramSettings(*state, settings);
    LoadProgramSettings(fresh, settings);
    EXPECT_FALSE(fresh.WriteKeepsBackup);
    EXPECT_TRUE(fresh.WriteReadsBack);
    EXPECT_FALSE(child<QCheckBox>(comm(WindowId::CommWrite), "Check_backup")->isChecked());
}

// Reads, backups and writes go into the history; File > History... lists them
// newest first against the image, opens one as one undo step, compares and
// deletes. A folder that cannot be written is told once and the write goes on.
TEST_F(SafeWrites, TheHistoryKeepsEveryMemoryAndOpensOneAsAnUndoStep) {
    comm(WindowId::CommRead, true);
    ASSERT_TRUE(finished(WindowId::CommRead));
    UseChannel(state->ChannelTable, 3, "435.125");
    main->setImageFile("club.chann");
    comm(WindowId::CommWrite, true);
    ASSERT_TRUE(finished(WindowId::CommWrite));
    EXPECT_EQ(presenter.take(), Texts{kExpectedReadDone});
    EXPECT_EQ(RadioHistory(state->HistoryFolder).Entries().front().source, "club.chann");
    EXPECT_EQ(radio.SessionsCompleted(), 4);  // the read settled the backup's first read

    auto* history = open<HistoryWindow>("File_history", WindowId::History);
    QTableWidget* table = history->table();
    ASSERT_EQ(table->rowCount(), 3);
    const auto cell = [&](int row, int column) { return table->item(row, column)->text(); };
    EXPECT_EQ(cell(0, 2) + " " + cell(1, 2) + " " + cell(2, 2), "written backup read");
    EXPECT_EQ(cell(0, 5), "the same as the image");
    // The write completed the rows it fills in, and cleared an option bit.
    EXPECT_EQ(cell(2, 5), "15 differences: channel 3; optional features; rows a write fills in");
    table->selectRow(2);
    press(history, "Command_compare");
    ASSERT_GE(history->differences()->topLevelItemCount(), 1);
    EXPECT_EQ(history->differences()->topLevelItem(0)->text(0), "Channel 3");
    press(history, "Command_open");
    rest();
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 3));
    EXPECT_EQ(cell(2, 5), "the same as the image");
    command("Edit_undo");
    EXPECT_EQ(RxText(state->ChannelTable, 3), "435.12500");
    presenter.answers = {0};
    table->selectRow(0);
    press(history, "Command_delete");
    EXPECT_EQ(presenter.take().size(), 1U);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(RadioHistory(state->HistoryFolder).Entries().size(), 2U);

    writeFile("file", "");
    state->HistoryFolder = dir.filePath("file/history").toStdString();
    comm(WindowId::CommWrite, true);
    ASSERT_TRUE(finished(WindowId::CommWrite));
    const Texts told = presenter.take();  // the folder and its reason: the transfer tests
    ASSERT_EQ(told.size(), 1U);
    EXPECT_TRUE(
        told[0].endsWith("): this copy of the radio's memory is not kept. The write goes on."))
        << told[0].toStdString();
    EXPECT_EQ(radio.SessionsCompleted(), 8);
}

}  // namespace
}  // namespace zt::test
