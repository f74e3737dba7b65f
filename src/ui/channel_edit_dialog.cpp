// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/bitext.h"
#include "model/channel.h"
#include "model/channel_texts.h"
#include "model/channel_validation.h"
#include "model/tone_codec.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Channel Edit", "信道编辑"};
constexpr BiText kChannel{"Channel", "信道"};
constexpr BiText kRx{"Receive Frequency ", "接收频率"};
constexpr BiText kTx{"Transmit Frequency", "发射频率"};
constexpr BiText kClose{"Close", "关闭"};
constexpr BiText kHelp{"Help", "帮助"};

bool isCharacterKey(const QKeyEvent* key) {
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

}  // namespace

ChannelEditDialog::ChannelEditDialog(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent), state_(state), presenter_(presenter) {
    setObjectName("Form_Chann_Edit");
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kTitle, chinese));

    auto lineEdit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->installEventFilter(this);
        return e;
    };
    auto combo = [this](const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->setEditable(false);
        c->installEventFilter(this);
        keepPopupShort(c);
        return c;
    };
    auto check = [this, chinese](const char* name, BiText caption) {
        auto* c = new QCheckBox(qs(caption, chinese), this);
        c->setObjectName(name);
        return c;
    };
    auto label = [this, chinese](const char* name, BiText caption) {
        auto* l = new QLabel(qs(caption, chinese), this);
        l->setObjectName(name);
        return l;
    };

    channel_ = lineEdit("Text_CHN");
    channel_->setMaximumWidth(60);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScroll1");
    scroll_->setFixedHeight(channel_->sizeHint().height() * 2);
    rx_ = lineEdit("Text_RX_Freq");
    tx_ = lineEdit("Text_TX_Freq");
    decode_ = combo("Combo_Decode");
    encode_ = combo("Combo_Encode");
    power_ = combo("Combo_TXP");
    width_ = combo("Combo_WN");
    name_ = lineEdit("Text_Name");
    vox_ = check("Check_VOX", kVoxCaption);
    bcl_ = check("Check_Bcl", kBclCaption);
    scan_ = check("Check_Scan", kScanAddCaption);
    txStop_ = check("Check_TxStop", kTxStopCaption);
    auto* close = new QPushButton(qs(kClose, chinese), this);
    close->setObjectName("Command_Close");
    auto* help = new QPushButton(qs(kHelp, chinese), this);
    help->setObjectName("Command_Help");

    QLabel* channelLabel = label("Label_CHN", kChannel);
    auto* number = new QHBoxLayout;
    number->addWidget(channelLabel);
    number->addWidget(channel_);
    number->addWidget(scroll_);
    number->addStretch();
    const std::pair<QLabel*, QWidget*> rows[] = {{label("Label_RX_freq", kRx), rx_},
                                                 {label("Label_TX_freq", kTx), tx_},
                                                 {label("Label_Decode", kDecodeCaption), decode_},
                                                 {label("Label_Encode", kEncodeCaption), encode_},
                                                 {label("Label_TXP", kPowerCaption), power_},
                                                 {label("Label_WN", kWidthCaption), width_},
                                                 {label("Label_Name", kNameCaption), name_}};
    auto* form = new QFormLayout;
    for (const auto& [caption, field] : rows) {
        form->addRow(caption, field);
        nameControls({{field, caption}});  // what a screen reader calls it
    }
    nameControls({{channel_, channelLabel}, {scroll_, nullptr, channelLabel->text()}});
    auto* checks = new QGridLayout;
    checks->addWidget(vox_, 0, 0);
    checks->addWidget(bcl_, 0, 1);
    checks->addWidget(scan_, 1, 0);
    checks->addWidget(txStop_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addLayout(form);
    layout->addLayout(checks);
    layout->addStretch();
    layout->addLayout(buttons);

    Image& image = state_.ChannelTable;
    auto current = [this] { return static_cast<int>(state_.CurrentChannel); };
    connect(scroll_, &QScrollBar::valueChanged, this, &ChannelEditDialog::stepped);
    connect(channel_, &QLineEdit::textChanged, this, &ChannelEditDialog::channelNumberChanged);
    connect(rx_, &QLineEdit::textChanged, this,
            [this](const QString& text) { tx_->setEnabled(!text.trimmed().isEmpty()); });
    connect(decode_, &QComboBox::activated, this,
            [&image, current](int i) { SetRxTone(image, current(), i); });
    connect(encode_, &QComboBox::activated, this,
            [&image, current](int i) { SetTxTone(image, current(), i); });
    connect(power_, &QComboBox::activated, this,
            [&image, current](int i) { SetPower(image, current(), i); });
    connect(width_, &QComboBox::activated, this,
            [&image, current](int i) { SetWide(image, current(), i > 0); });
    const std::pair<QCheckBox*, std::uint8_t> flags2[] = {
        {vox_, kVoxBit}, {bcl_, kBclBit}, {txStop_, kTxStopBit}};
    for (auto [box, bit] : flags2) {
        connect(box, &QCheckBox::clicked, this, [&image, current, bit = bit](bool on) {
            SetFlag(image, current(), kFlags2Byte, bit, on);
        });
    }
    // "Scan Add" is checked when the scan-skip bit is clear.
    connect(scan_, &QCheckBox::clicked, this, [&image, current](bool on) {
        SetFlag(image, current(), kFlags1Byte, kScanSkipBit, !on);
    });
    connect(name_, &QLineEdit::textEdited, this, [this, &image, current](const QString& text) {
        WriteName(image, current(), utf8(text));
    });
    connect(close, &QPushButton::clicked, this, [this] { closeWindow(this); });

    scroll_->setRange(0, kChannelCount + 1);  // 0 and 129 only wrap around
    const int start = std::clamp(static_cast<int>(state_.CurrentChannel), 1, kChannelCount);
    if (scroll_->value() == start) {
        stepped(start);
    } else {
        scroll_->setValue(start);
    }
    resize(420, 420);
}

