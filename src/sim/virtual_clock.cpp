// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_clock.h"

namespace zt {

VirtualClock::EventId VirtualClock::Schedule(Micros at, std::function<void()> action) {
    const EventId id = next_++;
    if (at < now_) at = now_;
    events_.emplace(std::make_pair(at, id), std::move(action));
    when_.emplace(id, at);
    return id;
}

void VirtualClock::Cancel(EventId id) {
    const auto it = when_.find(id);
    if (it == when_.end()) return;
    events_.erase(std::make_pair(it->second, id));
    when_.erase(it);
}

bool VirtualClock::RunNext() {
    if (events_.empty()) return false;
    auto first = events_.begin();
    now_ = first->first.first;
    when_.erase(first->first.second);
    std::function<void()> action = std::move(first->second);
    events_.erase(first);
    action();
    return true;
}

void VirtualClock::RunFor(Micros span) {
    const Micros end = now_ + span;
    while (!events_.empty() && events_.begin()->first.first <= end) RunNext();
    now_ = end;
}

bool VirtualClock::RunUntil(const std::function<bool()>& done, Micros limit) {
    const Micros end = now_ + limit;
    while (!done()) {
        if (events_.empty() || events_.begin()->first.first > end) {
            now_ = end;
            return done();
        }
        RunNext();
    }
    return true;
}

}  // namespace zt
