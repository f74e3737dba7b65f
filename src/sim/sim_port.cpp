// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_port.h"

#include <algorithm>

namespace zt {

SimPort::SimPort(VirtualClock& clock, SimRadio* radio) : clock_(clock), radio_(radio) {}

SimPort::~SimPort() {
    if (notify_) clock_.Cancel(*notify_);
    for (const auto id : pending_) clock_.Cancel(id);
}

bool SimPort::Open(const PortSettings& settings, std::string& error) {
    settings_ = settings;
    if (failOpen_) {
        error = "no such port";
        return false;
    }
    open_ = true;
    rx_.clear();
    return true;
}

void SimPort::Close() {
    open_ = false;
    rx_.clear();
}

std::uint8_t SimPort::ReadByte() {
    if (rx_.empty()) return 0;
    const std::uint8_t b = rx_.front();
    rx_.pop_front();
    return b;
}

void SimPort::WriteByte(std::uint8_t byte) {
    if (!open_) return;
    sent_.push_back(byte);
    if (radio_ == nullptr) return;
    const auto reply = radio_->Receive(byte);
    if (radio_->CablePulled()) {
        // The cable is out and stays out.
        Close();
        failOpen_ = true;
        return;
    }
    if (!reply) return;
    // Each byte arrives complete one byte time after the previous one; the radio
    // starts answering once the request has crossed the line.
    VirtualClock::Micros at = std::max(clock_.Now() + byteTime_, lineFreeAt_) + Ms(reply->delayMs);
    if (byteTime_ == 0) {
        auto bytes = reply->bytes;
        pending_.push_back(clock_.Schedule(at, [this, bytes] { Deliver(bytes); }));
        return;
    }
    for (const std::uint8_t b : reply->bytes) {
        at += byteTime_;
        pending_.push_back(clock_.Schedule(at, [this, b] { Deliver({b}); }));
    }
    lineFreeAt_ = at;
}

void SimPort::Inject(const std::vector<std::uint8_t>& bytes) { Deliver(bytes); }

void SimPort::Deliver(const std::vector<std::uint8_t>& bytes) {
    if (!open_) return;  // nobody listening: the bytes are lost
    rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    Notify();
}

void SimPort::Notify() {
    if (notify_) return;
    notify_ = clock_.Schedule(clock_.Now(), [this] {
        notify_.reset();
        if (open_ && !rx_.empty() && onReceive_) onReceive_();
    });
}

}  // namespace zt
