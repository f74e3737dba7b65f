// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/radio_probe.h"

#include <cctype>

namespace zt {
namespace {

std::unique_ptr<AppState> StateFor(const std::string& device) {
    auto app = std::make_unique<AppState>();
    app->ComDevice = device;
    return app;
}

}  // namespace

bool ReasonSaysBusy(const std::string& systemReason) {
    std::string lower = systemReason;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("busy") != std::string::npos || lower.find("lock") != std::string::npos;
}

RadioProbe::RadioProbe(Port& port, LinkTimers& timers, const std::string& device,
                       std::function<void()> finished)
    : app_(StateFor(device)),
      link_(LinkMode::Identify, *app_, port, timers, *this),
      finished_(std::move(finished)) {}

void RadioProbe::Start() {
    done_ = false;
    result_ = {};
    (void)link_.Start();
}

void RadioProbe::OnFinished(ExchangeOutcome outcome) {
    result_.opened = outcome != ExchangeOutcome::PortFailed;
    if (!result_.opened) result_.openError = link_.LastPortError();
    result_.reply = link_.IdentifyResult();
    result_.heard = link_.Heard();
    done_ = true;
    if (finished_) finished_();
}

}  // namespace zt
