// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock that only moves when told to, with timers and an in-process serial
// port on it, so exchanges with five-second pauses run in no real time.

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace zt {

class VirtualClock {
  public:
    using Micros = std::int64_t;
    using EventId = std::uint64_t;

    [[nodiscard]] Micros Now() const { return now_; }
    EventId Schedule(Micros at, std::function<void()> action);
    void Cancel(EventId id);

    // Runs the earliest pending event, moving the clock to its time. False when
    // nothing is pending.
    bool RunNext();
    // Runs every event due within `span` from now, then sets the clock to now + span.
    void RunFor(Micros span);
    // Runs events until `done` holds or the clock would pass now + `limit`.
    // Returns whether `done` held.
    bool RunUntil(const std::function<bool()>& done, Micros limit);

  private:
    Micros now_ = 0;
    EventId next_ = 1;
    // Ordered by time, then by scheduling order.
    std::map<std::pair<Micros, EventId>, std::function<void()>> events_;
    std::map<EventId, Micros> when_;
};

inline constexpr VirtualClock::Micros Ms(std::int64_t ms) { return ms * 1000; }

}  // namespace zt
