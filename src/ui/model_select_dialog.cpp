// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/model_select_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/catalogue.h"
#include "model/freq_codec.h"
#include "model/number_text.h"
#include "model/options.h"
#include "ui/accessible_names.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Model Select", "机型选择"};
constexpr BiText kConfirm{"Confirm", "确 定"};
constexpr BiText kCancel{"Cancel", "取 消"};
constexpr BiText kModel{"Model", "机  型"};
constexpr BiText kMainBand{"Main band", "主频段"};

}  // namespace

ModelSelectDialog::ModelSelectDialog(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state), open_(&state.Windows.TypeIsOpen) {
    setObjectName("Form_type");
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kTitle, chinese));

    auto label = [this, chinese](const char* name, BiText caption) {
        auto* l = new QLabel(qs(caption, chinese), this);
        l->setObjectName(name);
        return l;
    };
    type_ = new QComboBox(this);
    type_->setObjectName("Combo_type");
    type_->setEditable(false);  // the list takes no typed text
    band_ = new QLabel(this);
    band_->setObjectName("Label_band");
    subBand_ = new QLabel(this);
    subBand_->setObjectName("Label_SubBand");
    receive_ = new QCheckBox(qs(kViceBandReceiveCaption, chinese), this);
    receive_->setObjectName("Check_SC");
    auto* confirm = new QPushButton(qs(kConfirm, chinese), this);
    confirm->setObjectName("Command_enter");
    confirm->setDefault(true);
    auto* cancel = new QPushButton(qs(kCancel, chinese), this);
    cancel->setObjectName("Command_Cancel");

    auto* grid = new QGridLayout;
    QLabel* model = label("Label1", kModel);
    nameControls({{type_, model}});
    grid->addWidget(model, 0, 0);
    grid->addWidget(type_, 0, 1);
    grid->addWidget(label("Label2", kMainBand), 1, 0);
    grid->addWidget(band_, 1, 1);
    grid->addWidget(label("Label3", kViceBandCaption), 2, 0);
    grid->addWidget(subBand_, 2, 1);
    grid->addWidget(receive_, 3, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(type_, &QComboBox::activated, this, &ModelSelectDialog::selectionChanged);
    connect(confirm, &QPushButton::clicked, this, &ModelSelectDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(receive_, &QCheckBox::clicked, this,
            [this](bool on) { WriteFlag(state_.ChannelTable, kViceBandReceive, on); });

    for (const std::string& name : state_.ModelNames) type_->addItem(qs(name));
    const int selected = std::clamp(static_cast<int>(state_.ModelIndex), 0, kModelCount - 1);
    type_->setCurrentIndex(selected);
    // Opening takes the catalogue edges of the selected entry, then those of the
    // image's frequency-limit row (after a read, the radio's own).
    state_.BandLowMHz = state_.BandLimits[static_cast<std::size_t>(selected)];
    state_.BandHighMHz = state_.BandLimits[static_cast<std::size_t>(selected + kModelCount)];
    state_.ModelIndex = static_cast<std::int16_t>(selected);
    RecomputeBandEdges(state_);
    const int vice = ViceBandOf(selected);
    band_->setText(bandText(selected, state_.BandLowMHz, state_.BandHighMHz));
    subBand_->setText(bandText(vice, state_.BandLimits[static_cast<std::size_t>(vice)],
                               state_.BandLimits[static_cast<std::size_t>(vice + kModelCount)]));
    receive_->setChecked(ReadFlag(state_.ChannelTable, kViceBandReceive));
}

QString ModelSelectDialog::bandText(int nameIndex, double lowMHz, double highMHz) const {
    return qs(BandName(nameIndex)) + " " + qs(ShortestNumberText(lowMHz)) + " -- " +
           qs(PlainNumberText(highMHz)) + " MHZ";
}

void ModelSelectDialog::selectionChanged(int index) {
    if (index < 0) return;
    RecomputeBandEdges(state_);
    const bool current = index == state_.ModelIndex;
    const int vice = ViceBandOf(index);
    auto low = [this](int i) { return state_.BandLimits[static_cast<std::size_t>(i)]; };
    auto high = [this](int i) {
        return state_.BandLimits[static_cast<std::size_t>(i + kModelCount)];
    };
    band_->setText(current ? bandText(index, state_.BandLowMHz, state_.BandHighMHz)
                           : bandText(index, low(index), high(index)));
    subBand_->setText(current ? bandText(vice, low(vice), high(vice))
                              : bandText(vice, state_.BandLowMHz, state_.BandHighMHz));
}

void ModelSelectDialog::confirm() {
    const int index = type_->currentIndex();
    if (index < 0) return;
    SelectModel(state_, index);
    emit bandChanged();
    selectionChanged(index);
    close();
}

void ModelSelectDialog::closeEvent(QCloseEvent* event) {
    open_.release();
    QDialog::closeEvent(event);
}

}  // namespace zt
