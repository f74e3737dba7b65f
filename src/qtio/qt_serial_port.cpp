// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtio/qt_serial_port.h"

#include "qtio/serial_ports.h"

namespace zt {

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (onReceive_) onReceive_();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() { Close(); }

bool QtSerialPort::Open(const PortSettings& settings, std::string& error) {
    if (port_.isOpen()) port_.close();
    const ResolvedPort resolved = ResolvePortChoice(settings.choice.number, settings.choice.device);
    if (!resolved.ok) {
        error = resolved.error;
        return false;
    }
    port_.setPortName(QString::fromStdString(resolved.device));
    port_.setReadBufferSize(settings.inputBufferBytes);
    if (!port_.open(QIODevice::ReadWrite)) {
        error = resolved.device + ": " + port_.errorString().toStdString();
        port_.clearError();
        return false;
    }
    const bool configured =
        port_.setBaudRate(settings.baud) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        error = resolved.device + ": " + port_.errorString().toStdString();
        port_.clearError();
        port_.close();
        return false;
    }
    port_.clear(settings.discardOutput ? QSerialPort::AllDirections : QSerialPort::Input);
    return true;
}

bool QtSerialPort::IsOpen() const { return port_.isOpen(); }

void QtSerialPort::Close() {
    if (!port_.isOpen()) return;
    // Let what was handed over leave before the descriptor goes away.
    port_.flush();
    port_.waitForBytesWritten(100);
    port_.close();
}

int QtSerialPort::BytesWaiting() const {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::uint8_t QtSerialPort::ReadByte() {
    char c = 0;
    if (!port_.getChar(&c)) return 0;
    return static_cast<std::uint8_t>(c);
}

void QtSerialPort::DiscardInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    // Bytes Qt has already taken from the system but not handed out.
    port_.readAll();
}

void QtSerialPort::DiscardOutput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

void QtSerialPort::WriteByte(std::uint8_t byte) {
    if (!port_.isOpen()) return;
    const char c = static_cast<char>(byte);
    port_.write(&c, 1);
    port_.flush();
}

void QtSerialPort::SetReceiveHandler(std::function<void()> handler) {
    onReceive_ = std::move(handler);
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    // A vanished device reports several errors in a row; the first closes the
    // port and the rest find it closed.
    // (clearError() itself reports NoError, so it must not be called from here.)
    const bool deviceLost = error == QSerialPort::ResourceError ||
                            error == QSerialPort::WriteError || error == QSerialPort::ReadError;
    if (deviceLost && port_.isOpen()) port_.close();
}

}  // namespace zt
