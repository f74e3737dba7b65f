// SPDX-License-Identifier: GPL-3.0-or-later
// Channel management in the grid: selecting rows, each command on whole
// channels from its key or menu entry, the clipboard, undo and redo of every
// kind of change, and the question before unsaved changes are lost. What each
// command does to the channels, the selection, the cursor and the settings
// naming a channel is the model's (tests/model/channel_commands_test.cpp).
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>

#include "../model/channel_tokens.h"
#include "files/channel_records_text.h"
#include "model/band_edges.h"
#include "model/channel_rows.h"
#include "model/channel_validation.h"
#include "ui/edit_command_runner.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class ChannelCommandsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        grid = main->channelGrid();
        ASSERT_NE(grid, nullptr);
    }
    void clickNumber(int channel, Qt::KeyboardModifiers modifiers = {}) {
        clickCell(channel, Col::ColChannel, modifiers);
    }
    // "3-5" clicks 3 and Shift-clicks 5, "1,3" clicks 1 and Ctrl-clicks 3;
    // "" opens the name cell of channel 1 instead.
    void select(const std::string& rows) {
        if (rows.empty()) return clickCell(1, Col::ColName);
        const auto split = rows.find_first_of("-,");
        clickNumber(std::stoi(rows.substr(0, split)));
        if (split == std::string::npos) return;
        clickNumber(std::stoi(rows.substr(split + 1)),
                    rows[split] == '-' ? Qt::ShiftModifier : Qt::ControlModifier);
    }
    // "2,3@3": the selected channels, the cursor on 3.
    std::string selected() {
        std::string out;
        for (int c : grid->selectedChannels()) out += (out.empty() ? "" : ",") + std::to_string(c);
        return out + "@" + std::to_string(state->CurrentChannel);
    }
    bool gridShowsImage() {
        for (int c = 1; c <= 128; ++c) {
            const bool empty = IsChannelEmpty(state->ChannelTable, c);
            if (gridText(c, Col::ColRx) != (empty ? "" : qs(RxText(state->ChannelTable, c))) ||
                (!empty && gridText(c, Col::ColName) != qs(ReadName(state->ChannelTable, c))))
                return (ADD_FAILURE() << "row " << c), false;
        }
        return true;
    }
    // Undo, then redo, of the last step: `before` and `after` come back and
    // the grid shows them.
    void expectUndoRedo(const Image& before, const Image& after) {
        rest();
        command("Edit_undo");
        EXPECT_TRUE(state->ChannelTable == before) << "undo";
        EXPECT_TRUE(gridShowsImage());
        if (QWidget* dialog = main->window(WindowId::ChannEdit)) {
            EXPECT_EQ(child<QLineEdit>(dialog, "Text_RX_Freq")->text().trimmed(),
                      qs(RxText(state->ChannelTable, state->CurrentChannel)));
        }
        command("Edit_redo");
        EXPECT_TRUE(state->ChannelTable == after) << "redo";
        EXPECT_TRUE(gridShowsImage());
    }
    // "RX NAME" of a channel.
    QString channel(int c) {
        return qs(RxText(state->ChannelTable, c) + " " + ReadName(state->ChannelTable, c))
            .trimmed();
    }
    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    static std::optional<std::vector<ClipChannel>> clipboardRecords() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return ParseChannelRecords(data->data(kChannelRecordsMime).toStdString());
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    ChannelGridWindow* grid = nullptr;
};

