// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A trace of what an exchange does on the line, for finding out why a radio or a
// cable misbehaves: it stands between the link and its port and timers, passes
// every call on, and keeps one line per event in milliseconds since it was made:
// "15 sent 50 52 4F 47 52 41 4D 02", "20 received 5A 54", "15 Reply 1000",
// "1015 closed". Bytes moved at one time with no other port call between them
// form one line.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "link/timer.h"

namespace zt {

class LinkTrace final : public Port, public LinkTimers {
  public:
    // `nowMs` tells the time in milliseconds on any steady clock.
    LinkTrace(Port& port, LinkTimers& timers, std::function<std::int64_t()> nowMs);

    // Adds a line of the caller's own (an outcome, say) at the current time.
    void Note(std::string_view what);
    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
    // The lines whose event starts with one of `words`.
    [[nodiscard]] std::vector<std::string> Only(
        std::initializer_list<std::string_view> words) const;

    bool Open(const PortSettings& settings, std::string& error) override;
    [[nodiscard]] bool IsOpen() const override { return port_.IsOpen(); }
    void Close() override;
    [[nodiscard]] int BytesWaiting() const override { return port_.BytesWaiting(); }
    std::uint8_t ReadByte() override;
    void DiscardInput() override;
    void DiscardOutput() override { port_.DiscardOutput(); }
    void WriteByte(std::uint8_t byte) override;
    void SetReceiveHandler(std::function<void()> handler) override;

    void Start(LinkTimer timer, int intervalMs) override;
    void Stop(LinkTimer timer) override { timers_.Stop(timer); }
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override {
        return timers_.IsRunning(timer);
    }
    void SetTickHandler(std::function<void(LinkTimer)> handler) override;

  private:
    void Byte(const char* direction, std::uint8_t byte);

    Port& port_;
    LinkTimers& timers_;
    std::function<std::int64_t()> nowMs_;
    std::int64_t origin_;
    std::vector<std::string> lines_;
    // The line of the run of bytes being moved, so timers started between its
    // bytes do not split it.
    std::optional<std::size_t> runLine_;
    const char* runDirection_ = nullptr;
    std::int64_t runAt_ = 0;
};

}  // namespace zt
