// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link's serial port over the page's Web Serial connection. The page opens
// the port the user chose (opening is a promise, which the link cannot wait
// for) before an exchange starts, hands every chunk its reader gets to
// Receive() and says Connected(false) when the port goes away; the bytes the
// link sends go to the page's writer. The link's own Open and Close, at the
// start, between attempts and at the end, only start and stop taking bytes
// from a port the page keeps open.

#include <emscripten/val.h>
#include <deque>

#include "link/port.h"

namespace zt::web {

class WebPort : public Port {
  public:
    // `line` has write(byte): it sends the bytes handed to it in one go once
    // the event that wrote them has been handled.
    explicit WebPort(emscripten::val line) : line_(std::move(line)) {}

    // The page's port is open (true) or gone; `reason` says why it would not
    // open or went away.
    void Connected(bool connected, const std::string& reason);
    // Bytes the page's reader got; tells the link, as a receive notification.
    void Receive(const std::string& bytes);

    [[nodiscard]] bool Open(const PortSettings& settings, std::string& error) override;
    [[nodiscard]] bool IsOpen() const override { return open_ && connected_; }
    void Close() override;
    [[nodiscard]] int BytesWaiting() const override { return static_cast<int>(input_.size()); }
    [[nodiscard]] std::uint8_t ReadByte() override;
    void DiscardInput() override { input_.clear(); }
    void DiscardOutput() override {}
    void WriteByte(std::uint8_t byte) override;
    void SetReceiveHandler(std::function<void()> handler) override {
        onReceive_ = std::move(handler);
    }

  private:
    emscripten::val line_;
    std::deque<std::uint8_t> input_;
    std::function<void()> onReceive_;
    bool connected_ = false;
    bool open_ = false;
    std::string reason_;
};

}  // namespace zt::web
