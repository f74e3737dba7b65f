// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_edit_Key: the functions of the side keys PF1 and PF2, beside a picture of
// the radio. The rules live in model/key_assign.h.

#include <QWidget>

#include "ui/window_support.h"

class QComboBox;

namespace zt {

struct AppState;

class KeyWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    explicit KeyWindow(AppState& state, QWidget* parent = nullptr);

    void refresh();
    void windowActivated() override { refresh(); }

  private:
    void commit(QComboBox* changed);

    AppState& state_;
    QComboBox* pf1_;
    QComboBox* pf2_;
};

}  // namespace zt
