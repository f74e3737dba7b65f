// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four link timers on a VirtualClock.

#include <array>
#include <optional>

#include "link/timer.h"
#include "sim/virtual_clock.h"

namespace zt {

class VirtualTimers final : public LinkTimers {
  public:
    explicit VirtualTimers(VirtualClock& clock) : clock_(clock) {}
    ~VirtualTimers() override;

    void Start(LinkTimer timer, int intervalMs) override;
    void Stop(LinkTimer timer) override;
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override;
    void SetTickHandler(std::function<void(LinkTimer)> handler) override;

    // Interval of a running timer (for tests).
    [[nodiscard]] std::optional<int> Interval(LinkTimer timer) const;

  private:
    struct Slot {
        std::optional<VirtualClock::EventId> event;
        int intervalMs = 0;
    };
    void Arm(LinkTimer timer);

    VirtualClock& clock_;
    std::array<Slot, kLinkTimerCount> slots_{};
    std::function<void(LinkTimer)> onTick_;
};

}  // namespace zt
