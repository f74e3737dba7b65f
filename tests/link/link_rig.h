// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial link on a virtual clock, with a log of its port calls, runs of bytes
// sent, timers started and outcomes, in ms since the link was made:
// "15 sent 50 52 4F 47 52 41 4D 02", "1015 closed", "15 Reply 1000", "24060 Failed".

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../model/table.h"
#include "link/serial_link.h"
#include "model/blank_image.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::testing {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// Stands between the link and its port and timers, logging as it passes the
// calls on. Bytes sent at one time with no other port call between them form one run.
class LinkLog final : public Port, public LinkTimers {
  public:
    LinkLog(VirtualClock& clock, VirtualTimers& timers) : clock_(clock), timers_(timers) {}

    void Reset(SimPort& port) {
        lines.clear();
        runs.clear();
        runLine_.reset();
        port_ = &port;
        origin_ = clock_.Now();
    }
    void Add(const std::string& what) {
        lines.push_back(std::to_string((clock_.Now() - origin_) / 1000) + " " + what);
    }
    // The lines whose event starts with one of these words.
    [[nodiscard]] Lines Only(std::initializer_list<std::string_view> words) const {
        Lines kept;
        for (const std::string& line : lines)
            for (const auto w : words)
                if (line.substr(line.find(' ') + 1).starts_with(w)) kept.push_back(line);
        return kept;
    }

    bool Open(const PortSettings& settings, std::string& error) override {
        const bool ok = port_->Open(settings, error);
        Add(ok ? "opened" : "refused");
        return ok;
    }
    [[nodiscard]] bool IsOpen() const override { return port_->IsOpen(); }
    void Close() override {
        runLine_.reset();
        Add("closed");
        port_->Close();
    }
    [[nodiscard]] int BytesWaiting() const override { return port_->BytesWaiting(); }
    std::uint8_t ReadByte() override {
        runLine_.reset();
        return port_->ReadByte();
    }
    void DiscardInput() override {
        runLine_.reset();
        port_->DiscardInput();
    }
    void DiscardOutput() override { port_->DiscardOutput(); }
    void WriteByte(std::uint8_t byte) override {
        if (!runLine_ || runAt_ != clock_.Now()) {
            Add("sent");
            runs.emplace_back();
            runLine_ = lines.size() - 1;
            runAt_ = clock_.Now();
        }
        lines[*runLine_] += " " + Hex(Bytes{byte});
        runs.back().push_back(byte);
        port_->WriteByte(byte);
    }
    void SetReceiveHandler(std::function<void()> handler) override {
        port_->SetReceiveHandler(std::move(handler));
    }

    void Start(LinkTimer timer, int intervalMs) override {
        static const char* const names[] = {"", "Pump", "Reply", "Pause", "Close"};
        Add(names[static_cast<int>(timer)] + (" " + std::to_string(intervalMs)));
        timers_.Start(timer, intervalMs);
    }
    void Stop(LinkTimer timer) override { timers_.Stop(timer); }
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override {
        return timers_.IsRunning(timer);
    }
    void SetTickHandler(std::function<void(LinkTimer)> handler) override {
        timers_.SetTickHandler(std::move(handler));
    }

    Lines lines;
    std::vector<Bytes> runs;  // the runs of bytes sent, in order

  private:
    VirtualClock& clock_;
    VirtualTimers& timers_;
    SimPort* port_ = nullptr;
    VirtualClock::Micros origin_ = 0;
    std::optional<std::size_t> runLine_;  // the line of the run being sent
    VirtualClock::Micros runAt_ = 0;
};

struct RecordingObserver : ExchangeObserver {
    LinkLog* log = nullptr;
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
        log->Add(names[static_cast<int>(outcome)]);
    }
    void OnCloseDue() override { log->Add("close due"); }
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
        log.Reset(*sim);
        observer = RecordingObserver{};
        observer.log = &log;
        link = std::make_unique<SerialLink>(mode, app, log, log, observer);
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

    AppState app;
    VirtualClock clock;
    SimRadio radio{PatternImage()};
    VirtualTimers timers{clock};
    LinkLog log{clock, timers};
    RecordingObserver observer;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<SerialLink> link;
};

}  // namespace zt::testing
