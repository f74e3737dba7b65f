// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frm_option: the optional features, the frequency-mode record and the working
// frequency limits. Every control shows one field of the image and writes it
// back at once; the rules live in model/option_editor.h and
// model/freq_mode_editor.h, this class only moves values between them and the
// controls.

#include <QWidget>
#include <array>

#include "model/option_editor.h"
#include "ui/window_support.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zt {

struct AppState;
class FocusRules;
class MessagePresenter;

class OptionWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    OptionWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);
    ~OptionWindow() override;

    // Shows the image again (the window's activation does the same).
    void refresh();
    void windowActivated() override { refresh(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void applyCaptions();
    void connectControls();
    void apply(const FreqEditOutcome& outcome, QLineEdit* box);
    // Sets every control from a refreshed view and shows the view's messages.
    void showView(const OptionView& view);
    [[nodiscard]] OptionBoxTexts shownBoxTexts() const;
    [[nodiscard]] bool chinese() const;

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    FocusRules* focus_;

    std::array<QComboBox*, kOptionListCount> lists_{};
    std::array<QLabel*, kOptionListCount> listLabels_{};
    std::array<QCheckBox*, kOptionCheckCount> checks_{};
    QGroupBox* voxFrame_;
    QGroupBox* workModeFrame_;
    QGroupBox* powerOnFrame_;
    QGroupBox* freqModeFrame_;
    QGroupBox* rangeFrame_;
    QRadioButton* optionFreq_;
    QRadioButton* optionChann_;
    QLineEdit* ponMsg_;
    QLabel* ponMsgLabel_;
    QLineEdit* ponPwd_;
    QLabel* ponPwdLabel_;
    QComboBox* decode_;
    QLabel* decodeLabel_;
    QComboBox* encode_;
    QLabel* encodeLabel_;
    QCheckBox* dni_;
    QCheckBox* eni_;
    QLineEdit* rxFreq_;
    QLabel* rxFreqLabel_;
    QComboBox* sftD_;
    QLabel* sftDLabel_;
    QLineEdit* offsetFreq_;
    QLabel* offsetFreqLabel_;
    QLineEdit* txFreq_;
    QLineEdit* lowerLimit_;
    QLineEdit* upperLimit_;
    QLabel* fromLabel_;
    QLabel* toLabel_;
    QPushButton* close_;
    QPushButton* help_;
};

}  // namespace zt
