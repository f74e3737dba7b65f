#pragma once
// A link on a virtual clock, talking to the in-process simulated radio, with an
// observer that records everything it is told.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "link/frames.h"
#include "link/serial_link.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::testing {

using Bytes = std::vector<std::uint8_t>;

struct RecordingObserver : ExchangeObserver {
    VirtualClock* clock = nullptr;
    std::vector<int> progress;
    std::vector<LinkText> statuses;
    std::vector<LinkMessage> messages;
    std::vector<ExchangeOutcome> outcomes;
    VirtualClock::Micros finishedAt = -1;
    VirtualClock::Micros closeDueAt = -1;
    int closeDue = 0;
    std::function<void(int, int, int)> onPower;

    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnStatus(const LinkText& label) override { statuses.push_back(label); }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnPowerValues(int low, int mid, int high) override { onPower(low, mid, high); }
    void OnFinished(ExchangeOutcome outcome) override {
        outcomes.push_back(outcome);
        finishedAt = clock->Now();
    }
    void OnCloseDue() override {
        ++closeDue;
        closeDueAt = clock->Now();
    }
};

// A radio memory where every byte tells its address, so misplaced blocks show.
inline Image PatternImage(int salt = 0) {
    Image image{};
    for (int r = 0; r < kImageRows; ++r) {
        for (int f = 0; f < kRowBytes; ++f)
            image[r][f] = static_cast<std::uint8_t>(r * 7 + f * 13 + salt);
    }
    return image;
}

class LinkTest : public ::testing::Test {
  protected:
    // The old link goes first, as it unhooks itself from the port and timers.
    void Make(LinkMode mode, Port* over = nullptr) {
        link.reset();
        observer.clock = &clock;
        link = std::make_unique<SerialLink>(mode, app, over ? *over : port, timers, observer);
    }
    // A link over a port with no radio behind it, for tests that play the
    // radio's part themselves, started and its first frame sent.
    SimPort& StartBare(LinkMode mode) {
        link.reset();
        barePort = std::make_unique<SimPort>(clock);
        Make(mode, barePort.get());
        EXPECT_EQ(link->Start(), StartResult::Started);
        clock.RunFor(Ms(kPumpMs));
        barePort->ClearSent();
        return *barePort;
    }
    void AddFault(const char* spec) {
        std::string error;
        const auto plan = ParseFaultSpec(spec, error);
        ASSERT_TRUE(plan) << error;
        radio.AddFault(*plan);
    }
    bool RunUntilFinished(VirtualClock::Micros limit = Ms(60'000)) {
        return clock.RunUntil([this] { return !observer.outcomes.empty(); }, limit);
    }
    void ExpectTimersStopped() {
        for (int t = 1; t <= kLinkTimerCount; ++t)
            EXPECT_FALSE(timers.IsRunning(LinkTimer(t))) << t;
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
