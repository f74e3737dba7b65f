// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/bindings/web_port.h"

namespace zt::web {

void WebPort::Connected(bool connected, const std::string& reason) {
    connected_ = connected;
    reason_ = reason;
    if (!connected) input_.clear();
}

void WebPort::Receive(const std::string& bytes) {
    if (!IsOpen()) return;  // a closed port hears nothing
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    if (onReceive_) onReceive_();
}

bool WebPort::Open(const PortSettings& /*settings*/, std::string& error) {
    if (!connected_) {
        error = reason_;
        return false;
    }
    open_ = true;
    input_.clear();
    return true;
}

void WebPort::Close() {
    open_ = false;
    input_.clear();
}

std::uint8_t WebPort::ReadByte() {
    const std::uint8_t byte = input_.front();
    input_.pop_front();
    return byte;
}

void WebPort::WriteByte(std::uint8_t byte) {
    if (IsOpen()) line_.call<void>("write", static_cast<int>(byte));
}

}  // namespace zt::web
