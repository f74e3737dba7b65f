// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link_trace.h"

#include <cstdio>
#include <utility>

namespace zt {

LinkTrace::LinkTrace(Port& port, LinkTimers& timers, std::function<std::int64_t()> nowMs)
    : port_(port), timers_(timers), nowMs_(std::move(nowMs)), origin_(nowMs_()) {}

void LinkTrace::Note(std::string_view what) {
    lines_.push_back(std::to_string(nowMs_() - origin_) + " " + std::string(what));
}

std::vector<std::string> LinkTrace::Only(std::initializer_list<std::string_view> words) const {
    std::vector<std::string> kept;
    for (const std::string& line : lines_)
        for (const auto word : words)
            if (std::string_view(line).substr(line.find(' ') + 1).starts_with(word))
                kept.push_back(line);
    return kept;
}

bool LinkTrace::Open(const PortSettings& settings, std::string& error) {
    runLine_.reset();
    const bool ok = port_.Open(settings, error);
    Note(ok ? "opened" : "refused: " + error);
    return ok;
}

void LinkTrace::Close() {
    runLine_.reset();
    Note("closed");
    port_.Close();
}

std::uint8_t LinkTrace::ReadByte() {
    const std::uint8_t byte = port_.ReadByte();
    Byte("received", byte);
    return byte;
}

void LinkTrace::DiscardInput() {
    runLine_.reset();
    port_.DiscardInput();
}

void LinkTrace::WriteByte(std::uint8_t byte) {
    Byte("sent", byte);
    port_.WriteByte(byte);
}

void LinkTrace::Byte(const char* direction, std::uint8_t byte) {
    const std::int64_t now = nowMs_();
    if (!runLine_ || runDirection_ != direction || runAt_ != now) {
        Note(direction);
        runLine_ = lines_.size() - 1;
        runDirection_ = direction;
        runAt_ = now;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    lines_[*runLine_] += hex;
}

void LinkTrace::SetReceiveHandler(std::function<void()> handler) {
    port_.SetReceiveHandler(std::move(handler));
}

void LinkTrace::Start(LinkTimer timer, int intervalMs) {
    static const char* const names[] = {"", "Pump", "Reply", "Pause", "Close"};
    Note(names[static_cast<int>(timer)] + (" " + std::to_string(intervalMs)));
    timers_.Start(timer, intervalMs);
}

void LinkTrace::SetTickHandler(std::function<void(LinkTimer)> handler) {
    timers_.SetTickHandler(std::move(handler));
}

}  // namespace zt
