// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_grid_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "model/app_state.h"
#include "model/bitext.h"
#include "model/channel.h"
#include "model/channel_grid.h"
#include "model/channel_texts.h"
#include "model/channel_validation.h"
#include "model/tone_codec.h"
#include "ui/accessible_names.h"
#include "ui/channel_clipboard.h"
#include "ui/edit_commands.h"
#include "ui/editor_support.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kClear{"Clear", "清除"};
constexpr BiText kClose{"Close", "关闭"};
constexpr BiText kEdit{"Channel Edit", "信道编辑"};
constexpr BiText kHelp{"Help", "帮助"};
constexpr BiText kBusyButton{"Read-write operating，don't close the window. ,",
                             "正在进行读写操作,请勿关窗口 ！,"};
constexpr BiText kBusyWindow{"Read-write operating，don't close the window.,",
                             "正在进行读写操作,请勿关窗口 ！,"};

// Header format string: "^" centres a column, "|" separates columns.
QStringList headerLabels(BiText format, bool chinese) {
    QStringList labels = qs(format, chinese).split('|');
    for (QString& l : labels) {
        if (l.startsWith('^')) l.remove(0, 1);
    }
    return labels;
}

// The texts a row of the grid shows (table row `row`, channel row + 1).
GridRow rowTexts(const QTableWidget* grid, int row) {
    GridRow texts;
    for (int col = 0; col < kGridColumns; ++col) texts[col] = utf8(grid->item(row, col)->text());
    return texts;
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool isEscape(const QKeyEvent* key) {
    return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
}

}  // namespace

ChannelGridWindow::ChannelGridWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      open_(&state.Windows.ChannIsOpen),
      grid_(new QTableWidget(kChannelCount, kColumns, this)),
      textEdit_(new QLineEdit(grid_->viewport())),
      comboEdit_(new QComboBox(grid_->viewport())),
      editorLabel_(new QLabel(grid_->viewport())),
      clear_(new QPushButton(this)),
      edit_(new QPushButton(this)),
      help_(new QPushButton(this)),
      close_(new QPushButton(this)) {
    setObjectName("frm_chann");
    grid_->setObjectName("MSF_chann");
    textEdit_->setObjectName("Text_Edit");
    comboEdit_->setObjectName("Combo_edit");
    editorLabel_->hide();
    clear_->setObjectName("Command_Clear");
    edit_->setObjectName("Command_Edit");
    help_->setObjectName("Command_Help");
    close_->setObjectName("Command_Close");

    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The arrow keys move between cells; Tab goes on to the window's buttons,
    // which it could otherwise reach only through every cell.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->setHighlightSections(false);
    const int rowHeight = std::max(textEdit_->sizeHint().height(), comboEdit_->sizeHint().height());
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int widths[kColumns] = {70, 120, 120, 120, 120, 90, 80, 90};
    for (int col = 0; col < kColumns; ++col) grid_->setColumnWidth(col, widths[col]);

    // Column 0 is fixed: the channel numbers, drawn like a header. Disabled, so
    // neither a click nor a key makes it the current cell; drawn in the normal
    // text colour all the same.
    for (int row = 0; row < kChannelCount; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::NoItemFlags);
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(palette().button());
        number->setForeground(palette().buttonText());
        grid_->setItem(row, ColChannel, number);
        for (int col = 1; col < kColumns; ++col) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(row, col, cell);
        }
    }

    textEdit_->hide();
    // Framed, so the cell being edited shows which it is even when it is empty.
    textEdit_->setFrame(true);
    textEdit_->setAlignment(Qt::AlignCenter);
    textEdit_->installEventFilter(this);
    comboEdit_->hide();
    comboEdit_->setEditable(false);  // lists accept no typed text
    keepPopupShort(comboEdit_);
    comboEdit_->installEventFilter(this);
    grid_->installEventFilter(this);
    // Presses on the channel numbers select rows; they never reach the grid.
    grid_->viewport()->installEventFilter(this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &ChannelGridWindow::showContextMenu);

    connect(grid_, &QTableWidget::currentCellChanged, this, &ChannelGridWindow::currentCellChanged);
    connect(grid_, &QTableWidget::cellPressed, this, &ChannelGridWindow::cellPressed);
    // An overlay would float away from its cell when the grid scrolls.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ChannelGridWindow::hideEditors);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &ChannelGridWindow::hideEditors);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (open_editor_ == Editor::Text && textEdit_->isVisible()) placeEditor(textEdit_);
        if (open_editor_ == Editor::List && comboEdit_->isVisible()) placeEditor(comboEdit_);
    });
    connect(comboEdit_, &QComboBox::activated, this, &ChannelGridWindow::listChosen);
    connect(clear_, &QPushButton::clicked, this, &ChannelGridWindow::clearAll);
    connect(edit_, &QPushButton::clicked, this, &ChannelGridWindow::editChannelRequested);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (exchangeRunning()) {
            presenter_.show(kBusyButton, state_.LanguageChinese);
            return;
        }
        emit closeRequested();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear_);
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(help_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    retranslate();
    state_.CurrentChannel = 1;
    {
        // The grid opens on channel 1 without an editor.
        const QSignalBlocker block(grid_);
        grid_->setCurrentCell(0, ColRx);
    }
    showAllRows();
    updateCaption();
}

