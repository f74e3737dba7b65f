// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The doctor's last two checks on one port: whether it opens at 9600 8N1, and
// one identification exchange with the radio (the link's Identify mode). It
// runs on the caller's event loop through the Port and LinkTimers it is given:
//   RadioProbe probe(port, timers, "/dev/ttyUSB0", [&] { /* Done() */ });
//   probe.Start();
// `finished` is called from inside the link's events (or from Start when the
// port does not open): destroy the probe only after it has returned.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/serial_link.h"
#include "model/app_state.h"

namespace zt {

struct RadioProbeResult {
    bool opened = false;
    std::string openError;  // the system's reason, when it did not open
    IdentifyReply reply = IdentifyReply::Pending;
    std::vector<std::uint8_t> heard;
};

// Whether the system's reason for a failed opening says the port is in use
// ("Device or resource busy", a lock held by another program).
[[nodiscard]] bool ReasonSaysBusy(const std::string& systemReason);

class RadioProbe final : ExchangeObserver {
  public:
    RadioProbe(Port& port, LinkTimers& timers, const std::string& device,
               std::function<void()> finished);
    RadioProbe(const RadioProbe&) = delete;
    RadioProbe& operator=(const RadioProbe&) = delete;

    void Start();
    [[nodiscard]] bool Done() const { return done_; }
    [[nodiscard]] const RadioProbeResult& Result() const { return result_; }

  private:
    void OnFinished(ExchangeOutcome outcome) override;

    std::unique_ptr<AppState> app_;
    SerialLink link_;
    std::function<void()> finished_;
    bool done_ = false;
    RadioProbeResult result_;
};

}  // namespace zt