// Each command from its key (or its menu entry), on rows chosen by clicks on
// the channel numbers: the channels afterwards, the rows still selected and the
// cursor, what the user is told, and undo and redo of the change.
TEST_F(ChannelCommandsTest, CommandsOnSelectedRowsWithUndoAndRedo) {
    std::string full;  // all 128 channels in use
    for (int c = 1; c <= 128; ++c) full += "@446 ";
    const struct {
        std::string start;
        std::string rows;
        QKeyCombination key;  // none: the menu command
        const char* menu;
        std::string expected;  // "=": unchanged
        const char* selectedAfter;
        const char* message;
    } cases[] = {
        {"A B C D", "3-4", Qt::CTRL | Qt::Key_Up, nullptr, "A C D B", "2,3@3", ""},
        {"A B C D", "4", Qt::CTRL | Qt::Key_Down, nullptr, "A B C - D", "5@5", ""},
        {"A B C D", "2", Qt::Key_Insert, nullptr, "A - B C D", "2@2", ""},
        {full, "5", Qt::Key_Insert, nullptr, "=", "5@5",
         "Channel 128 is in use. Delete or move it before inserting a channel."},
        {"A B C D", "2-3", Qt::CTRL | Qt::Key_Delete, nullptr, "A D", "2@2", ""},
        {"A B C D", "1,3", Qt::Key_Delete, nullptr, "- B - D", "1,3@3", ""},
        {"A B C D", "2", Qt::CTRL | Qt::Key_X, nullptr, "A - C D", "2@2", ""},
        {"B@146 A@145 C@144", "", {}, "Edit_sortrx", "C A B", "1@1", ""},
        {"CH10 CH2 @146 - B", "", {}, "Edit_sortname", "B CH2 CH10 @", "1@1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start.substr(0, 20) + " / " + c.rows + " / " +
                     (c.menu ? c.menu : QKeySequence(c.key).toString().toStdString()));
        const Image before = Channels(c.start);
        start(before);
        select(c.rows);
        if (c.menu) {
            command(c.menu);
        } else {
            key(c.key.key(), c.key.keyboardModifiers());
        }
        const std::string expected = c.expected == "=" ? Show(before) : c.expected;
        EXPECT_EQ(Show(state->ChannelTable), expected);
        EXPECT_EQ(selected(), c.selectedAfter);
        EXPECT_TRUE(gridShowsImage());
        const Texts shown = presenter.take();
        EXPECT_EQ(shown.empty() ? QString() : shown.front(), QString::fromUtf8(c.message));
        rest();
        if (c.expected == "=") {
            EXPECT_FALSE(main->recorder().canUndo()) << "a refused command is no step";
            continue;
        }
        expectUndoRedo(before, Image(state->ChannelTable));
    }
}

TEST_F(ChannelCommandsTest, RowsAreSelectedByTheirNumbersNotEdited) {
    start(Channels("A B C D E"));
    clickCell(2, Col::ColName);
    EXPECT_TRUE(grid->textEditor()->isVisible());
    clickNumber(4);
    EXPECT_FALSE(grid->textEditor()->isVisible());
    EXPECT_NE(grid->grid()->currentColumn(), Col::ColChannel);
    EXPECT_EQ(selected(), "4@4");
    clickNumber(2, Qt::ShiftModifier);
    EXPECT_EQ(selected(), "2,3,4@2");
    clickNumber(3, Qt::ControlModifier);
    EXPECT_EQ(selected(), "2,4@3");
    key(Qt::Key_Down, Qt::ShiftModifier);  // extends from the last click
    EXPECT_EQ(selected(), "3,4@4");
    // Editing a cell again ends the selection.
    clickCell(5, Col::ColRx);
    EXPECT_EQ(selected(), "@5");
    // In the text box Del edits the text; Ctrl+A selects it first, and then
    // every channel.
    key(Qt::Key_Delete);
    EXPECT_EQ(Show(state->ChannelTable), "A B C D E");
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->selectedChannels().size(), 128u);
    // Escape leaves the selection, then a cell's editor storing nothing typed,
    // before it would close the window.
    key(Qt::Key_Escape);
    const Image before = state->ChannelTable;
    clickCell(2, Col::ColRx);
    type(grid->textEditor(), "447");
    key(Qt::Key_Escape);
    clickCell(3, Col::ColRx);
    EXPECT_EQ(selected(), "@3");
    EXPECT_TRUE(state->ChannelTable == before);
    EXPECT_EQ(main->channelGrid(), grid);
}

// Ctrl+C puts the channels on the clipboard whole and as the generic CSV
// layout Export CSV writes; Ctrl+X as well before it empties them; Ctrl+V lays
// them from the first selected row on, asking before used channels are
// replaced (what else a paste tells, and when it is refused: the paste plan
// tests).
TEST_F(ChannelCommandsTest, CutCopyAndPasteCarryWholeChannels) {
    Image image = GridChannels("BASE@446.00625 B@439.25 C");
    SetRxTone(image, 2, 12);
    SetPower(image, 2, 0);
    image[2][14] = 7;  // a byte no CSV column carries
    start(image);
    select("1-2");
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard().section("\r\n", 1, 1).left(24), "1,BASE,446.006250,,0.000");
    main->editCommands().chooseFileToSave = [&](const QString&, const QString&) {
        return dir.filePath("radio");
    };
    command("File_exportcsv");
    EXPECT_EQ(presenter.take(), Texts{"Exported 3 channels to radio.csv."});
    QFile exported(dir.filePath("radio.csv"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(exported.readAll()).startsWith(clipboard()));

    select("2-3");
    key(Qt::Key_X, Qt::ControlModifier);
    const auto clip = clipboardRecords();
    ASSERT_TRUE(clip && clip->size() == 2u);
    EXPECT_EQ((*clip)[0].slot.record, image[2]);
    EXPECT_EQ(Names(state->ChannelTable), "BASE");
    const Image cut = state->ChannelTable;
    select("1-2");               // the cursor on 2
    for (int answer : {1, 0}) {  // Cancel changes nothing
        presenter.answers = {answer};
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Names(state->ChannelTable), answer ? "BASE" : "B C");
    }
    const QString question = "Replace 1 used channel? [Replace|Cancel]";
    EXPECT_EQ(presenter.take(),
              (Texts{question, question, "Pasted 2 channels into channels 1 to 2."}));
    EXPECT_EQ(state->ChannelTable[1], image[2]);
    EXPECT_EQ(selected(), "1,2@1");
    // Undone, the grid shows the image again, and that records nothing.
    rest();
    command("Edit_undo");
    rest();
    EXPECT_TRUE(main->recorder().canRedo());
    EXPECT_TRUE(state->ChannelTable == cut);
}

