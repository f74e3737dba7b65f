// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Edit_Message: the five-character embedded message, one 8-bit character
// code per byte. The rules live in model/embedded_message.h.

#include <QWidget>

#include "ui/window_support.h"

class QLineEdit;

namespace zt {

struct AppState;

class MessageWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    explicit MessageWindow(AppState& state, QWidget* parent = nullptr);

    void refresh();
    void windowActivated() override { refresh(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    AppState& state_;
    OpenFlag open_;
    QLineEdit* text_;
};

}  // namespace zt