void ChannelGridWindow::retranslate() {
    const bool chinese = state_.LanguageChinese;
    grid_->setHorizontalHeaderLabels(headerLabels(kGridHeader, chinese));
    clear_->setText(qs(kClear, chinese));
    close_->setText(qs(kClose, chinese));
    edit_->setText(qs(kEdit, chinese));
    help_->setText(qs(kHelp, chinese));
    nameControls({{grid_, nullptr, qs(kGridCaption, chinese).section('[', 0, 0).trimmed()}});
}

void ChannelGridWindow::updateCaption() {
    setWindowTitle(qs(GridCaption(state_.LanguageChinese, state_.CurrentChannel)));
}

QString ChannelGridWindow::cellText(int row, int column) const {
    return grid_->item(row, column)->text();
}

void ChannelGridWindow::setCellText(int row, int column, const QString& text) {
    grid_->item(row, column)->setText(text);
    nameCell(grid_, row, column, state_.LanguageChinese);
}

void ChannelGridWindow::nameEditor(QWidget* editor) {
    // The label stays hidden: it gives the list its name, since on this desktop
    // a list reads out its item where other controls read their name.
    const QString title = cellTitle(grid_, editRow_, editColumn_, state_.LanguageChinese);
    editorLabel_->setText(title);
    nameControls({{editor, editorLabel_}});
}

void ChannelGridWindow::showAllRows() {
    for (int c = 1; c <= kChannelCount; ++c) showChannelRow(c);
    dropStaleEditor();
}

void ChannelGridWindow::dropStaleEditor() {
    if (open_editor_ == Editor::None || cellText(editRow_, editColumn_) == editSeed_) return;
    open_editor_ = Editor::None;
    hideEditors();
    textEdit_->clear();
    const QSignalBlocker block(comboEdit_);
    comboEdit_->clear();
}

void ChannelGridWindow::showChannelRow(int channel) {
    const int row = channel - 1;
    const GridRow texts = ShowChannelRow(state_, channel, rowTexts(grid_, row));
    for (int col = ColRx; col <= ColName; ++col) setCellText(row, col, qs(texts[col]));
}

void ChannelGridWindow::currentCellChanged(int row, int column, int, int) {
    leaveCell();
    if (row < 0 || column < 0) return;
    if (column == ColChannel) {
        // Only a program move could get here: the number column takes no editor.
        grid_->setCurrentCell(row, ColRx);
        return;
    }
    state_.CurrentChannel = static_cast<std::int16_t>(row + 1);
    updateCaption();
    emit currentChannelChanged();
    beginCellEdit(row, column);
}

void ChannelGridWindow::cellPressed(int row, int column) {
    // A press on the current cell: open its editor again if it is closed or was
    // hidden by scrolling (an open one keeps what was typed into it).
    if (row != grid_->currentRow() || column != grid_->currentColumn()) return;
    if (open_editor_ == Editor::None) {
        beginCellEdit(row, column);
    } else if (row == editRow_ && column == editColumn_) {
        QWidget* editor = open_editor_ == Editor::Text ? static_cast<QWidget*>(textEdit_)
                                                       : static_cast<QWidget*>(comboEdit_);
        placeEditor(editor);
        editor->show();
        editor->setFocus();
    }
}

