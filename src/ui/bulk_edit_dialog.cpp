// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bulk_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/channel.h"
#include "model/channel_list.h"
#include "model/channel_texts.h"
#include "model/freq_mode_editor.h"
#include "model/option_editor.h"
#include "model/options.h"
#include "model/tone_codec.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/qt_text.h"
#include "ui/window_support.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Set Fields for Selected Channels", "批量设置所选信道"};
constexpr std::array<BiText, 2> kOnOff{{{"Off", "关"}, {"On", "开"}}};
constexpr BiText kStart{"Start at", "起始编号"};
constexpr BiText kNameHint{"# counts up from the start number: PMR## gives PMR01, PMR02, ...",
                           "# 从起始编号起递增：PMR## 依次为 PMR01、PMR02……"};
constexpr BiText kOk{"OK", "确定"};
constexpr BiText kCancel{"Cancel", "取消"};
constexpr BiText kHelp{"Help", "帮助"};

struct FieldRow {
    const char* name;  // the control names: Check_<name>, and Combo_ or Text_<name>
    BiText caption;
};
constexpr std::array<FieldRow, BulkEditDialog::kFields> kRows{{
    {"power", kPowerCaption},
    {"width", kWidthCaption},
    {"decode", kDecodeCaption},
    {"encode", kEncodeCaption},
    {"duplex", kOptionCaptions.duplex},
    {"scan", kScanAddCaption},
    {"bcl", kBclCaption},
    {"vox", kVoxCaption},
    {"txstop", kTxStopCaption},
    {"name", kNameCaption},
}};

QString Trimmed(BiText text, bool chinese) { return qs(text, chinese).trimmed(); }

}  // namespace

