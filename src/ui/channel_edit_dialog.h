// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Chann_Edit: one channel at a time as a form, stepping through the 128
// channels with a scroll bar or a typed channel number. Every change is written
// to the channel record at once; there is no OK or Cancel.

#include <QString>
#include <QWidget>

#include "ui/window_support.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zt {

struct AppState;
class MessagePresenter;

class ChannelEditDialog : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    ChannelEditDialog(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);

    void windowActivated() override { refreshDialog(); }
    // Shows CurrentChannel: an empty channel with only the receive field open
    // (which resets its record and name), a used one with every control.
    void refreshDialog();

  signals:
    // CurrentChannel changed (the grid's caption follows it).
    void currentChannelChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillLists();
    void showChannel(int channel);
    void showEmptyChannel(int channel);
    void setChannelControlsEnabled(bool enabled);
    void stepped(int value);
    void channelNumberChanged();
    void receiveLeft();
    void transmitLeft();
    void showMessage(int messageId);

    AppState& state_;
    MessagePresenter& presenter_;
    QLineEdit* channel_;
    QScrollBar* scroll_;
    QLineEdit* rx_;
    QLineEdit* tx_;
    QComboBox* decode_;
    QComboBox* encode_;
    QComboBox* power_;
    QComboBox* width_;
    QLineEdit* name_;
    QCheckBox* vox_;
    QCheckBox* bcl_;
    QCheckBox* scan_;
    QCheckBox* txStop_;
    bool refreshing_ = false;
    // The frequency texts as last shown: leaving a field unchanged stores nothing.
    QString shownRx_;
    QString shownTx_;
};

}  // namespace zt