// A list with bad rows copied from a spreadsheet, pasted while a cell's text
// box is open: the rows that fit fill the channels from the current one on
// (what is told, and the other separators: the paste plan tests). Plain text
// still goes into the text box.
TEST_F(ChannelCommandsTest, PasteTakesTheRowsThatFitAndSaysWhy) {
    start(BlankImage());
    setClipboard(QString::fromStdString(kPublishedList).replace(',', '\t'));
    clickCell(20, Col::ColRx);
    ASSERT_TRUE(grid->textEditor()->hasFocus());
    key(Qt::Key_V, Qt::ControlModifier);
    const Texts told = presenter.take();
    ASSERT_EQ(told.size(), 1U);
    EXPECT_TRUE(told[0].startsWith("Pasted 2 channels into channels 20 to 21; 2 rows skipped.\n"));
    EXPECT_EQ(channel(20) + " " + channel(21), "439.25000 RPT1 433.45000 SIMPX");
    EXPECT_TRUE(IsChannelEmpty(state->ChannelTable, 22));
    rest();
    command("Edit_undo");
    EXPECT_TRUE(state->ChannelTable == BlankImage());

    // Plain text is typing; with rows selected it is not a list.
    setClipboard("446.5");
    clickCell(3, Col::ColRx);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->textEditor()->text(), "446.5");
    clickNumber(3);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(presenter.take().size(), 1U);
}

// Every open window shows what undo and redo bring back.
TEST_F(ChannelCommandsTest, EveryKindOfChangeIsUndoneAndRedone) {
    const QString chann = saveImage("radio.chann", Channels("X Y Z"));
    const QString csv = writeFile("list.csv", QByteArray::fromStdString(kPublishedList));
    main->editCommands().chooseFileToOpen = [&](const QString&, const QString&) { return csv; };
    main->editCommands().askImportOptions = [](const QString&) {
        CsvImportOptions options;
        options.skipInvalid = true;
        options.replace = true;
        return std::optional<CsvImportOptions>(options);
    };
    const struct {
        const char* kind;
        std::function<void()> change;
    } changes[] = {
        {"grid cell", [&] { enter(3, Col::ColRx, "446.5"); }},
        {"channel dialog",
         [&] {
             clickCell(2, Col::ColName);
             press(grid, "Command_Edit");
             auto* field = child<QLineEdit>(main->window(WindowId::ChannEdit), "Text_RX_Freq");
             type(field, "447");
             leave(field);
         }},
        {"loaded file", [&] { main->openFile(chann); }},
        {"imported file", [&] { command("File_importcsv"); }},
        {"model",
         [&] {
             QWidget* dialog = open("proc_type", WindowId::Type);
             child<QComboBox>(dialog, "Combo_type")->setCurrentIndex(1);
             press(dialog, "Command_enter");
         }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.kind);
        start(Channels("A B"));
        const Image before = state->ChannelTable;
        c.change();
        settle();
        presenter.take();
        const Image after = state->ChannelTable;
        ASSERT_FALSE(after == before);
        expectUndoRedo(before, after);
        main->unload(WindowId::ChannEdit);
    }
    // Undoing a model choice puts its band edges back in force.
    command("Edit_undo");
    EXPECT_EQ(ReadBandEdges(state->ChannelTable), (BandEdges{400, 470}));
    EXPECT_EQ(state->BandHighMHz, 470);
    EXPECT_EQ(main->statusPanel(7), " 400-- 470 MHZ");
}

