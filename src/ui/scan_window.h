// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Edit_scan: the scan record (priority mode and channel, look-back times,
// revert channel, dropout delay and TX dwell). The rules live in
// model/scan_info.h.

#include <QWidget>
#include <vector>

#include "ui/window_support.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zt {

struct AppState;
class MessagePresenter;

class ScanWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    ScanWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);

    void refresh();
    void windowActivated() override { refresh(); }

  private:
    void priorityChannelChanged();
    [[nodiscard]] bool chinese() const;

    AppState& state_;
    MessagePresenter& presenter_;
    QComboBox* pri_;
    QLineEdit* prich_;
    QComboBox* lookBackA_;
    QComboBox* lookBackB_;
    QComboBox* revert_;
    QComboBox* dropout_;
    QComboBox* txDwell_;
    std::vector<int> revertChoices_;
};

}  // namespace zt
