// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtio/qt_link_timers.h"

namespace zt {

QtLinkTimers::QtLinkTimers(QObject* parent) : QObject(parent) {
    for (int i = 0; i < kLinkTimerCount; ++i) {
        QTimer& t = timers_[static_cast<std::size_t>(i)];
        t.setTimerType(Qt::PreciseTimer);
        const auto id = static_cast<LinkTimer>(i + 1);
        connect(&t, &QTimer::timeout, this, [this, id] {
            if (onTick_) onTick_(id);
        });
    }
}

void QtLinkTimers::Start(LinkTimer timer, int intervalMs) {
    timers_[static_cast<std::size_t>(timer) - 1].start(intervalMs);
}

void QtLinkTimers::Stop(LinkTimer timer) { timers_[static_cast<std::size_t>(timer) - 1].stop(); }

bool QtLinkTimers::IsRunning(LinkTimer timer) const {
    return timers_[static_cast<std::size_t>(timer) - 1].isActive();
}

void QtLinkTimers::SetTickHandler(std::function<void(LinkTimer)> handler) {
    onTick_ = std::move(handler);
}

}  // namespace zt
