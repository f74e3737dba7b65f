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
    if (failOpen_ || (line_ && !line_->Plugged(clock_.Now()))) {
        error = failOpen_ ? "no such port" : "the programming cable is unplugged";
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
    if (!line_) return ToRadio(byte);
    const auto now = clock_.Now();
    const auto deliveries = line_->FromProgram(byte, now, byteTime_);
    if (!line_->Plugged(now)) {
        ++pulls_;
        Close();
        return;
    }
    for (const auto& d : deliveries) {
        if (d.direction == Direction::ToProgram) {
            At(d.at, [this, b = d.byte] { Deliver({b}); });
        } else if (d.at <= now) {
            ToRadio(d.byte);
        } else {
            At(d.at, [this, b = d.byte] { ToRadio(b); });
        }
    }
}

void SimPort::ToRadio(std::uint8_t byte) {
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
    if (byteTime_ == 0 && !line_) {
        auto bytes = reply->bytes;
        pending_.push_back(clock_.Schedule(at, [this, bytes] { Deliver(bytes); }));
        return;
    }
    std::vector<LineFaults::Delivery> out;
    for (const std::uint8_t b : reply->bytes) {
        at += byteTime_;
        if (!line_) {
            pending_.push_back(clock_.Schedule(at, [this, b] { Deliver({b}); }));
            continue;
        }
        for (const auto& d : line_->FromRadio(b, at)) out.push_back(d);
    }
    if (byteTime_ > 0) lineFreeAt_ = at;
    // Bytes due at one time arrive as one delivery, as they do without the line.
    for (auto run = out.begin(); run != out.end();) {
        const auto end =
            std::find_if(run, out.end(), [&](const auto& d) { return d.at != run->at; });
        std::vector<std::uint8_t> bytes;
        for (auto d = run; d != end; ++d) bytes.push_back(d->byte);
        At(run->at, [this, bytes] { Deliver(bytes); });
        run = end;
    }
}

void SimPort::At(VirtualClock::Micros at, std::function<void()> action) {
    pending_.push_back(clock_.Schedule(at, [this, pulls = pulls_, action = std::move(action)] {
        if (pulls == pulls_ && open_) action();
    }));
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
