// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial link on a virtual clock, traced, with its outcomes in the trace:
// "15 sent 50 52 4F 47 52 41 4D 02", "1015 closed", "15 Reply 1000", "24060 Failed".

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../model/table.h"
#include "link/link_trace.h"
#include "link/serial_link.h"
#include "model/blank_image.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::testing {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

struct RecordingObserver : ExchangeObserver {
    LinkTrace* log = nullptr;
    std::vector<int> progress;
    std::vector<LinkText> statuses;
    std::vector<LinkMessage> messages;
    std::vector<ExchangeOutcome> outcomes;
    std::vector<int> powerValues;
    std::vector<LinkStep> steps;

    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnStatus(const LinkText& label) override { statuses.push_back(label); }
    void OnStep(const LinkStep& step) override { steps.push_back(step); }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnPowerValues(int low, int mid, int high) override { powerValues = {low, mid, high}; }
    void OnFinished(ExchangeOutcome outcome) override {
        static const char* const names[] = {"Completed", "Failed", "PortFailed", "PowerEnded"};
        outcomes.push_back(outcome);
        log->Note(names[static_cast<int>(outcome)]);
    }
    void OnCloseDue() override { log->Note("close due"); }
};

// A radio memory where every byte tells its address, so misplaced blocks show.
inline Image PatternImage(int salt = 0) {
    Image image{};
    for (int r = 0; r < 256; ++r)
        for (int f = 0; f < 16; ++f) image[r][f] = static_cast<std::uint8_t>(r * 7 + f * 13 + salt);
    return image;
}

// The simulated radio, its port and the link's timers on one clock. Without a
// radio (bare) the test plays the radio's part with sim->Inject().
class LinkRig : public ::testing::Test {
  protected:
    // A new link with a fresh log and observer. The old link goes first, as it
    // unhooks itself from the port and timers.
    void Make(LinkMode mode, bool bare = false) {
        link.reset();
        sim = std::make_unique<SimPort>(clock, bare ? nullptr : &radio);
        log = std::make_unique<LinkTrace>(*sim, timers, [this] { return clock.Now() / 1000; });
        observer = RecordingObserver{};
        observer.log = log.get();
        link = std::make_unique<SerialLink>(mode, app, *log, *log, observer);
    }
    void AddFault(const char* spec) {
        std::string error;
        const auto plan = ParseFaultSpec(spec, error);
        ASSERT_TRUE(plan) << error;
        radio.AddFault(*plan);
    }
    // The runs of bytes sent, in hex.
    [[nodiscard]] Lines Sent() const {
        Lines hex;
        for (const std::string& line : log->Only({"sent"}))
            hex.push_back(line.substr(line.find("sent ") + 5));
        return hex;
    }
    bool RunUntilFinished(VirtualClock::Micros limit = Ms(60'000)) {
        return clock.RunUntil([this] { return !observer.outcomes.empty(); }, limit);
    }

    AppState app;
    VirtualClock clock;
    SimRadio radio{PatternImage()};
    VirtualTimers timers{clock};
    std::unique_ptr<LinkTrace> log;
    RecordingObserver observer;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<SerialLink> link;
};

}  // namespace zt::testing
