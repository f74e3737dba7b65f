// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_check_connection: the connection doctor for the port chosen in the port
// setup dialog, in the language in force. A table of the checks (device, USB
// adapter, permission, holders, opening, radio), then what to do. It runs the
// identification exchange through the same serial port and timers as the read
// and write windows.

#include <QDialog>
#include <memory>
#include <vector>

#include "doctor/doctor.h"
#include "link/port.h"
#include "ui/exchange_support.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace zt {

class ConnectionCheckWindow : public QDialog {
    Q_OBJECT
  public:
    ConnectionCheckWindow(bool chinese, PortChoice port, LinkDevicesFactory devices, Host host,
                          QWidget* parent = nullptr);
    ~ConnectionCheckWindow() override;

    // Runs the checks (again); the report follows when they are done.
    void start();
    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] const std::vector<PortDiagnosis>& diagnoses() const { return diagnoses_; }

  private:
    void probeFinished();
    void showReport();

    bool chinese_;
    std::string device_;  // "" when the choice names no port
    std::string label_;
    LinkDevicesFactory makeDevices_;
    Host host_;
    std::vector<PortDiagnosis> diagnoses_;
    bool running_ = false;
    // The probe uses the devices' port and timers, so it goes first.
    LinkDevices devices_;
    std::unique_ptr<RadioProbe> probe_;

    QLabel* status_;
    QTableWidget* table_;
    QPlainTextEdit* advice_;
    QPushButton* again_;
};

}  // namespace zt
