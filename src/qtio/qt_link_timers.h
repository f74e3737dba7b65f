// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four link timers over QTimer, precise so the 15 ms pump keeps its interval.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "link/timer.h"

namespace zt {

class QtLinkTimers final : public QObject, public LinkTimers {
    Q_OBJECT
  public:
    explicit QtLinkTimers(QObject* parent = nullptr);

    void Start(LinkTimer timer, int intervalMs) override;
    void Stop(LinkTimer timer) override;
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override;
    void SetTickHandler(std::function<void(LinkTimer)> handler) override;

  private:
    std::array<QTimer, kLinkTimerCount> timers_;
    std::function<void(LinkTimer)> onTick_;
};

}  // namespace zt
