// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Port over QSerialPort. Bytes handed to WriteByte leave at once (no waiting
// for the event loop), so a frame sent in one pump tick is on the wire before
// the reply time-out starts, and an end byte written just before Close() is not
// lost. A device that disappears (an unplugged USB adapter raises a burst of
// errors; a failed read or write counts the same) closes the port once; the
// exchange then sees a closed port, times out and reports it.

#include <QObject>
#include <QSerialPort>
#include <functional>

#include "link/port.h"

namespace zt {

class QtSerialPort final : public QObject, public Port {
    Q_OBJECT
  public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    [[nodiscard]] bool Open(const PortSettings& settings, std::string& error) override;
    [[nodiscard]] bool IsOpen() const override;
    void Close() override;
    [[nodiscard]] int BytesWaiting() const override;
    [[nodiscard]] std::uint8_t ReadByte() override;
    void DiscardInput() override;
    void DiscardOutput() override;
    void WriteByte(std::uint8_t byte) override;
    void SetReceiveHandler(std::function<void()> handler) override;

  private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    std::function<void()> onReceive_;
};

}  // namespace zt