void ChannelEditDialog::fillLists() {
    const bool chinese = state_.LanguageChinese;
    for (QComboBox* list : {decode_, encode_}) {
        list->clear();
        list->addItem(qs(kToneOffText, chinese));
        for (int p = 1; p <= state_.ToneDcsIEnd; ++p) {
            list->addItem(qs(state_.ToneList[static_cast<std::size_t>(p)]).trimmed());
        }
    }
    power_->clear();
    for (BiText t : kPowerTexts) power_->addItem(qs(t, chinese));
    width_->clear();
    for (BiText t : kWidthTexts) width_->addItem(qs(t, chinese));
}

void ChannelEditDialog::setChannelControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{tx_, decode_, encode_, power_, width_, name_,
                                                      vox_, bcl_, scan_, txStop_}) {
        w->setEnabled(enabled);
    }
}

void ChannelEditDialog::refreshDialog() {
    const int c = state_.CurrentChannel;
    if (IsChannelEmpty(state_.ChannelTable, c)) {
        showEmptyChannel(c);
    } else {
        fillLists();
        setChannelControlsEnabled(true);
        showChannel(c);
    }
}

void ChannelEditDialog::showEmptyChannel(int c) {
    refreshing_ = true;
    rx_->clear();
    tx_->clear();
    name_->clear();
    for (QComboBox* list : {decode_, encode_, power_, width_}) list->clear();
    for (QCheckBox* box : {vox_, bcl_, scan_, txStop_}) box->setChecked(false);
    setChannelControlsEnabled(false);
    shownRx_.clear();
    shownTx_.clear();
    refreshing_ = false;
    // Showing an empty channel resets its record and its name.
    ClearChannel(state_.ChannelTable, c);
    ClearName(state_.ChannelTable, c);
}

void ChannelEditDialog::showChannel(int c) {
    const Image& image = state_.ChannelTable;
    refreshing_ = true;
    rx_->setText(qs(RxText(image, c)));
    const TonePair tones[] = {RxTone(image, c), TxTone(image, c)};
    QComboBox* lists[] = {decode_, encode_};
    for (int i = 0; i < 2; ++i) {
        if (auto position = ToneToListIndex(tones[i].type, tones[i].index)) {
            lists[i]->setCurrentIndex(*position);
        }
    }
    tx_->setText(qs(TxText(image, c)));
    // A stored power of 3 has no entry: the list then shows nothing.
    const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
    power_->setCurrentIndex(power < power_->count() ? power : -1);
    width_->setCurrentIndex(GetFlag(image, c, kFlags2Byte, kWideBit) ? 1 : 0);
    vox_->setChecked(GetFlag(image, c, kFlags2Byte, kVoxBit));
    bcl_->setChecked(GetFlag(image, c, kFlags2Byte, kBclBit));
    txStop_->setChecked(GetFlag(image, c, kFlags2Byte, kTxStopBit));
    scan_->setChecked(!GetFlag(image, c, kFlags1Byte, kScanSkipBit));
    name_->setText(qs(ReadName(image, c)));
    shownRx_ = rx_->text();
    shownTx_ = tx_->text();
    refreshing_ = false;
}

