// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scan_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/scan_info.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// Disabled boxes take the button-face colour, enabled ones the window colour,
// both from the application's palette: the box's own palette holds the colour
// of its last state.
void SetEnabledLook(QWidget* w, bool enabled) {
    w->setEnabled(enabled);
    const QPalette colours = QApplication::palette(w);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, enabled ? colours.color(QPalette::Active, QPalette::Base)
                                       : colours.color(QPalette::Disabled, QPalette::Button));
    w->setPalette(p);
}

}  // namespace

ScanWindow::ScanWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent), state_(state), presenter_(presenter) {
    setObjectName("Form_Edit_scan");
    setAttribute(Qt::WA_DeleteOnClose);
    const bool zh = chinese();
    const ScanCaptions& c = kScanCaptions;
    setWindowTitle(qs(c.window, zh));

    pri_ = Named(new QComboBox(this), "Combo_pri");
    prich_ = Named(new QLineEdit(this), "Text_prich");
    lookBackA_ = Named(new QComboBox(this), "Combo_BA");
    lookBackB_ = Named(new QComboBox(this), "Combo_BB");
    revert_ = Named(new QComboBox(this), "Combo_BC");
    dropout_ = Named(new QComboBox(this), "Combo_RYC");
    txDwell_ = Named(new QComboBox(this), "Combo_TYC");
    for (const BiText& item : kPriorityModeItems) pri_->addItem(qs(item, zh));
    for (const std::string& t : LookBackTexts()) {
        lookBackA_->addItem(qs(t));
        lookBackB_->addItem(qs(t));
    }
    for (const std::string& t : ScanSecondsTexts()) {
        dropout_->addItem(qs(t));
        txDwell_->addItem(qs(t));
    }
    for (QComboBox* list : {pri_, lookBackA_, lookBackB_, revert_, dropout_, txDwell_})
        discardTypedKeys(list);
    for (QComboBox* list : {lookBackA_, lookBackB_, dropout_, txDwell_}) keepPopupShort(list);

    auto* grid = new QGridLayout;
    auto addRow = [&](int r, const char* labelName, BiText caption, QWidget* control) {
        auto* label = Named(new QLabel(qs(caption, zh), this), labelName);
        grid->addWidget(label, r, 0);
        grid->addWidget(control, r, 1);
        nameControls({{control, label}});  // what a screen reader calls it
    };
    addRow(0, "Label_pri", c.priority, pri_);
    addRow(1, "Label_prich", c.priorityChannel, prich_);
    addRow(2, "Label_BA", c.lookBackA, lookBackA_);
    addRow(3, "Label_BB", c.lookBackB, lookBackB_);
    addRow(4, "Label_BC", c.revert, revert_);
    addRow(5, "Label_RYC", c.dropout, dropout_);
    addRow(6, "Label_TYC", c.txDwell, txDwell_);

    auto* close = Named(new QPushButton(qs(c.close, zh), this), "Command_Close");
    auto* help = Named(new QPushButton(qs(c.help, zh), this), "Command_Help");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    Image& image = state_.ChannelTable;
    connect(pri_, &QComboBox::activated, this, [this, &image](int p) {
        CommitPriorityMode(image, p < 0 ? 0 : p);
        refresh();
    });
    connect(lookBackA_, &QComboBox::activated, this,
            [&image](int p) { CommitLookBack(image, kScanLookBackAByte, p < 0 ? 0 : p); });
    connect(lookBackB_, &QComboBox::activated, this,
            [&image](int p) { CommitLookBack(image, kScanLookBackBByte, p < 0 ? 0 : p); });
    connect(revert_, &QComboBox::activated, this,
            [&image](int p) { CommitRevert(image, p < 0 ? 0 : p); });
    connect(dropout_, &QComboBox::activated, this,
            [&image](int p) { CommitScanSeconds(image, kScanDropoutByte, p < 0 ? 0 : p); });
    connect(txDwell_, &QComboBox::activated, this,
            [&image](int p) { CommitScanSeconds(image, kScanTxDwellByte, p < 0 ? 0 : p); });
    installKeyRule(prich_, [](const QString& text, char32_t key) -> std::optional<char32_t> {
        if (!PriorityChannelKeyAccepted(utf8(text), key)) return std::nullopt;
        return key;
    });
    prich_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), prich_));
    connect(prich_, &QLineEdit::textChanged, this, &ScanWindow::priorityChannelChanged);
    connect(close, &QPushButton::clicked, this, [this] { closeWindow(this); });

    refresh();
}

bool ScanWindow::chinese() const { return state_.LanguageChinese; }

void ScanWindow::priorityChannelChanged() {
    const auto prompt = CommitPriorityChannel(state_.ChannelTable, utf8(prich_->text()));
    if (!prompt) return;
    presenter_.showLater(qs(prompt->text(chinese())), qs(prompt->title, chinese()));
    const QSignalBlocker quiet(prich_);
    prich_->clear();
}

void ScanWindow::refresh() {
    const ScanView v = RefreshScan(state_.ChannelTable);
    const bool zh = chinese();
    pri_->setCurrentIndex(static_cast<int>(v.mode));
    SetEnabledLook(prich_, v.priorityChannelEnabled);
    {
        const QSignalBlocker quiet(prich_);
        prich_->setText(qs(v.priorityChannel));
    }
    // What the refresh shows in fixed mode goes through the rule like a typed
    // number: an empty box there asks for a channel.
    priorityChannelChanged();
    lookBackA_->setCurrentIndex(v.lookBackA);
    lookBackB_->setCurrentIndex(v.lookBackB);
    SetEnabledLook(lookBackA_, v.lookBackEnabled);
    SetEnabledLook(lookBackB_, v.lookBackEnabled);
    if (v.revertChoices != revertChoices_) {
        revert_->clear();
        for (int choice : v.revertChoices)
            revert_->addItem(qs(kRevertChoices[static_cast<std::size_t>(choice)], zh));
        revertChoices_ = v.revertChoices;
    }
    revert_->setCurrentIndex(v.revert);
    dropout_->setCurrentIndex(v.dropout);
    txDwell_->setCurrentIndex(v.txDwell);
}

}  // namespace zt
