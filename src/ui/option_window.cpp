// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/option_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <memory>
#include <utility>

#include "model/app_state.h"
#include "model/channel_grid.h"
#include "model/channel_texts.h"
#include "model/freq_mode_editor.h"
#include "model/number_text.h"
#include "model/options.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"
#include "ui/window_id.h"

namespace zt {

namespace {

QString NameOf(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

KeyRule AcceptIf(std::function<bool(const std::string&, char32_t)> accepted) {
    return [accepted](const QString& text, char32_t key) -> std::optional<char32_t> {
        if (!accepted(utf8(text), key)) return std::nullopt;
        return key;
    };
}

}  // namespace

OptionWindow::OptionWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      open_(openFlag(state, WindowId::Option)),
      focus_(new FocusRules(presenter, this)) {
    setObjectName("frm_option");
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    applyCaptions();
    connectControls();
    refresh();
}

OptionWindow::~OptionWindow() { focus_->stop(); }

bool OptionWindow::chinese() const { return state_.LanguageChinese; }

void OptionWindow::build() {
    for (int i = 0; i < kOptionListCount; ++i) {
        const OptionListControl& c = ListControl(static_cast<OptionList>(i));
        lists_[i] = new QComboBox(this);
        lists_[i]->setObjectName(NameOf(c.control));
        listLabels_[i] = new QLabel(this);
        listLabels_[i]->setObjectName(NameOf(c.label));
        discardTypedKeys(lists_[i]);
    }
    for (int i = 0; i < kOptionCheckCount; ++i) {
        checks_[i] = new QCheckBox(this);
        checks_[i]->setObjectName(NameOf(CheckControl(static_cast<OptionCheck>(i)).control));
    }
    auto list = [&](OptionList l) { return lists_[static_cast<int>(l)]; };
    auto label = [&](OptionList l) { return listLabels_[static_cast<int>(l)]; };
    auto check = [&](OptionCheck c) { return checks_[static_cast<int>(c)]; };
    auto row = [&](QGridLayout* g, int r, OptionList l) {
        g->addWidget(label(l), r, 0);
        g->addWidget(list(l), r, 1);
    };

    // General settings.
    auto* general = new QGridLayout;
    row(general, 0, OptionList::Tot);
    row(general, 1, OptionList::Sql);
    row(general, 2, OptionList::Apo);
    row(general, 3, OptionList::Lamp);
    row(general, 4, OptionList::Mdf);
    row(general, 5, OptionList::Scan);
    row(general, 6, OptionList::KlMode);

    voxFrame_ = Named(new QGroupBox(this), "Frame_VOX");
    auto* vox = new QGridLayout(voxFrame_);
    row(vox, 0, OptionList::VoxLevel);
    row(vox, 1, OptionList::VoxDelayTime);
    vox->addWidget(check(OptionCheck::VoxReceStop), 2, 0, 1, 2);

    workModeFrame_ = Named(new QGroupBox(this), "Frame_WorkMode");
    auto* work = new QVBoxLayout(workModeFrame_);
    optionFreq_ = Named(new QRadioButton(workModeFrame_), "Option_freq");
    optionChann_ = Named(new QRadioButton(workModeFrame_), "Option_chann");
    work->addWidget(optionFreq_);
    work->addWidget(optionChann_);
    work->addWidget(check(OptionCheck::OnlyChann));

    powerOnFrame_ = Named(new QGroupBox(this), "Frame_PowerOn");
    auto* power = new QGridLayout(powerOnFrame_);
    ponMsg_ = Named(new QLineEdit(powerOnFrame_), "Text_Pon_Msg");
    ponMsgLabel_ = Named(new QLabel(powerOnFrame_), "Label_Pon_msg");
    ponPwd_ = Named(new QLineEdit(powerOnFrame_), "Text_Pon_PWD");
    ponPwdLabel_ = Named(new QLabel(powerOnFrame_), "Label_Pon_PWD");
    row(power, 0, OptionList::PonMode);
    power->addWidget(ponMsgLabel_, 1, 0);
    power->addWidget(ponMsg_, 1, 1);
    power->addWidget(check(OptionCheck::PonPwd), 2, 0, 1, 2);
    power->addWidget(ponPwdLabel_, 3, 0);
    power->addWidget(ponPwd_, 3, 1);

    // Three columns of about the same height keep the window low enough for a
    // laptop screen.
    auto* left = new QVBoxLayout;
    left->addLayout(general);
    left->addWidget(workModeFrame_);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(voxFrame_);
    middle->addWidget(powerOnFrame_);
    middle->addStretch(1);

    auto* flags = new QVBoxLayout;
    for (OptionCheck c : {OptionCheck::Save, OptionCheck::Beep, OptionCheck::Menu,
                          OptionCheck::FmStrx, OptionCheck::Roger})
        flags->addWidget(check(c));
    flags->addStretch(1);

    // The frequency-mode record.
    freqModeFrame_ = Named(new QGroupBox(this), "Frame_FreqMode");
    auto* fm = new QGridLayout(freqModeFrame_);
    rxFreq_ = Named(new QLineEdit(freqModeFrame_), "Text_RX_Freq");
    rxFreqLabel_ = Named(new QLabel(freqModeFrame_), "Label_RX_Freq");
    sftD_ = Named(new QComboBox(freqModeFrame_), "Combo_Sft_d");
    sftDLabel_ = Named(new QLabel(freqModeFrame_), "Label_Sft_d");
    offsetFreq_ = Named(new QLineEdit(freqModeFrame_), "Text_Offset_Freq");
    offsetFreqLabel_ = Named(new QLabel(freqModeFrame_), "Label_Offset_Freq");
    txFreq_ = Named(new QLineEdit(freqModeFrame_), "Text_tx_freq");
    txFreq_->setReadOnly(true);
    decode_ = Named(new QComboBox(freqModeFrame_), "Combo_Decode");
    decodeLabel_ = Named(new QLabel(freqModeFrame_), "Label_Decode");
    encode_ = Named(new QComboBox(freqModeFrame_), "Combo_Encode");
    encodeLabel_ = Named(new QLabel(freqModeFrame_), "Label_Encode");
    dni_ = Named(new QCheckBox(freqModeFrame_), "Check_DNI");
    eni_ = Named(new QCheckBox(freqModeFrame_), "Check_ENI");
    // Indicators only: they show the stored tone and take no input.
    for (QCheckBox* indicator : {dni_, eni_}) {
        indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
        indicator->setFocusPolicy(Qt::NoFocus);
    }
    for (QComboBox* c : {sftD_, decode_, encode_}) discardTypedKeys(c);
    for (QComboBox* c : {decode_, encode_}) keepPopupShort(c);
    fm->addWidget(rxFreqLabel_, 0, 0);
    fm->addWidget(rxFreq_, 0, 1);
    fm->addWidget(txFreq_, 0, 2);
    fm->addWidget(sftDLabel_, 1, 0);
    fm->addWidget(sftD_, 1, 1);
    fm->addWidget(offsetFreqLabel_, 2, 0);
    fm->addWidget(offsetFreq_, 2, 1);
    fm->addWidget(decodeLabel_, 3, 0);
    fm->addWidget(decode_, 3, 1);
    fm->addWidget(dni_, 3, 2);
    fm->addWidget(encodeLabel_, 4, 0);
    fm->addWidget(encode_, 4, 1);
    fm->addWidget(eni_, 4, 2);
    fm->addWidget(label(OptionList::Step), 0, 3);
    fm->addWidget(list(OptionList::Step), 0, 4);
    fm->addWidget(label(OptionList::Wn), 1, 3);
    fm->addWidget(list(OptionList::Wn), 1, 4);
    fm->addWidget(label(OptionList::Txp), 2, 3);
    fm->addWidget(list(OptionList::Txp), 2, 4);
    fm->addWidget(check(OptionCheck::VoxSw), 3, 3);
    fm->addWidget(check(OptionCheck::Bcl), 3, 4);
    fm->addWidget(check(OptionCheck::TxStop), 4, 3);

    rangeFrame_ = Named(new QGroupBox(this), "Frame_Range");
    auto* range = new QHBoxLayout(rangeFrame_);
    fromLabel_ = Named(new QLabel(rangeFrame_), "Label_From");
    toLabel_ = Named(new QLabel(rangeFrame_), "Label_To");
    lowerLimit_ = Named(new QLineEdit(rangeFrame_), "Text_pvfo_d0");
    upperLimit_ = Named(new QLineEdit(rangeFrame_), "Text_pvfo_d1");
    range->addWidget(fromLabel_);
    range->addWidget(lowerLimit_);
    range->addWidget(toLabel_);
    range->addWidget(upperLimit_);
    range->addWidget(new QLabel(QStringLiteral("MHZ"), rangeFrame_));

    close_ = Named(new QPushButton(this), "Command_Close");
    help_ = Named(new QPushButton(this), "Command_Help");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);
    buttons->addWidget(help_);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(middle, 3);
    top->addLayout(flags, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(freqModeFrame_, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(rangeFrame_);
    right->addStretch(1);
    right->addLayout(buttons);
    bottom->addLayout(right, 1);
    auto* layout = new QVBoxLayout(scrollingBody(this));
    layout->addLayout(top);
    layout->addLayout(bottom);
}

void OptionWindow::applyCaptions() {
    const bool zh = chinese();
    setWindowTitle(qs(kOptionCaptions.window, zh));
    for (int i = 0; i < kOptionListCount; ++i) {
        const OptionListControl& c = ListControl(static_cast<OptionList>(i));
        listLabels_[i]->setText(qs(c.caption, zh));
        lists_[i]->clear();
        for (const BiText& item : c.items) lists_[i]->addItem(qs(item, zh));
    }
    for (int i = 0; i < kOptionCheckCount; ++i)
        checks_[i]->setText(qs(CheckControl(static_cast<OptionCheck>(i)).caption, zh));
    voxFrame_->setTitle(qs(kOptionCaptions.voxFrame, zh));
    workModeFrame_->setTitle(qs(kOptionCaptions.workModeFrame, zh));
    optionFreq_->setText(qs(kOptionCaptions.optionFreq, zh));
    optionChann_->setText(qs(kOptionCaptions.optionChann, zh));
    powerOnFrame_->setTitle(qs(kOptionCaptions.powerOnFrame, zh));
    ponMsgLabel_->setText(qs(kOptionCaptions.ponMsg, zh));
    ponPwdLabel_->setText(qs(kOptionCaptions.ponPwd, zh));
    freqModeFrame_->setTitle(qs(kOptionCaptions.freqModeFrame, zh));
    decodeLabel_->setText(qs(kOptionCaptions.decode, zh));
    encodeLabel_->setText(qs(kOptionCaptions.encode, zh));
    rxFreqLabel_->setText(qs(kOptionCaptions.rxFreq, zh));
    sftDLabel_->setText(qs(kOptionCaptions.duplex, zh));
    offsetFreqLabel_->setText(qs(kOptionCaptions.offsetFreq, zh));
    rangeFrame_->setTitle(qs(kOptionCaptions.rangeFrame, zh));
    fromLabel_->setText(qs(kOptionCaptions.rangeFrom, zh));
    toLabel_->setText(qs(kOptionCaptions.rangeTo, zh));
    close_->setText(qs(kOptionCaptions.close, zh));
    help_->setText(qs(kOptionCaptions.help, zh));

    // What a screen reader calls each control: the caption beside it.
    for (int i = 0; i < kOptionListCount; ++i) nameControls({{lists_[i], listLabels_[i]}});
    const QString range = qs(kOptionCaptions.rangeFrame, zh);
    nameControls({{ponMsg_, ponMsgLabel_},
                  {ponPwd_, ponPwdLabel_},
                  {rxFreq_, rxFreqLabel_},
                  // The read-only box beside the receive frequency, named as the grid's column.
                  {txFreq_, nullptr, qs(GridColumnTitles(zh)[kGridTx])},
                  {sftD_, sftDLabel_},
                  {offsetFreq_, offsetFreqLabel_},
                  {decode_, decodeLabel_},
                  {encode_, encodeLabel_},
                  {dni_, nullptr, decodeLabel_->text()},
                  {eni_, nullptr, encodeLabel_->text()},
                  {lowerLimit_, fromLabel_, {}, range},
                  {upperLimit_, toLabel_, {}, range}});

    sftD_->clear();
    for (const BiText& item : kDuplexItems) sftD_->addItem(qs(item, zh));
    for (QComboBox* tones : {decode_, encode_}) {
        tones->clear();
        for (int p = 0; p <= state_.ToneDcsIEnd; ++p)
            tones->addItem(qs(TrimBlanks(state_.ToneList[static_cast<std::size_t>(p)])));
    }
}

void OptionWindow::connectControls() {
    Image& image = state_.ChannelTable;
    for (int i = 0; i < kOptionListCount; ++i) {
        const auto l = static_cast<OptionList>(i);
        connect(lists_[i], &QComboBox::activated, this, [this, &image, l](int p) {
            CommitOptionList(image, l, p);
            if (l == OptionList::PonMode) ponMsg_->setEnabled(p == 2);
        });
    }
    for (int i = 0; i < kOptionCheckCount; ++i) {
        const auto c = static_cast<OptionCheck>(i);
        connect(checks_[i], &QCheckBox::clicked, this, [this, &image, c](bool checked) {
            if (c == OptionCheck::OnlyChann) {
                if (checked) optionChann_->setChecked(true);
                optionFreq_->setEnabled(!checked);
                optionChann_->setEnabled(!checked);
            }
            CommitOptionCheck(image, c, checked);
            if (c == OptionCheck::PonPwd) ponPwd_->setEnabled(checked);
        });
    }
    connect(optionFreq_, &QRadioButton::clicked, this, [&image] { CommitWorkMode(image, false); });
    connect(optionChann_, &QRadioButton::clicked, this, [&image] { CommitWorkMode(image, true); });

    // Password and power-on message.
    installKeyRule(ponPwd_, AcceptIf(PasswordKeyAccepted));
    // A paste bypasses the key filters; these keep it to what the keys allow.
    ponPwd_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), ponPwd_));
    ponMsg_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9*_-]{0,5}"), ponMsg_));
    connect(ponPwd_, &QLineEdit::textEdited, this,
            [&image](const QString& text) { CommitPassword(image, utf8(text)); });
    // The box keeps the focus after its message once; left again with the same
    // digits it lets the focus go, or the keyboard alone could never leave it.
    focus_->onFocusLost(ponPwd_, [this, warned = std::make_shared<QString>()] {
        const auto prompt = PasswordFocusLost(utf8(ponPwd_->text()));
        if (!prompt || std::exchange(*warned, ponPwd_->text()) == ponPwd_->text()) return;
        focus_->show({*prompt}, chinese());
        focus_->refocusLater(ponPwd_);
    });
    installKeyRule(ponMsg_, [](const QString& text, char32_t key) {
        return MessageKeyFilter(utf8(text), key);
    });
    connect(ponMsg_, &QLineEdit::textEdited, this,
            [&image](const QString& text) { CommitPowerOnMessage(image, utf8(text)); });

    // Frequency-mode record.
    installKeyRule(rxFreq_, AcceptIf(RxKeyAccepted));
    connect(rxFreq_, &QLineEdit::textEdited, this,
            [this](const QString& text) { apply(RxTextChanged(utf8(text)), rxFreq_); });
    // The frequency and limit boxes check and store what the user typed: passing
    // through one (a refresh's text is not typed) leaves the record and the
    // limits as they are, also ones a read brought in from outside the band.
    focus_->onFocusLost(rxFreq_, [this] {
        if (rxFreq_->isModified()) apply(RxFocusLost(state_, utf8(rxFreq_->text())), rxFreq_);
    });
    installKeyRule(offsetFreq_, AcceptIf(OffsetKeyAccepted));
    connect(offsetFreq_, &QLineEdit::textEdited, this, [this](const QString& text) {
        apply(OffsetTextChanged(state_, utf8(text), utf8(rxFreq_->text()), sftD_->currentIndex()),
              offsetFreq_);
    });
    focus_->onFocusLost(offsetFreq_, [this] {
        if (!offsetFreq_->isModified()) return;
        apply(OffsetFocusLost(state_, utf8(offsetFreq_->text()), utf8(rxFreq_->text()),
                              sftD_->currentIndex()),
              offsetFreq_);
    });
    connect(sftD_, &QComboBox::activated, this, [this](int d) {
        apply(CommitShiftDirection(state_, d, utf8(rxFreq_->text()), utf8(offsetFreq_->text())),
              nullptr);
    });
    connect(decode_, &QComboBox::activated, this,
            [this, &image](int p) { dni_->setChecked(CommitVfoTone(image, true, p)); });
    connect(encode_, &QComboBox::activated, this,
            [this, &image](int p) { eni_->setChecked(CommitVfoTone(image, false, p)); });

    // Frequency limits.
    for (QLineEdit* box : {lowerLimit_, upperLimit_}) {
        installKeyRule(box, [](const QString&, char32_t key) -> std::optional<char32_t> {
            if (!LimitKeyAccepted(key)) return std::nullopt;
            return key;
        });
    }
    for (auto [box, which] :
         {std::pair{lowerLimit_, LimitBox::Lower}, std::pair{upperLimit_, LimitBox::Upper}}) {
        focus_->onFocusLost(box, [this, box, which] {
            if (!box->isModified()) return;
            const LimitChange change = LimitBoxLeft(state_, which, utf8(lowerLimit_->text()),
                                                    utf8(upperLimit_->text()), shownBoxTexts());
            showView(change.view);
            apply(change.outcome, box);
        });
    }

    connect(close_, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void OptionWindow::apply(const FreqEditOutcome& o, QLineEdit* box) {
    focus_->show(o.prompts, chinese());
    if (box && o.clearBox) box->clear();
    if (box && o.boxText) box->setText(qs(*o.boxText));
    if (o.txText) txFreq_->setText(qs(*o.txText));
    if (o.direction) sftD_->setCurrentIndex(*o.direction);
    if (o.refresh) refresh();
    if (box && o.refocus) focus_->refocusLater(box);
}

OptionBoxTexts OptionWindow::shownBoxTexts() const {
    return {utf8(ponPwd_->text()), utf8(ponMsg_->text())};
}

void OptionWindow::refresh() { showView(RefreshOptions(state_, shownBoxTexts())); }

void OptionWindow::showView(const OptionView& v) {
    for (int i = 0; i < kOptionListCount; ++i) lists_[i]->setCurrentIndex(v.lists[i]);
    for (int i = 0; i < kOptionCheckCount; ++i) checks_[i]->setChecked(v.checks[i]);
    (v.channelMode ? optionChann_ : optionFreq_)->setChecked(true);
    optionFreq_->setEnabled(v.workModeEnabled);
    optionChann_->setEnabled(v.workModeEnabled);
    ponPwd_->setText(qs(v.password));
    ponPwd_->setEnabled(v.passwordEnabled);
    ponMsg_->setText(qs(v.message));
    ponMsg_->setEnabled(v.messageEnabled);
    lowerLimit_->setText(qs(v.lowerLimit));
    upperLimit_->setText(qs(v.upperLimit));
    rxFreq_->setText(qs(v.vfo.rxText));
    offsetFreq_->setText(qs(v.vfo.offsetText));
    txFreq_->setText(qs(v.vfo.txText));
    sftD_->setCurrentIndex(v.vfo.direction);
    if (v.vfo.decode) decode_->setCurrentIndex(*v.vfo.decode);
    if (v.vfo.decodeInverted) dni_->setChecked(*v.vfo.decodeInverted);
    if (v.vfo.encode) encode_->setCurrentIndex(*v.vfo.encode);
    if (v.vfo.encodeInverted) eni_->setChecked(*v.vfo.encodeInverted);
    focus_->show(v.prompts, chinese());
}

void OptionWindow::closeEvent(QCloseEvent* event) {
    focus_->stop();
    open_.release();
    event->accept();
}

}  // namespace zt
