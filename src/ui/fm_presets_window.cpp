// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fm_presets_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/fm_presets.h"
#include "ui/accessible_names.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"
#include "ui/window_id.h"

namespace zt {

namespace {

constexpr int kFreqColumn = 1;

QTableWidgetItem* Cell(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    return item;
}

// Every cell's text goes through here, so its spoken name follows it.
void ShowFrequency(QTableWidget* grid, int row, const QString& text, bool chinese) {
    Cell(grid, row, kFreqColumn)->setText(text);
    nameCell(grid, row, kFreqColumn, chinese);
}

}  // namespace

FmPresetsWindow::FmPresetsWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      open_(openFlag(state, WindowId::Test)),
      grid_(new QTableWidget(kFmPresetCount, 2, this)),
      edit_(new QLineEdit(grid_->viewport())),
      close_(new QPushButton(this)),
      help_(new QPushButton(this)) {
    setObjectName("Form_Edit_Test");
    setAttribute(Qt::WA_DeleteOnClose);
    grid_->setObjectName("MSF_chann");
    edit_->setObjectName("Text_Edit");
    close_->setObjectName("Command_Close");
    help_->setObjectName("Command_Help");
    edit_->hide();
    edit_->installEventFilter(this);

    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The arrow keys move between cells; Tab goes on to the window's buttons,
    // which it could otherwise reach only through every cell.
    grid_->setTabKeyNavigation(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    const bool zh = chinese();
    setWindowTitle(qs(kFmCaptions.window, zh));
    close_->setText(qs(kFmCaptions.close, zh));
    help_->setText(qs(kFmCaptions.help, zh));
    const auto headers = FmGridHeaders(zh);
    grid_->setHorizontalHeaderLabels({qs(headers[0]), qs(headers[1])});
    nameControls({{grid_, nullptr, windowTitle()}});
    for (int k = 0; k < kFmPresetCount; ++k) {
        QTableWidgetItem* number = Cell(grid_, k, 0);
        number->setText(QString::number(k));
        number->setTextAlignment(Qt::AlignCenter);
        Cell(grid_, k, kFreqColumn)->setTextAlignment(Qt::AlignCenter);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);

    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        commitEdit();
        beginEdit(row, column);
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (row != editRow_) beginEdit(row, column);
    });
    connect(edit_, &QLineEdit::textEdited, this, &FmPresetsWindow::editTextChanged);
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        // Enter, or the focus leaving the grid altogether (say for Close).
        // A message box taking the focus is neither.
        if (!closing_ && !edit_->hasFocus() && !presenter_.busy()) commitEdit();
    });
    connect(close_, &QPushButton::clicked, this, [this] { closeWindow(this); });

    fillGrid();
}

FmPresetsWindow::~FmPresetsWindow() { closing_ = true; }

bool FmPresetsWindow::chinese() const { return state_.LanguageChinese; }

void FmPresetsWindow::fillGrid() {
    const auto texts = FmGridTexts(state_.ChannelTable);
    for (int k = 0; k < kFmPresetCount; ++k)
        ShowFrequency(grid_, k, qs(texts[static_cast<std::size_t>(k)]), chinese());
}

void FmPresetsWindow::beginEdit(int row, int column) {
    if (closing_ || row < 0 || column != kFreqColumn) return;
    editRow_ = row;
    edit_->setGeometry(grid_->visualItemRect(Cell(grid_, row, column)));
    editSeed_ = Cell(grid_, row, column)->text();
    edit_->setText(editSeed_);
    nameControls({{edit_, nullptr, cellTitle(grid_, row, column, chinese())}});
    edit_->show();
    edit_->setFocus();
}

void FmPresetsWindow::commitEdit() {
    if (editRow_ < 0) return;
    const int row = editRow_;
    editRow_ = -1;
    const QString typed = edit_->text();
    // Hiding the focused box would pass the focus on as Tab does, and the grid
    // takes that for a move to another cell, which would open it meanwhile.
    if (edit_->hasFocus()) grid_->setFocus();
    edit_->hide();
    // Passing through a cell stores nothing: a byte the cell cannot show (an
    // empty preset other than 255) stays as it is.
    if (typed == editSeed_) {
        edit_->clear();
        return;
    }
    const FmCommit commit = CommitFmEdit(utf8(typed));
    if (commit.message)
        presenter_.showLater(qs(commit.message->text(chinese())),
                             qs(commit.message->title, chinese()));
    edit_->clear();
    ShowFrequency(grid_, row, qs(commit.cellText), chinese());
    // Every committed cell reaches the image at once.
    StoreFmPreset(state_.ChannelTable, row, commit.cellText);
}

void FmPresetsWindow::editTextChanged(const QString& text) {
    if (editRow_ < 0 || !FmEditTooLong(utf8(text))) return;
    presenter_.showLater(qs(kFmOutOfRange.in(chinese())), qs(kOperatePrompt.in(chinese())));
    edit_->clear();
    ShowFrequency(grid_, editRow_, QString(), chinese());
    StoreFmPreset(state_.ChannelTable, editRow_, "");
}

bool FmPresetsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        // Up and down move to the next preset, as in the grid itself.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = grid_->currentRow();
        if (key == Qt::Key_Up && row > 0) {
            grid_->setCurrentCell(row - 1, kFreqColumn);
            return true;
        }
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if ((key == Qt::Key_Down || enter) && row + 1 < kFmPresetCount) {
            grid_->setCurrentCell(row + 1, kFreqColumn);
            return true;
        }
        if (enter) {
            commitEdit();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FmPresetsWindow::closeEvent(QCloseEvent* event) {
    commitEdit();
    closing_ = true;
    open_.release();
    event->accept();
}

}  // namespace zt
