// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The choices of File -> Import CSV..., the options of zt790ctl import-csv as
// controls: merge into the channels or replace them, skip the rows that do not
// fit, number the rows in file order from a channel, and the nominal watts of
// the three power levels.

#include <QDialog>
#include <optional>

#include "files/channel_csv.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zt {

class CsvImportDialog : public QDialog {
    Q_OBJECT
  public:
    CsvImportDialog(const QString& fileName, bool chinese, QWidget* parent = nullptr);

    // The options as chosen; nothing while the watts are not three rising
    // powers (the dialog then says why and stays open).
    [[nodiscard]] std::optional<CsvImportOptions> options() const;

    void accept() override;

  private:
    bool chinese_;
    QRadioButton* merge_;
    QRadioButton* replace_;
    QCheckBox* skip_;
    QCheckBox* renumber_;
    QSpinBox* first_;
    QLineEdit* watts_;
    QLabel* error_;
};

}  // namespace zt