void ChannelGridWindow::placeEditor(QWidget* editor) {
    const QRect cell = grid_->visualRect(grid_->model()->index(editRow_, editColumn_));
    if (editor == comboEdit_) {
        editor->setGeometry(cell.left(), cell.top(), cell.width(),
                            std::max(cell.height(), comboEdit_->sizeHint().height()));
    } else {
        editor->setGeometry(cell);
    }
}

void ChannelGridWindow::beginCellEdit(int row, int column) {
    clearRowSelection();  // editing a cell again ends the work on whole rows
    editRow_ = row;
    editColumn_ = column;
    editSeed_ = cellText(row, column);
    open_editor_ = Editor::None;
    if (column == ColChannel) {
        hideEditors();
        return;
    }
    const GridEditor editor = CellEditor(rowTexts(grid_, row), column);
    if (editor == GridEditor::None) {
        hideEditors();
        return;
    }
    if (editor == GridEditor::Text) {
        hideEditor(comboEdit_);
        nameEditor(textEdit_);
        textEdit_->setText(cellText(row, column));
        placeEditor(textEdit_);
        textEdit_->show();
        textEdit_->setFocus();
        textEdit_->selectAll();
        open_editor_ = Editor::Text;
        return;
    }
    hideEditor(textEdit_);
    const QSignalBlocker block(comboEdit_);
    comboEdit_->clear();
    for (const std::string& item : ChoiceItems(state_, column)) comboEdit_->addItem(qs(item));
    comboEdit_->setCurrentIndex(comboEdit_->findText(cellText(row, column).trimmed()));
    nameEditor(comboEdit_);
    placeEditor(comboEdit_);
    comboEdit_->show();
    comboEdit_->setFocus();
    open_editor_ = Editor::List;
}

void ChannelGridWindow::hideEditor(QWidget* editor) {
    // Hiding a focused editor would pass the focus on like Tab does, and the grid
    // takes that as a move to the next cell.
    if (editor->hasFocus()) grid_->setFocus();
    editor->hide();
}

void ChannelGridWindow::hideEditors() {
    hideEditor(textEdit_);
    hideEditor(comboEdit_);
}

void ChannelGridWindow::leaveCell() {
    const Editor editor = std::exchange(open_editor_, Editor::None);
    const int row = editRow_;
    hideEditors();
    // Only what an open editor holds, and only when the user changed it, is
    // committed: a cell that did not open (on a row without receive frequency)
    // has nothing to store, and passing through a cell stores nothing either
    // (a frequency outside the band from a read stays as it is until retyped).
    const bool typed = editor == Editor::Text && textChanged();
    if (typed) {
        commitText(editColumn_, textEdit_->text());
    } else if (editor == Editor::List) {
        setCellText(row, editColumn_, comboEdit_->currentText());
    }
    textEdit_->clear();
    const QSignalBlocker block(comboEdit_);
    comboEdit_->clear();
}

void ChannelGridWindow::commitText(int column, const QString& text) {
    const int channel = editRow_ + 1;
    const GridTextCommit result =
        CommitGridText(state_, channel, column, utf8(text), rowTexts(grid_, editRow_));
    showChannelRow(channel);
    showMessage(static_cast<int>(result.message));
}

void ChannelGridWindow::showMessage(int messageId) {
    const auto id = static_cast<ChannelMessage>(messageId);
    if (id == ChannelMessage::None) return;
    // Deferred: a commit runs inside a cell change or a key press, and a modal box
    // there would move the focus and re-enter the grid.
    presenter_.showLater(ChannelMessageText(id), state_.LanguageChinese);
}

void ChannelGridWindow::listChosen(int position) {
    if (open_editor_ != Editor::List || position < 0) return;
    StoreChoice(state_.ChannelTable, editRow_ + 1, editColumn_, position);
}

bool ChannelGridWindow::textChanged() const { return textEdit_->text() != editSeed_; }

