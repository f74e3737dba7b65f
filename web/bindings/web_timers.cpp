// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/bindings/web_timers.h"

#include <emscripten/eventloop.h>

namespace zt::web {

WebTimers::WebTimers() {
    for (int i = 0; i < kLinkTimerCount; ++i) {
        slots_[static_cast<std::size_t>(i)] = {this, static_cast<LinkTimer>(i + 1), 0};
    }
}

WebTimers::~WebTimers() {
    for (int i = 1; i <= kLinkTimerCount; ++i) Stop(static_cast<LinkTimer>(i));
}

void WebTimers::Start(LinkTimer timer, int intervalMs) {
    Stop(timer);
    Slot& slot = slots_[static_cast<std::size_t>(timer) - 1];
    slot.id = emscripten_set_interval(&WebTimers::Tick, intervalMs, &slot);
}

void WebTimers::Stop(LinkTimer timer) {
    Slot& slot = slots_[static_cast<std::size_t>(timer) - 1];
    if (slot.id != 0) emscripten_clear_interval(slot.id);
    slot.id = 0;
}

bool WebTimers::IsRunning(LinkTimer timer) const {
    return slots_[static_cast<std::size_t>(timer) - 1].id != 0;
}

void WebTimers::Tick(void* data) {
    auto* slot = static_cast<Slot*>(data);
    WebTimers* owner = slot->owner;
    if (owner->onTick_) owner->onTick_(slot->timer);
    if (owner->afterTick_) owner->afterTick_();
}

}  // namespace zt::web
