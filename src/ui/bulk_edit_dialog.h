// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_set_fields: Edit > Set Fields for Selected Channels... One row per field
// of the channel dialog, each with a box that says whether it changes; OK hands
// the request of the checked rows to `apply`, and the dialog stays open when it
// is refused.

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "model/bulk_edit.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace zt {

class BulkEditDialog : public QDialog {
    Q_OBJECT
  public:
    enum Field { Power, Width, Decode, Encode, Offset, ScanAdd, Bcl, Vox, TxStop, Name, kFields };

    // `inUse` of the `channels` hold a frequency; the others are left alone.
    BulkEditDialog(bool chinese, const std::vector<int>& channels, int inUse,
                   QWidget* parent = nullptr);

    // The fields checked, with the values their controls show.
    [[nodiscard]] BulkEdit request() const;

    // Stores the request; false when it was refused (the reason shown by it).
    std::function<bool(const BulkEdit&)> apply;

  signals:
    void helpRequested();

  public slots:
    void accept() override;

  private:
    void updateEnabled();

    std::array<QCheckBox*, kFields> change_{};
    std::array<QWidget*, kFields> value_{};
    QComboBox* direction_;
    QLineEdit* offset_;
    QLineEdit* name_;
    QSpinBox* start_;
    QPushButton* ok_;
};

}  // namespace zt