void ChannelGridWindow::enterPressed() {
    const int row = editRow_;
    const int column = editColumn_;
    if (open_editor_ == Editor::Text && (column == ColRx || column == ColTx)) {
        open_editor_ = Editor::None;
        hideEditor(textEdit_);
        if (textChanged()) commitText(column, textEdit_->text());
    }
    // A name is written by the commit of the cell being left.
    navigateFrom(row, column);
}

void ChannelGridWindow::navigateFrom(int row, int column) {
    const GridCell to = EnterTarget(rowTexts(grid_, row), row + 1, column);
    grid_->setCurrentCell(to.channel - 1, to.column);
}

bool ChannelGridWindow::textKeyAllowed(const QKeyEvent* key) const {
    if (key->key() == Qt::Key_Backspace) return true;
    if (key->text().isEmpty() || !key->text().at(0).isPrint()) return true;  // not a character
    return TextBoxTakes(editColumn_, utf8(textEdit_->text()));
}

bool ChannelGridWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
                if (rowMouseEvent(static_cast<QMouseEvent*>(event))) return true;
                break;
            default:
                break;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride && isEscape(static_cast<QKeyEvent*>(event)) &&
        ((watched == textEdit_ || watched == comboEdit_) || (watched == grid_ && !rows_.empty()))) {
        // Escape first leaves the editor or the selected rows; only then does
        // it close the window.
        event->accept();
        return true;
    }
    if (watched == textEdit_ && event->type() == QEvent::ShortcutOverride &&
        shortcutForCommands(static_cast<QKeyEvent*>(event))) {
        // Left unaccepted, the key runs the menu command instead of editing.
        event->ignore();
        return true;
    }
    if ((watched == textEdit_ || watched == comboEdit_) && event->type() == QEvent::KeyPress &&
        isEscape(static_cast<QKeyEvent*>(event))) {
        cancelEdit();
        return true;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress && !rows_.empty() &&
        rowKeyEvent(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        // The grid itself has the focus (at start, or after scrolling hid the
        // overlay): Enter or typing opens the current cell again, and the typed
        // character goes into its text box.
        auto* key = static_cast<QKeyEvent*>(event);
        // A Ctrl or Meta chord (Ctrl+1 carries the text "1") is a command, not
        // typing: the editor ignores it and it would come back here without end.
        const bool chord = (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
        const bool character = !chord && !key->text().isEmpty() && key->text().at(0).isPrint();
        const int row = grid_->currentRow();
        const int column = grid_->currentColumn();
        // F2 opens the cell as Enter does, the key other programs use for it.
        const bool open = isEnter(key) || (key->key() == Qt::Key_F2 && !chord);
        if ((open || character) && row >= 0) {
            // Bring the cell into view first: scrolling hides the overlay.
            grid_->scrollToItem(grid_->item(row, column));
            if (open_editor_ == Editor::None) {
                beginCellEdit(row, column);
                if (open_editor_ == Editor::Text && character) textEdit_->clear();
            } else if (row == editRow_ && column == editColumn_) {
                cellPressed(row, column);
            } else {
                return QWidget::eventFilter(watched, event);
            }
            if (open_editor_ == Editor::Text && character) {
                QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(textEdit_, &copy);
            }
            return true;
        }
    }
    if (watched == textEdit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            enterPressed();
            return true;
        }
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            const int to = editRow_ + (key->key() == Qt::Key_Up ? -1 : 1);
            if (to >= 0 && to < kChannelCount) grid_->setCurrentCell(to, editColumn_);
            return true;
        }
        return !textKeyAllowed(key);
    }
    if (watched == comboEdit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            navigateFrom(editRow_, editColumn_);
            return true;
        }
    }
    if (watched == textEdit_ && event->type() == QEvent::FocusOut) {
        // While the write window is open, a frequency being typed is committed
        // when the box loses the focus, so the radio gets what the grid shows.
        if (state_.Windows.CommWriteIsOpen && open_editor_ == Editor::Text &&
            (editColumn_ == ColRx || editColumn_ == ColTx) && textChanged()) {
            state_.CurrentChannel = static_cast<std::int16_t>(editRow_ + 1);
            open_editor_ = Editor::None;
            textEdit_->hide();  // the focus is already elsewhere
            commitText(editColumn_, textEdit_->text());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelGridWindow::commitPendingName() {
    if (open_editor_ != Editor::Text || editColumn_ != ColName || !textChanged()) return;
    WriteName(state_.ChannelTable, editRow_ + 1, utf8(textEdit_->text()));
}

void ChannelGridWindow::commitPendingEdit() {
    if (open_editor_ != Editor::Text || !textChanged()) return;
    if (editColumn_ == ColName) {
        commitPendingName();
        return;
    }
    state_.CurrentChannel = static_cast<std::int16_t>(editRow_ + 1);
    open_editor_ = Editor::None;
    hideEditor(textEdit_);
    commitText(editColumn_, textEdit_->text());
}

void ChannelGridWindow::clearAll() {
    open_editor_ = Editor::None;
    hideEditors();
    textEdit_->clear();
    {
        const QSignalBlocker block(comboEdit_);
        comboEdit_->clear();
    }
    Image& image = state_.ChannelTable;
    for (int c = 1; c <= kChannelCount; ++c) ClearName(image, c);
    for (int c = 1; c <= kChannelCount; ++c) {
        ClearChannel(image, c);
        showChannelRow(c);
    }
}

void ChannelGridWindow::cancelEdit() {
    // The cell keeps what it showed before; nothing typed is stored.
    open_editor_ = Editor::None;
    hideEditors();
    textEdit_->clear();
    const QSignalBlocker block(comboEdit_);
    comboEdit_->clear();
}

void ChannelGridWindow::finishEditing() {
    if (open_editor_ == Editor::None) {
        hideEditors();
        return;
    }
    leaveCell();
}

std::vector<int> ChannelGridWindow::selectedChannels() const {
    std::vector<int> channels;
    for (int row : rows_) channels.push_back(row + 1);
    return channels;
}

ChannelSelection ChannelGridWindow::selection() const {
    const int row = grid_->currentRow();
    return {selectedChannels(), row >= 0 ? row + 1 : state_.CurrentChannel};
}

void ChannelGridWindow::selectChannels(const std::vector<int>& channels, int current) {
    finishEditing();
    rows_.clear();
    for (int c : channels) rows_.push_back(c - 1);
    std::sort(rows_.begin(), rows_.end());
    rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
    const int row = current - 1;
    {
        // Selecting rows is not editing: the current cell moves without an
        // editor opening.
        const QSignalBlocker block(grid_);
        const int column = std::max<int>(ColRx, grid_->currentColumn());
        grid_->selectionModel()->setCurrentIndex(grid_->model()->index(row, column),
                                                 QItemSelectionModel::NoUpdate);
    }
    if (state_.CurrentChannel != current) {
        state_.CurrentChannel = static_cast<std::int16_t>(current);
        updateCaption();
        emit currentChannelChanged();
    }
    showRowSelection();
    grid_->scrollToItem(grid_->item(row, ColChannel));
    grid_->setFocus();
}

void ChannelGridWindow::selectAllChannels() {
    std::vector<int> all;
    for (int c = 1; c <= kChannelCount; ++c) all.push_back(c);
    selectChannels(all, selection().current);
    anchorRow_ = 0;
}

void ChannelGridWindow::rowPressed(int row, Qt::KeyboardModifiers modifiers) {
    std::vector<int> channels = selectedChannels();
    if (modifiers & Qt::ShiftModifier) {
        if (anchorRow_ < 0) anchorRow_ = grid_->currentRow() >= 0 ? grid_->currentRow() : row;
        selectRowRange(anchorRow_, row);
        return;
    }
    if (modifiers & Qt::ControlModifier) {
        const auto it = std::find(channels.begin(), channels.end(), row + 1);
        if (it == channels.end()) {
            channels.push_back(row + 1);
        } else {
            channels.erase(it);
        }
    } else {
        channels = {row + 1};
    }
    anchorRow_ = row;
    selectChannels(channels, row + 1);
}

void ChannelGridWindow::selectRowRange(int from, int to) {
    std::vector<int> channels;
    for (int r = std::min(from, to); r <= std::max(from, to); ++r) channels.push_back(r + 1);
    selectChannels(channels, to + 1);
}

void ChannelGridWindow::showRowSelection() {
    QItemSelection selected;
    for (int row : rows_) {
        selected.select(grid_->model()->index(row, ColRx), grid_->model()->index(row, ColName));
    }
    grid_->selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect);
    // The numbers cannot be selected cells; they are painted as selected.
    for (int row : drawn_) {
        QTableWidgetItem* number = grid_->item(row, ColChannel);
        number->setBackground(palette().button());
        number->setForeground(palette().buttonText());
    }
    for (int row : rows_) {
        QTableWidgetItem* number = grid_->item(row, ColChannel);
        number->setBackground(palette().highlight());
        number->setForeground(palette().highlightedText());
    }
    drawn_ = rows_;
}

void ChannelGridWindow::clearRowSelection() {
    if (rows_.empty() && drawn_.empty()) return;
    rows_.clear();
    anchorRow_ = -1;
    showRowSelection();
}

bool ChannelGridWindow::rowMouseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int row = grid_->rowAt(at.y());
    const bool onNumber = grid_->columnAt(at.x()) == ColChannel && row >= 0;
    switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            return onNumber;  // the press before it selected already
        case QEvent::MouseButtonPress:
            if (event->button() == Qt::LeftButton && onNumber) {
                rowPressed(row, event->modifiers());
                draggingRows_ = true;
                return true;
            }
            if (event->button() == Qt::RightButton && row >= 0) {
                const bool selectedRow = std::binary_search(rows_.begin(), rows_.end(), row);
                // The context menu works on the selected rows; a right press
                // on another number selects that one.
                if (onNumber && !selectedRow) rowPressed(row, Qt::NoModifier);
                return onNumber || selectedRow;
            }
            return onNumber;
        case QEvent::MouseMove:
            if (!draggingRows_ || !(event->buttons() & Qt::LeftButton)) return false;
            if (row >= 0 && anchorRow_ >= 0) selectRowRange(anchorRow_, row);
            return true;
        case QEvent::MouseButtonRelease:
            if (!std::exchange(draggingRows_, false)) return false;
            return true;
        default:
            return false;
    }
}