BulkEditDialog::BulkEditDialog(bool chinese, const std::vector<int>& channels, int inUse,
                               QWidget* parent)
    : QDialog(parent),
      direction_(new QComboBox(this)),
      offset_(new QLineEdit(this)),
      name_(new QLineEdit(this)),
      start_(new QSpinBox(this)),
      ok_(new QPushButton(qs(kOk, chinese), this)) {
    setObjectName("Form_set_fields");
    setWindowTitle(qs(kTitle, chinese));
    const auto list = [this, chinese](const char* name, auto items) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString("Combo_") + name);
        for (BiText item : items) combo->addItem(qs(item, chinese));
        discardTypedKeys(combo);
        keepPopupShort(combo);
        return combo;
    };
    static const QStringList kTones = [] {
        QStringList tones;
        const auto list = MakeToneList();
        for (int p = 1; p <= kToneDcsIEnd; ++p)
            tones << qs(list[static_cast<std::size_t>(p)]).trimmed();
        return tones;
    }();
    value_[Power] = list("power", kPowerTexts);
    value_[Width] = list("width", kWidthTexts);
    for (Field f : {Decode, Encode}) {
        auto* combo = list(kRows[f].name, std::array{kToneOffText});
        combo->addItems(kTones);
        value_[f] = combo;
    }
    for (BiText item : kDuplexItems) direction_->addItem(qs(item, chinese));
    direction_->setObjectName("Combo_duplex");
    discardTypedKeys(direction_);
    offset_->setObjectName("Text_offset");
    offset_->setAccessibleName(Trimmed(kOptionCaptions.offsetFreq, chinese));
    installKeyRule(offset_, [](const QString& text, char32_t key) -> std::optional<char32_t> {
        if (!OffsetKeyAccepted(utf8(text), key)) return std::nullopt;
        return key;
    });
    auto* offsetRow = new QWidget(this);
    auto* offsetLayout = new QHBoxLayout(offsetRow);
    offsetLayout->setContentsMargins(0, 0, 0, 0);
    offsetLayout->addWidget(direction_);
    offsetLayout->addWidget(new QLabel(Trimmed(kOptionCaptions.offsetFreq, chinese), offsetRow));
    offsetLayout->addWidget(offset_);
    value_[Offset] = offsetRow;
    for (Field f : {ScanAdd, Bcl, Vox, TxStop}) value_[f] = list(kRows[f].name, kOnOff);
    name_->setObjectName("Text_name");
    name_->setMaxLength(kNameLength);
    start_->setObjectName("Spin_start");
    start_->setRange(0, 99999);
    start_->setValue(1);
    start_->setAccessibleName(qs(kStart, chinese));
    auto* nameRow = new QWidget(this);
    auto* nameLayout = new QHBoxLayout(nameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    nameLayout->addWidget(name_);
    nameLayout->addWidget(new QLabel(qs(kStart, chinese), nameRow));
    nameLayout->addWidget(start_);
    value_[Name] = nameRow;

    auto* grid = new QGridLayout;
    for (int f = 0; f < kFields; ++f) {
        const QString caption = Trimmed(kRows[static_cast<std::size_t>(f)].caption, chinese);
        change_[f] = new QCheckBox(caption, this);
        change_[f]->setObjectName(QString("Check_") + kRows[static_cast<std::size_t>(f)].name);
        nameControls({{value_[f], nullptr, caption}});
        connect(change_[f], &QCheckBox::toggled, this, &BulkEditDialog::updateEnabled);
        grid->addWidget(change_[f], f, 0);
        grid->addWidget(value_[f], f, 1);
    }
    name_->setAccessibleName(change_[Name]->text());
    nameControls({{direction_, nullptr, change_[Offset]->text()}});
    connect(direction_, &QComboBox::currentIndexChanged, this, &BulkEditDialog::updateEnabled);
    auto* hint = new QLabel(qs(kNameHint, chinese), this);
    hint->setWordWrap(true);
    grid->addWidget(hint, kFields, 1);

    const std::string where = FormatChannelList(channels);
    const std::string used = std::to_string(inUse);
    auto* heading =
        new QLabel(qs(chinese ? "信道 " + where + "（已用 " + used + " 个，空信道保持不变）"
                              : (channels.size() == 1 ? "Channel " : "Channels ") + where + " (" +
                                    used + " in use; empty ones stay as they are)"),
                   this);
    heading->setObjectName("Label_channels");
    heading->setWordWrap(true);

    ok_->setObjectName("Command_ok");
    ok_->setDefault(true);
    auto* cancel = new QPushButton(qs(kCancel, chinese), this);
    cancel->setObjectName("Command_cancel");
    auto* help = new QPushButton(qs(kHelp, chinese), this);
    help->setObjectName("Command_Help");
    connect(ok_, &QPushButton::clicked, this, &BulkEditDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &BulkEditDialog::reject);
    connect(help, &QPushButton::clicked, this, &BulkEditDialog::helpRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    tabInReadingOrder(this);
    updateEnabled();
}

void BulkEditDialog::updateEnabled() {
    bool any = false;
    for (int f = 0; f < kFields; ++f) {
        value_[f]->setEnabled(change_[f]->isChecked());
        any = any || change_[f]->isChecked();
    }
    // No offset without a direction: the transmit frequency is then the receive one.
    offset_->setEnabled(direction_->currentIndex() != 0);
    ok_->setEnabled(any);
}

BulkEdit BulkEditDialog::request() const {
    BulkEdit edit;
    const auto checked = [this](Field f) { return change_[f]->isChecked(); };
    const auto index = [this](Field f) {
        return static_cast<QComboBox*>(value_[f])->currentIndex();
    };
    if (checked(Power)) edit.power = index(Power);
    if (checked(Width)) edit.wide = index(Width) == 1;
    if (checked(Decode)) edit.decode = index(Decode);
    if (checked(Encode)) edit.encode = index(Encode);
    if (checked(Offset)) {
        const int direction = direction_->currentIndex();
        edit.offset = {direction, direction == 0 ? 0 : TextToUnits(utf8(offset_->text()))};
    }
    if (checked(ScanAdd)) edit.scanAdd = index(ScanAdd) == 1;
    if (checked(Bcl)) edit.bcl = index(Bcl) == 1;
    if (checked(Vox)) edit.vox = index(Vox) == 1;
    if (checked(TxStop)) edit.txStop = index(TxStop) == 1;
    if (checked(Name)) edit.name = NamePattern{utf8(name_->text()), start_->value()};
    return edit;
}

void BulkEditDialog::accept() {
    if (apply && !apply(request())) return;  // refused: the user may mend the request
    QDialog::accept();
}

}  // namespace zt
