// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/port_setup_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/app_state.h"
#include "model/bitext.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Communication Port Setup", "通讯端口设置"};
constexpr BiText kFrame{"Port Setup", "端口设置"};
constexpr BiText kOk{"Confirm", "确 定"};
constexpr BiText kCancel{"Cancel", "取 消"};
constexpr BiText kNotAvailable{"(not available)", "（无此端口）"};
constexpr BiText kDeviceOption{"Device:", "设备："};
constexpr BiText kCheck{"Check Connection...", "检查连接..."};
constexpr BiText kCheckName{"Check Connection", "检查连接"};
constexpr BiText kNoDevice{"Please input the device path of the serial port.",
                           "请输入串口的设备路径 ！"};

}  // namespace

PortSetupDialog::PortSetupDialog(AppState& state, MessagePresenter& presenter,
                                 std::vector<SerialPortEntry> ports, QWidget* parent)
    : QDialog(parent),
      state_(state),
      presenter_(presenter),
      open_(&state.Windows.SetupIsOpen),
      ports_(std::move(ports)) {
    setObjectName("Form_setup");
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kTitle, chinese));

    auto* frame = new QGroupBox(qs(kFrame, chinese), this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    for (int n = 1; n <= kNumberedPorts; ++n) {
        auto* option = new QRadioButton(QString("COM%1").arg(n), frame);
        option->setObjectName(QString("Option%1").arg(n));
        const ResolvedPort resolved = ResolvePortChoice(n, {}, ports_);
        auto entry = std::find_if(ports_.begin(), ports_.end(), [&](const SerialPortEntry& e) {
            return resolved.ok && e.device == resolved.device;
        });
        auto* device = new QLabel(
            entry != ports_.end() ? qs(entry->Label()) : qs(kNotAvailable, chinese), frame);
        device->setObjectName(QString("Label_port%1").arg(n));
        device->setEnabled(entry != ports_.end());
        grid->addWidget(option, n - 1, 0);
        grid->addWidget(device, n - 1, 1);
        options_[static_cast<std::size_t>(n - 1)] = option;
    }
    deviceOption_ = new QRadioButton(qs(kDeviceOption, chinese), frame);
    deviceOption_->setObjectName("Option_device");
    device_ = new QLineEdit(frame);
    device_->setObjectName("Text_device");
    device_->setPlaceholderText("/dev/ttyUSB0");
    grid->addWidget(deviceOption_, kNumberedPorts, 0);
    grid->addWidget(device_, kNumberedPorts, 1);
    grid->setColumnStretch(1, 1);
    // Typing a path chooses it.
    connect(device_, &QLineEdit::textEdited, deviceOption_,
            [this] { deviceOption_->setChecked(true); });

    auto* ok = new QPushButton(qs(kOk, chinese), this);
    ok->setObjectName("Command_ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PortSetupDialog::confirm);
    auto* cancel = new QPushButton(qs(kCancel, chinese), this);
    cancel->setObjectName("Command1");
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    // After the dialog's own buttons: the doctor for the port chosen above.
    auto* check = new QPushButton(qs(kCheck, chinese), this);
    check->setObjectName("Command_check");
    check->setAccessibleName(qs(kCheckName, chinese));
    connect(check, &QPushButton::clicked, this, &PortSetupDialog::checkRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(check);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    if (!state_.ComDevice.empty()) {
        device_->setText(qs(state_.ComDevice));
        deviceOption_->setChecked(true);
    } else if (state_.ComPort >= 1 && state_.ComPort <= kNumberedPorts) {
        options_[static_cast<std::size_t>(state_.ComPort - 1)]->setChecked(true);
    }
}

void PortSetupDialog::confirm() {
    if (deviceOption_->isChecked()) {
        const QString device = device_->text().trimmed();
        if (device.isEmpty()) {
            presenter_.show(kNoDevice, state_.LanguageChinese);
            device_->setFocus();
            return;
        }
        state_.ComDevice = utf8(device);
    } else {
        for (int n = 1; n <= kNumberedPorts; ++n) {
            if (options_[static_cast<std::size_t>(n - 1)]->isChecked()) {
                state_.ComPort = static_cast<std::int16_t>(n);
                state_.ComDevice.clear();
                break;
            }
        }
    }
    emit portChanged();
    // After a failed port opening the dialog stays, so another port can be tried.
    if (!state_.PortOpenFailed) close();
}

PortChoice PortSetupDialog::selectedPort() const {
    if (deviceOption_->isChecked() && !device_->text().trimmed().isEmpty())
        return {state_.ComPort, utf8(device_->text().trimmed())};
    for (int n = 1; n <= kNumberedPorts; ++n) {
        if (options_[static_cast<std::size_t>(n - 1)]->isChecked()) return {n, ""};
    }
    return {state_.ComPort, state_.ComDevice};
}

void PortSetupDialog::closeEvent(QCloseEvent* event) {
    open_.release();
    QDialog::closeEvent(event);
}

}  // namespace zt
