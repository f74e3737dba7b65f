// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/csv_import_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "files/csv_power.h"
#include "model/bitext.h"
#include "model/channel.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Import CSV", "导入CSV"};
constexpr BiText kFile{"File: ", "文件："};
constexpr BiText kMerge{"Merge: keep the channels the file does not store",
                        "合并：保留文件中没有的信道"};
constexpr BiText kReplace{"Replace: empty the channels the file does not store",
                          "替换：清空文件中没有的信道"};
constexpr BiText kSkip{"Skip the rows that do not fit and import the rest",
                       "跳过不合适的行，导入其余各行"};
constexpr BiText kRenumber{"Number the rows in file order from channel", "按文件顺序编号，从信道"};
constexpr BiText kWatts{"Nominal watts of Low, Mid, High:", "低、中、高功率的标称瓦数："};
constexpr BiText kImport{"Import", "导入"};
constexpr BiText kCancel{"Cancel", "取消"};
constexpr BiText kBadWatts{"Nominal watts: ", "标称瓦数："};

}  // namespace

CsvImportDialog::CsvImportDialog(const QString& fileName, bool chinese, QWidget* parent)
    : QDialog(parent),
      chinese_(chinese),
      merge_(new QRadioButton(qs(kMerge, chinese), this)),
      replace_(new QRadioButton(qs(kReplace, chinese), this)),
      skip_(new QCheckBox(qs(kSkip, chinese), this)),
      renumber_(new QCheckBox(qs(kRenumber, chinese), this)),
      first_(new QSpinBox(this)),
      watts_(new QLineEdit(QStringLiteral("1,2.5,5"), this)),
      error_(new QLabel(this)) {
    setObjectName("Form_import_csv");
    setWindowTitle(qs(kTitle, chinese));
    merge_->setObjectName("Option_merge");
    replace_->setObjectName("Option_replace");
    skip_->setObjectName("Check_skip");
    renumber_->setObjectName("Check_renumber");
    first_->setObjectName("Spin_first");
    watts_->setObjectName("Text_watts");
    error_->setObjectName("Label_error");

    merge_->setChecked(true);  // as zt790ctl: merging unless asked to replace
    first_->setRange(1, kChannelCount);
    first_->setEnabled(false);
    connect(renumber_, &QCheckBox::toggled, first_, &QSpinBox::setEnabled);
    error_->setWordWrap(true);
    error_->hide();

    auto* import = new QPushButton(qs(kImport, chinese), this);
    import->setObjectName("Command_import");
    import->setDefault(true);
    auto* cancel = new QPushButton(qs(kCancel, chinese), this);
    cancel->setObjectName("Command_cancel");
    connect(import, &QPushButton::clicked, this, &CsvImportDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CsvImportDialog::reject);

    auto* renumberRow = new QHBoxLayout;
    renumberRow->addWidget(renumber_);
    renumberRow->addWidget(first_);
    renumberRow->addStretch();
    auto* wattsRow = new QFormLayout;
    wattsRow->addRow(qs(kWatts, chinese), watts_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qs(kFile, chinese) + fileName, this));
    layout->addWidget(merge_);
    layout->addWidget(replace_);
    layout->addWidget(skip_);
    layout->addLayout(renumberRow);
    layout->addLayout(wattsRow);
    layout->addWidget(error_);
    layout->addLayout(buttons);
}

std::optional<CsvImportOptions> CsvImportDialog::options() const {
    BiString error;
    const auto levels = ParsePowerLevels(utf8(watts_->text()), error);
    if (!levels) return std::nullopt;
    CsvImportOptions options;
    options.skipInvalid = skip_->isChecked();
    options.replace = replace_->isChecked();
    if (renumber_->isChecked()) options.renumberFrom = first_->value();
    options.power = *levels;
    return options;
}

void CsvImportDialog::accept() {
    BiString error;
    if (!ParsePowerLevels(utf8(watts_->text()), error)) {
        error_->setText(qs(kBadWatts, chinese_) + qs(error.in(chinese_)));
        error_->show();
        watts_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace zt