void ChannelEditDialog::stepped(int value) {
    if (value == 0) {
        scroll_->setValue(kChannelCount);
        return;
    }
    if (value == kChannelCount + 1) {
        scroll_->setValue(1);
        return;
    }
    state_.CurrentChannel = static_cast<std::int16_t>(value);
    emit currentChannelChanged();
    {
        const QSignalBlocker block(channel_);
        channel_->setText(QString::number(value));
    }
    refreshDialog();
}

void ChannelEditDialog::channelNumberChanged() {
    bool ok = false;
    const double value = channel_->text().trimmed().toDouble(&ok);
    if (!ok || value < 1 || value > kChannelCount) return;  // the field keeps the focus
    state_.CurrentChannel = static_cast<std::int16_t>(std::lround(value));
    emit currentChannelChanged();
    refreshDialog();
}

void ChannelEditDialog::showMessage(int messageId) {
    const auto id = static_cast<ChannelMessage>(messageId);
    // Deferred: the commits run when a field loses the focus.
    if (id != ChannelMessage::None)
        presenter_.showLater(ChannelMessageText(id), state_.LanguageChinese);
}

void ChannelEditDialog::receiveLeft() {
    // Passing through the field stores nothing: a frequency outside the band
    // from a read stays as it is until it is retyped.
    if (rx_->text() == shownRx_) return;
    const int c = state_.CurrentChannel;
    if (rx_->text().trimmed().isEmpty()) {
        showEmptyChannel(c);
        return;
    }
    const bool wasEmpty = IsChannelEmpty(state_.ChannelTable, c);
    const CommitResult result = CommitRxText(state_, ChannelEditor::Dialog, c, utf8(rx_->text()));
    if (wasEmpty) {
        // A new channel: every control opens with the dialog's defaults.
        fillLists();
        setChannelControlsEnabled(true);
    }
    showChannel(c);
    showMessage(static_cast<int>(result.message));
}

void ChannelEditDialog::transmitLeft() {
    if (tx_->text() == shownTx_) return;
    const int c = state_.CurrentChannel;
    if (IsChannelEmpty(state_.ChannelTable, c)) return;
    const CommitResult result =
        CommitTxText(state_, ChannelEditor::Dialog, c, utf8(tx_->text()), utf8(rx_->text()));
    showChannel(c);
    showMessage(static_cast<int>(result.message));
}

bool ChannelEditDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool character = isCharacterKey(key);
        const bool backspace = key->key() == Qt::Key_Backspace;
        if (watched == channel_ && (character || backspace)) {
            // Only a digit that keeps the number at 128 or below.
            if (!character || !key->text().at(0).isDigit()) return true;
            const int formed = (channel_->text().trimmed() + key->text()).toInt();
            return formed > kChannelCount;
        }
        if ((watched == rx_ || watched == tx_) && character) {
            const QChar ch = key->text().at(0);
            return !(ch.isDigit() || ch == '.');
        }
        if (watched == name_ && (character || backspace)) {
            return name_->text().size() >= 5;
        }
        if (qobject_cast<QComboBox*>(watched) && character) return true;  // no typing in lists
    }
    // A field is left when the focus moves inside the program, not when another
    // program or a message box takes it.
    const auto leftField = [event] {
        if (event->type() != QEvent::FocusOut) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (leftField() && !refreshing_) {
        if (watched == rx_) receiveLeft();
        if (watched == tx_) transmitLeft();
        if (watched == name_) refreshDialog();
        if (watched == channel_) {
            bool ok = false;
            const double value = channel_->text().trimmed().toDouble(&ok);
            if (!ok || value < 1 || value > kChannelCount) {
                QTimer::singleShot(0, channel_, [this] { channel_->setFocus(); });
            } else {
                channelNumberChanged();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zt
