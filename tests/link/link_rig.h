// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial link on a virtual clock, with a log of what it did and when: each
// port opening and closing, each run of bytes it sent (a frame, an
// acknowledgement, an end byte), each timer it started and each outcome, in
// whole milliseconds of the clock: "15 sent 50 52 4F 47 52 41 4D 02",
// "1015 closed", "15 Reply 1000", "24060 Failed".

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "link/serial_link.h"
#include "model/blank_image.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::string Hex(const Bytes& bytes) {
    std::string text;
    for (const std::uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%02X", b);
        text += (text.empty() ? "" : " ") + std::string(two);
    }
    return text;
}

struct LinkLog {
    explicit LinkLog(VirtualClock& c) : clock(c) {}

    VirtualClock& clock;
    VirtualClock::Micros origin = 0;  // times are counted from here
    std::vector<std::string> lines;
    std::vector<Bytes> runs;  // the byte runs sent, in order
    std::size_t runLine = 0;  // the line of the run being sent, if inRun
    VirtualClock::Micros runAt = 0;
    bool inRun = false;

    void Add(const std::string& what) {
        lines.push_back(std::to_string((clock.Now() - origin) / 1000) + " " + what);
    }
    // The lines that start with one of these words after the time.
    [[nodiscard]] std::vector<std::string> Only(std::initializer_list<const char*> words) const {
        std::vector<std::string> kept;
        for (const std::string& line : lines) {
            const std::string what = line.substr(line.find(' ') + 1);
            for (const char* w : words) {
                if (what.starts_with(w)) kept.push_back(line);
            }
        }
        return kept;
    }
};

// A SimPort whose calls are logged; bytes sent at one time with no other port
// call between them form one run.
class LoggedPort final : public Port {
  public:
    LoggedPort(SimPort& inner, LinkLog& log) : inner_(inner), log_(log) {}
    bool Open(const PortSettings& settings, std::string& error) override {
        const bool ok = inner_.Open(settings, error);
        log_.Add(ok ? "opened" : "refused");
        return ok;
    }
    [[nodiscard]] bool IsOpen() const override { return inner_.IsOpen(); }
    void Close() override {
        log_.inRun = false;
        log_.Add("closed");
        inner_.Close();
    }
    [[nodiscard]] int BytesWaiting() const override { return inner_.BytesWaiting(); }
    std::uint8_t ReadByte() override {
        log_.inRun = false;
        return inner_.ReadByte();
    }
    void DiscardInput() override {
        log_.inRun = false;
        inner_.DiscardInput();
    }
    void DiscardOutput() override { inner_.DiscardOutput(); }
    void WriteByte(std::uint8_t byte) override {
        if (!log_.inRun || log_.runAt != log_.clock.Now()) {
            log_.Add("sent");
            log_.runs.emplace_back();
            log_.runLine = log_.lines.size() - 1;
            log_.runAt = log_.clock.Now();
            log_.inRun = true;
        }
        log_.lines[log_.runLine] += " " + Hex({byte});
        log_.runs.back().push_back(byte);
        inner_.WriteByte(byte);
    }
    void SetReceiveHandler(std::function<void()> handler) override {
        inner_.SetReceiveHandler(std::move(handler));
    }

  private:
    SimPort& inner_;
    LinkLog& log_;
};

class LoggedTimers final : public LinkTimers {
  public:
    LoggedTimers(VirtualTimers& inner, LinkLog& log) : inner_(inner), log_(log) {}
    void Start(LinkTimer timer, int intervalMs) override {
        static const char* const names[] = {"", "Pump", "Reply", "Pause", "Close"};
        log_.Add(std::string(names[static_cast<int>(timer)]) + " " + std::to_string(intervalMs));
        inner_.Start(timer, intervalMs);
    }
    void Stop(LinkTimer timer) override { inner_.Stop(timer); }
    [[nodiscard]] bool IsRunning(LinkTimer timer) const override { return inner_.IsRunning(timer); }
    void SetTickHandler(std::function<void(LinkTimer)> handler) override {
        inner_.SetTickHandler(std::move(handler));
    }

  private:
    VirtualTimers& inner_;
    LinkLog& log_;
};

struct RecordingObserver : ExchangeObserver {
    LinkLog* log = nullptr;
    std::vector<int> progress;
    std::vector<LinkText> statuses;
    std::vector<LinkMessage> messages;
    std::vector<ExchangeOutcome> outcomes;
    std::vector<int> powerValues;

    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnStatus(const LinkText& label) override { statuses.push_back(label); }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnPowerValues(int low, int mid, int high) override { powerValues = {low, mid, high}; }
    void OnFinished(ExchangeOutcome outcome) override {
        static const char* const names[] = {"Completed", "Failed", "PortFailed", "PowerEnded"};
        outcomes.push_back(outcome);
        if (log) log->Add(names[static_cast<int>(outcome)]);
    }
    void OnCloseDue() override {
        if (log) log->Add("close due");
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

// The radio, its port and the link's timers on one clock, everything logged.
// Without a radio (bare) the test plays the radio's part with Inject().
class LinkRig : public ::testing::Test {
  protected:
    // A new link with a fresh log and observer. The old link goes first, as it
    // unhooks itself from the port and timers.
    void Make(LinkMode mode, bool bare = false) {
        link.reset();
        log.lines.clear();
        log.runs.clear();
        log.origin = clock.Now();
        observer = RecordingObserver{};
        observer.log = &log;
        sim = std::make_unique<SimPort>(clock, bare ? nullptr : &radio);
        port = std::make_unique<LoggedPort>(*sim, log);
        link = std::make_unique<SerialLink>(mode, app, *port, loggedTimers, observer);
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
    LinkLog log{clock};
    SimRadio radio{PatternImage()};
    VirtualTimers timers{clock};
    LoggedTimers loggedTimers{timers, log};
    RecordingObserver observer;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<LoggedPort> port;
    std::unique_ptr<SerialLink> link;
};

}  // namespace zt::testing
