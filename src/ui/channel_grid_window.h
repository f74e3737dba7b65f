// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frm_chann: the channel grid, the main working window. All 128 channels as
// rows; selecting a cell lays an editor over it (a text box for frequencies and
// names, a list for tones, power and bandwidth); Enter commits and moves on, and
// leaving a cell commits it. Every value goes through the channel record and the
// frequency commits of the model; the grid keeps no copy of the data.

#include <QList>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/channel_commands.h"
#include "model/channel_grid.h"
#include "ui/window_support.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zt {

struct AppState;
class MessagePresenter;

class ChannelGridWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    // Grid columns, numbered as the core's grid rules number them; rows 1..128
    // are channels 1..128 (table rows 0..127).
    enum Column {
        ColChannel = kGridChannel,
        ColRx = kGridRx,
        ColTx = kGridTx,
        ColDecode = kGridDecode,
        ColEncode = kGridEncode,
        ColPower = kGridPower,
        ColWidth = kGridWidth,
        ColName = kGridName,
    };
    static constexpr int kColumns = kGridColumns;

    ChannelGridWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);

    // Rebuilds one row, or every row, from the image.
    void showChannelRow(int channel);
    void showAllRows();
    void windowActivated() override { showAllRows(); }
    // "Channel Information [ Channel - n ]" for CurrentChannel.
    void updateCaption();

    // For the windows that read, write or save the image: a name still being
    // typed in the grid is stored first.
    void commitPendingName();
    // For the write window: a frequency or name still being typed is committed
    // (with its message) before the image goes to the radio.
    void commitPendingEdit();

    // Command_Clear: empties every channel and every name.
    void clearAll();

    // Whole channels, for the commands of the Edit menu and the context menu.
    // Clicking a channel number selects its row, Shift and Ctrl extend; the
    // rows stay selected until a cell is edited again.
    [[nodiscard]] std::vector<int> selectedChannels() const;
    // The selected channels (none while cells are edited) and the grid's
    // current channel.
    [[nodiscard]] ChannelSelection selection() const;
    // Selects whole rows, `current` the current channel among them; an open
    // editor is committed and closed first, as leaving its cell does.
    void selectChannels(const std::vector<int>& channels, int current);
    void selectAllChannels();
    // Commits and closes the open editor, as leaving its cell does.
    void finishEditing();
    // The context menu's commands in order; nullptr stands for a divider.
    void setContextActions(const QList<QAction*>& actions) { contextActions_ = actions; }

    // True while an exchange with the radio runs; the grid then refuses to close.
    std::function<bool()> exchangeRunning = [] { return false; };

    [[nodiscard]] QTableWidget* grid() const { return grid_; }
    [[nodiscard]] QLineEdit* textEditor() const { return textEdit_; }
    [[nodiscard]] QComboBox* listEditor() const { return comboEdit_; }

  signals:
    void editChannelRequested();  // Command_Edit
    void closeRequested();        // Command_Close, once the grid agreed to close
    void currentChannelChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Editor { None, Text, List };

    void currentCellChanged(int row, int column, int previousRow, int previousColumn);
    void cellPressed(int row, int column);
    void beginCellEdit(int row, int column);
    void leaveCell();
    // Escape in an editor: closes it without storing what was typed.
    void cancelEdit();
    // Stores a typed name or frequency of the edited row and shows the row.
    void commitText(int column, const QString& text);
    // The open text box holds other text than the cell showed when it opened.
    [[nodiscard]] bool textChanged() const;
    void enterPressed();
    void navigateFrom(int row, int column);
    void listChosen(int position);
    void hideEditor(QWidget* editor);
    void hideEditors();
    // After the rows are rebuilt: an editor whose cell changed underneath it (a
    // read, a loaded file) holds text of the old image and is closed unstored.
    void dropStaleEditor();
    void placeEditor(QWidget* editor);
    // The editor laid over the current cell takes the cell's name.
    void nameEditor(QWidget* editor);
    void showMessage(int messageId);
    [[nodiscard]] bool textKeyAllowed(const QKeyEvent* key) const;
    [[nodiscard]] QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    void retranslate();
    // Row selection: a press on a channel number (with its modifiers), a drag
    // over the numbers, Shift+Up/Down; what is selected is drawn, numbers too.
    void rowPressed(int row, Qt::KeyboardModifiers modifiers);
    void selectRowRange(int from, int to);
    void showRowSelection();
    void clearRowSelection();
    bool rowMouseEvent(QMouseEvent* event);
    bool rowKeyEvent(const QKeyEvent* key);
    // Keys that the text box would take but that go to the commands: Undo and
    // Redo when it has nothing of its own to undo, Paste when the clipboard
    // holds channels, Select All when all of its text is selected, and Set
    // Fields always.
    [[nodiscard]] bool shortcutForCommands(const QKeyEvent* key) const;
    void showContextMenu(const QPoint& position);

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    QTableWidget* grid_;
    QLineEdit* textEdit_;
    QComboBox* comboEdit_;
    QLabel* editorLabel_;
    QPushButton* clear_;
    QPushButton* edit_;
    QPushButton* help_;
    QPushButton* close_;

    // The cell whose editor is open (table row 0..127 and grid column).
    int editRow_ = 0;
    int editColumn_ = ColRx;
    Editor open_editor_ = Editor::None;
    QString editSeed_;  // the cell's text when its editor opened

    std::vector<int> rows_;   // selected rows (table rows), ascending
    std::vector<int> drawn_;  // rows whose numbers are drawn as selected
    int anchorRow_ = -1;      // where a Shift-click or a drag extends from
    bool draggingRows_ = false;
    QList<QAction*> contextActions_;
};

}  // namespace zt
