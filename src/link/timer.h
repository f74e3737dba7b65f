// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four timers of a serial exchange. A started timer ticks every interval
// until it is stopped; starting a running timer restarts its interval.

#include <functional>

namespace zt {

enum class LinkTimer {
    Pump = 1,   // sends the current frame (15 ms)
    Reply = 2,  // the reply time-out (1000 ms after the last byte)
    Pause = 3,  // the pause before a retry (5000 ms)
    Close = 4,  // close check after completion; the power exchange's watchdog
};

inline constexpr int kLinkTimerCount = 4;

class LinkTimers {
  public:
    virtual ~LinkTimers() = default;

    virtual void Start(LinkTimer timer, int intervalMs) = 0;
    virtual void Stop(LinkTimer timer) = 0;
    [[nodiscard]] virtual bool IsRunning(LinkTimer timer) const = 0;

    // Called from the event loop on each tick. One handler; setting another replaces it.
    virtual void SetTickHandler(std::function<void(LinkTimer)> handler) = 0;
};

}  // namespace zt