// The closing question: Cancel stays, Discard closes, Save closes once saved.
TEST_F(ChannelCommandsTest, ClosingWithUnsavedChangesAsks) {
    const Texts question{
        "The channel data has changed. Save it before closing? [Save|Discard|Cancel]"};
    main->close();  // nothing changed: no question
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(presenter.take().empty());

    const struct {
        int answer;  // Save 0, Discard 1, Cancel 2
        bool closes;
    } answers[] = {{2, false}, {1, true}, {0, false}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer);
        main->show();
        UseChannel(state->ChannelTable, 1, "446.5");
        presenter.answers = {a.answer};
        command("Menu_exit");
        ASSERT_EQ(presenter.messages.size(), 1u);
        EXPECT_EQ(presenter.messages[0].title, "Operate Prompt");
        EXPECT_EQ(presenter.take(), question);
        EXPECT_EQ(main->isVisible(), !a.closes);
    }
    // Save: the save window is open; closing it unsaved keeps the program,
    // and a later save does not end it.
    ASSERT_NE(main->window(WindowId::SaveChann), nullptr);
    press(main->window(WindowId::SaveChann), "Command_close");
    EXPECT_TRUE(main->isVisible());
    command("File_save");
    confirmFile(WindowId::SaveChann, "first.chann");
    EXPECT_TRUE(main->isVisible());
    // Saved after the question: the program ends.
    UseChannel(state->ChannelTable, 2, "446.5");
    presenter.take();
    presenter.answers = {0};
    main->close();
    settle();
    confirmFile(WindowId::SaveChann, "radio.chann");
    EXPECT_FALSE(main->isVisible());
    Image saved{};
    ASSERT_TRUE(LoadChannelFile(dir.filePath("radio.chann").toStdString(), saved).ok);
    EXPECT_EQ(RxText(saved, 2), "446.50000");
}

// No key is taken twice, and the program's shortcuts keep working with rows
// selected (from a cell's editor: the exchange window tests; F1 and Ctrl+Q:
// the desktop tests).
TEST_F(ChannelCommandsTest, ExistingShortcutsStillWork) {
    std::map<QString, QString> owner;
    for (QAction* a : main->findChildren<QAction*>()) {
        for (const QKeySequence& k : a->shortcuts()) {
            const auto [it, added] = owner.emplace(k.toString(), a->objectName());
            EXPECT_TRUE(added) << k.toString().toStdString() << " " << it->second.toStdString()
                               << " and " << a->objectName().toStdString();
        }
    }
    clickNumber(2);
    key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_NE(main->window(WindowId::OpenChann), nullptr);
}

// What the program rewrites by itself is shown: the leftover bytes of empty
// channels a file brings are cleared as a step after the load (said in the
// status bar), and Optional Features clearing "VOX Inhibit on Receive" as it
// opens is a step; both are "Modified" and undone back to the file. The
// file's band edges come into force.
TEST_F(ChannelCommandsTest, RewritesAreStepsOfTheirOwnAndTheFilesBandIsInForce) {
    Image file = Channels("A@145.5 - B@146");
    file[2] = RowOf({255, 7, 7});  // empty, with leftover bytes
    WriteBandEdges(file, {136, 174});
    main->openFile(saveImage("vhf.chann", file));
    rest();
    EXPECT_EQ(main->statusBar()->currentMessage(),
              "Cleared the leftover bytes of 1 empty channel (Undo brings them back).");
    EXPECT_EQ(main->statusPanel(2) + main->statusPanel(7), "Modified 136-- 174 MHZ");
    EXPECT_EQ(state->ChannelTable[2], RowOf({}));
    command("Edit_undo");
    EXPECT_TRUE(state->ChannelTable == file);
    EXPECT_EQ(main->statusPanel(2), "");
    enter(3, Col::ColRx, "145.5");
    EXPECT_EQ(RxText(state->ChannelTable, 3), "145.50000");
    EXPECT_EQ(presenter.take(), Texts{"Succeed fold the channel parameter from file."});

    const Image image = Channels("A B");  // option byte 1 is 113: bit 4 set
    start(image);
    QWidget* options = open("Optional_edit", WindowId::Option);
    rest();
    EXPECT_EQ(state->ChannelTable[208][1], 97);
    EXPECT_EQ(main->statusPanel(2), "Modified");
    child<QAbstractButton>(options, "Check_ROGER")->click();
    rest();
    command("Edit_undo");
    command("Edit_undo");
    rest();
    EXPECT_TRUE(state->ChannelTable == image);
    EXPECT_EQ(main->statusPanel(2), "");
    EXPECT_FALSE(main->recorder().canUndo());
    EXPECT_TRUE(main->recorder().canRedo());
}

}  // namespace
}  // namespace zt::test
