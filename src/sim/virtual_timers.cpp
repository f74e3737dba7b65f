// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_timers.h"

namespace zt {

namespace {
std::size_t Index(LinkTimer timer) { return static_cast<std::size_t>(timer) - 1; }
}  // namespace

VirtualTimers::~VirtualTimers() {
    for (Slot& slot : slots_) {
        if (slot.event) clock_.Cancel(*slot.event);
    }
}

void VirtualTimers::Start(LinkTimer timer, int intervalMs) {
    Stop(timer);
    slots_[Index(timer)].intervalMs = intervalMs;
    Arm(timer);
}

void VirtualTimers::Arm(LinkTimer timer) {
    Slot& slot = slots_[Index(timer)];
    slot.event = clock_.Schedule(clock_.Now() + Ms(slot.intervalMs), [this, timer] {
        // The next tick is due one interval on, unless the handler stops it.
        Arm(timer);
        if (onTick_) onTick_(timer);
    });
}

void VirtualTimers::Stop(LinkTimer timer) {
    Slot& slot = slots_[Index(timer)];
    if (slot.event) clock_.Cancel(*slot.event);
    slot.event.reset();
}

bool VirtualTimers::IsRunning(LinkTimer timer) const {
    return slots_[Index(timer)].event.has_value();
}

std::optional<int> VirtualTimers::Interval(LinkTimer timer) const {
    const Slot& slot = slots_[Index(timer)];
    if (!slot.event) return std::nullopt;
    return slot.intervalMs;
}

void VirtualTimers::SetTickHandler(std::function<void(LinkTimer)> handler) {
    onTick_ = std::move(handler);
}

}  // namespace zt