bool ChannelGridWindow::rowKeyEvent(const QKeyEvent* key) {
    const bool upDown = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
    if (upDown && key->modifiers() == Qt::ShiftModifier) {
        const int to = std::clamp(grid_->currentRow() + (key->key() == Qt::Key_Up ? -1 : 1), 0,
                                  kChannelCount - 1);
        if (anchorRow_ < 0) anchorRow_ = grid_->currentRow();
        selectRowRange(anchorRow_, to);
        return true;
    }
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        clearRowSelection();
        return true;
    }
    return false;
}

bool ChannelGridWindow::shortcutForCommands(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    const auto is = [&](EditCommand command) {
        return pressed == QKeySequence(QString::fromLatin1(EditCommandOf(command).shortcut));
    };
    if (is(EditCommand::Undo)) return !textEdit_->isUndoAvailable();
    if (is(EditCommand::Redo)) return !textEdit_->isRedoAvailable();
    if (is(EditCommand::Paste))
        return ChannelRecordsOnClipboard().has_value() || CsvOnClipboard().has_value();
    if (is(EditCommand::SelectAll)) return textEdit_->selectedText() == textEdit_->text();
    // The text box would move to the end of the line, which End does as well.
    if (is(EditCommand::SetFields)) return true;
    return false;
}

void ChannelGridWindow::showContextMenu(const QPoint& position) {
    if (contextActions_.isEmpty()) return;
    QMenu menu(this);
    for (QAction* action : contextActions_) {
        if (action) {
            menu.addAction(action);
        } else {
            menu.addSeparator();
        }
    }
    menu.exec(grid_->viewport()->mapToGlobal(position));
}

void ChannelGridWindow::closeEvent(QCloseEvent* event) {
    if (exchangeRunning()) {
        presenter_.show(kBusyWindow, state_.LanguageChinese);
        event->ignore();
        return;
    }
    open_.release();
    event->accept();
}

}  // namespace zt
