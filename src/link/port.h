// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port as the link sees it: exactly the operations the exchanges use,
// so the same engine runs over a real serial port, a pseudo-terminal or the
// in-process simulated radio.

#include <cstdint>
#include <functional>
#include <string>

namespace zt {

// Which port to open. A device path, when given, wins over the number; the
// number 1..8 is resolved by the backend (the n-th available port, or COMn).
struct PortChoice {
    int number = 1;
    std::string device;
};

// The line settings every exchange uses: 9600 baud, no parity, 8 data bits,
// 1 stop bit, binary input, a 1024-byte input buffer, one byte per read call and
// a receive notification at every byte.
struct PortSettings {
    PortChoice choice;
    int baud = 9600;
    int inputBufferBytes = 1024;
    bool discardOutput = false;  // the write and power exchanges also empty the output
};

class Port {
  public:
    virtual ~Port() = default;

    // Configures and opens the port, discarding input (and output when asked).
    // On failure returns false and leaves a human-readable reason in `error`.
    [[nodiscard]] virtual bool Open(const PortSettings& settings, std::string& error) = 0;
    [[nodiscard]] virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    // Bytes received and not yet read.
    [[nodiscard]] virtual int BytesWaiting() const = 0;
    // Reads one received byte; only called while BytesWaiting() > 0.
    [[nodiscard]] virtual std::uint8_t ReadByte() = 0;
    virtual void DiscardInput() = 0;
    virtual void DiscardOutput() = 0;
    // Hands one byte to the port for sending.
    virtual void WriteByte(std::uint8_t byte) = 0;

    // Called from the event loop whenever bytes have arrived (never from inside
    // one of the calls above). One handler; setting another replaces it.
    virtual void SetReceiveHandler(std::function<void()> handler) = 0;
};

}  // namespace zt
