#pragma once
// A started main window whose read, write and power windows talk to the
// in-process simulated radio on a virtual clock, so whole exchanges, time-outs
// and pauses run in no real time.

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <vector>

#include "sim/sim_port.h"
#include "sim/sim_radio.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_timers.h"
#include "ui/exchange_support.h"
#include "ui_test_support.h"

namespace zt::test {

// Hands every call on to a port the test keeps, so the test can still look at a
// port after the window that used it is gone.
class PortRef final : public Port {
  public:
    explicit PortRef(SimPort& port) : port_(port) {}
    ~PortRef() override { port_.SetReceiveHandler(nullptr); }
    [[nodiscard]] bool Open(const PortSettings& s, std::string& e) override {
        return port_.Open(s, e);
    }
    [[nodiscard]] bool IsOpen() const override { return port_.IsOpen(); }
    void Close() override { port_.Close(); }
    [[nodiscard]] int BytesWaiting() const override { return port_.BytesWaiting(); }
    [[nodiscard]] std::uint8_t ReadByte() override { return port_.ReadByte(); }
    void DiscardInput() override { port_.DiscardInput(); }
    void DiscardOutput() override { port_.DiscardOutput(); }
    void WriteByte(std::uint8_t b) override { port_.WriteByte(b); }
    void SetReceiveHandler(std::function<void()> h) override {
        port_.SetReceiveHandler(std::move(h));
    }

  private:
    SimPort& port_;
};

class ExchangeWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        main->linkDevices = [this] {
            ports.push_back(std::make_unique<SimPort>(clock, &radio));
            ports.back()->FailOpen(failOpen);
            return LinkDevices{std::make_unique<PortRef>(*ports.back()),
                               std::make_unique<VirtualTimers>(clock)};
        };
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        ports.clear();
    }

    // The port of the window opened last.
    [[nodiscard]] SimPort& port() { return *ports.back(); }

    // Runs the radio and the windows until `done` holds, at most `limitMs` of
    // virtual time; Qt's own queued calls (a window closing itself) run between
    // the clock's events.
    bool runUntil(const std::function<bool()>& done, int limitMs = 60'000) {
        return clock.RunUntil(
            [&] {
                settle();
                return done();
            },
            Ms(limitMs));
    }
    void runFor(int ms) {
        clock.RunFor(Ms(ms));
        settle();
    }

    VirtualClock clock;
    SimRadio radio;
    bool failOpen = false;
    std::vector<std::unique_ptr<SimPort>> ports;
};

}  // namespace zt::test
