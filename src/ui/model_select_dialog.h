// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_type: picks one of the catalogue's radio variants. Confirming sets the band
// edges in force, writes them into the image's frequency-limit row and puts a
// start frequency derived from the lower edge into the frequency-mode record. The
// vice-band receive box writes its bit at once.

#include <QDialog>

#include "ui/window_support.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace zt {

struct AppState;

class ModelSelectDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ModelSelectDialog(AppState& state, QWidget* parent = nullptr);

    // Command_enter.
    void confirm();

  signals:
    // The band edges in force changed (status panel 7 follows).
    void bandChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void selectionChanged(int index);
    [[nodiscard]] QString bandText(int nameIndex, double lowMHz, double highMHz) const;

    AppState& state_;
    OpenFlag open_;
    QComboBox* type_;
    QLabel* band_;
    QLabel* subBand_;
    QCheckBox* receive_;
};

}  // namespace zt
