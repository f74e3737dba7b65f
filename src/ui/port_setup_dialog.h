// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_setup: chooses the serial port the exchanges with the radio use. Buttons
// COM1..COM8 stand for the n-th serial port of this machine (in the order of the
// port list: USB adapters, then ACM, then built-in ports); each shows the device
// it stands for. A ninth choice takes a device path typed by the user. Check
// Connection... runs the connection doctor on the port chosen here, stored or not.

#include <QDialog>
#include <array>
#include <vector>

#include "link/port.h"
#include "qtio/serial_ports.h"
#include "ui/window_support.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace zt {

struct AppState;
class MessagePresenter;

class PortSetupDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kNumberedPorts = 8;

    PortSetupDialog(AppState& state, MessagePresenter& presenter,
                    std::vector<SerialPortEntry> ports, QWidget* parent = nullptr);

    // Command_ok: stores the choice; closes unless the last port opening failed.
    void confirm();
    // The port the buttons choose now (a device path wins over the number).
    [[nodiscard]] PortChoice selectedPort() const;

  signals:
    // ComPort or ComDevice changed (status panel 3 follows).
    void portChanged();
    // Command_check: check the connection on selectedPort().
    void checkRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    std::vector<SerialPortEntry> ports_;
    std::array<QRadioButton*, kNumberedPorts> options_{};
    QRadioButton* deviceOption_;
    QLineEdit* device_;
};

}  // namespace zt
