// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Edit_Test: the 25 broadcast FM presets in a two-column grid. A text box
// laid over the current frequency cell takes the typing; leaving the cell
// commits it and stores it into the image.

#include <QString>
#include <QWidget>

#include "ui/window_support.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zt {

struct AppState;
class MessagePresenter;

class FmPresetsWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    FmPresetsWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);
    ~FmPresetsWindow() override;

    // Fills the grid from the image again (the window's activation does the same).
    void fillGrid();
    void windowActivated() override { fillGrid(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void beginEdit(int row, int column);
    // Hides the edit box and commits its text to the cell it lies over.
    void commitEdit();
    void editTextChanged(const QString& text);
    [[nodiscard]] bool chinese() const;

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    QTableWidget* grid_;
    QLineEdit* edit_;
    QPushButton* close_;
    QPushButton* help_;
    int editRow_ = -1;  // the grid row the edit box lies over, -1 when hidden
    QString editSeed_;  // the cell's text when the edit box opened over it
    bool closing_ = false;
};

}  // namespace zt
