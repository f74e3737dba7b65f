// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link's four timers on the page's own timers (setInterval), ticking from
// the page's event loop like every other event the link gets.

#include <array>

#include "link/timer.h"

namespace zt::web {

class WebTimers : public LinkTimers {
  public:
    WebTimers();
    ~WebTimers() override;
    WebTimers(const WebTimers&) = delete;
    WebTimers& operator=(const WebTimers&) = delete;

    void Start(LinkTimer timer, int intervalMs) override;
    void Stop(LinkTimer timer) override;
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override;
    void SetTickHandler(std::function<void(LinkTimer)> handler) override {
        onTick_ = std::move(handler);
    }

    // Told after every tick has been handled.
    void SetAfterTick(std::function<void()> after) { afterTick_ = std::move(after); }

  private:
    struct Slot {
        WebTimers* owner = nullptr;
        LinkTimer timer = LinkTimer::Pump;
        long id = 0;  // the page's interval, 0 when stopped
    };
    static void Tick(void* slot);

    std::array<Slot, kLinkTimerCount> slots_{};
    std::function<void(LinkTimer)> onTick_;
    std::function<void()> afterTick_;
};

}  // namespace zt::web
