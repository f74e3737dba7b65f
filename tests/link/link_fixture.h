#pragma once
// A link on a virtual clock, talking to the in-process simulated radio, with an
// observer that records everything it is told.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "link/serial_link.h"
#include "sim/sim_port.h"
#include "sim/sim_radio.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_timers.h"

namespace zt::testing {

struct RecordingObserver : ExchangeObserver {
    std::vector<int> progress;
    std::vector<LinkText> statuses;
    std::vector<LinkMessage> messages;
    std::vector<ExchangeOutcome> outcomes;
    std::vector<std::array<int, 3>> powerValues;
    int closeDue = 0;
    VirtualClock::Micros closeDueAt = -1;
    VirtualClock::Micros finishedAt = -1;
    VirtualClock* clock = nullptr;
    std::function<void(int, int, int)> onPower;

    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnStatus(const LinkText& label) override { statuses.push_back(label); }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnPowerValues(int low, int mid, int high) override {
        powerValues.push_back({low, mid, high});
        if (onPower) onPower(low, mid, high);
    }
    void OnFinished(ExchangeOutcome outcome) override {
        outcomes.push_back(outcome);
        if (clock) finishedAt = clock->Now();
    }
    void OnCloseDue() override {
        ++closeDue;
        if (clock) closeDueAt = clock->Now();
    }
};

// A radio memory where every byte tells its address, so misplaced blocks show.
inline Image PatternImage(int salt = 0) {
    Image image{};
    for (int r = 0; r < kImageRows; ++r) {
        for (int f = 0; f < kRowBytes; ++f) {
            image[r][f] = static_cast<std::uint8_t>((r * 7 + f * 13 + salt) & 0xFF);
        }
    }
    return image;
}

class LinkTest : public ::testing::Test {
  protected:
    void Make(LinkMode mode) {
        observer.clock = &clock;
        link = std::make_unique<SerialLink>(mode, app, port, timers, observer);
    }
    // A fresh link over a port with no radio behind it, for tests that play the
    // radio's part themselves. The old link goes first, as it unhooks itself
    // from the timers.
    SimPort& UseBarePort(LinkMode mode) {
        link.reset();
        barePort = std::make_unique<SimPort>(clock);
        link = std::make_unique<SerialLink>(mode, app, *barePort, timers, observer);
        return *barePort;
    }
    bool RunUntilFinished(VirtualClock::Micros limit = Ms(60'000)) {
        return clock.RunUntil([this] { return !observer.outcomes.empty(); }, limit);
    }

    AppState app;
    VirtualClock clock;
    SimRadio radio{PatternImage()};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    RecordingObserver observer;
    std::unique_ptr<SimPort> barePort;
    std::unique_ptr<SerialLink> link;
};

}  // namespace zt::testing
