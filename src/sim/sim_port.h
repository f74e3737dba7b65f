// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An in-process serial port on a VirtualClock. What the program writes goes to
// an attached SimRadio (if any) and is logged; the radio's answers come back at
// the byte time of the line (zero by default), each delivery raising a receive
// notification from the clock, never from inside a Port call. Tests may also
// inject bytes directly and make opening fail. A faulty cable (LineFaults) may
// stand between the program and the radio.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "link/port.h"
#include "sim/line_faults.h"
#include "sim/sim_radio.h"
#include "sim/virtual_clock.h"

namespace zt {

class SimPort final : public Port {
  public:
    explicit SimPort(VirtualClock& clock, SimRadio* radio = nullptr);
    ~SimPort() override;

    [[nodiscard]] bool Open(const PortSettings& settings, std::string& error) override;
    [[nodiscard]] bool IsOpen() const override { return open_; }
    void Close() override;
    [[nodiscard]] int BytesWaiting() const override { return static_cast<int>(rx_.size()); }
    [[nodiscard]] std::uint8_t ReadByte() override;
    void DiscardInput() override { rx_.clear(); }
    void DiscardOutput() override {}
    void WriteByte(std::uint8_t byte) override;
    void SetReceiveHandler(std::function<void()> handler) override {
        onReceive_ = std::move(handler);
    }

    // Test controls.
    void SetByteTimeMicros(VirtualClock::Micros micros) { byteTime_ = micros; }
    void FailOpen(bool fail) { failOpen_ = fail; }
    // The cable to the radio goes wrong as `faults` say, from the next byte on.
    void SetLineFaults(std::vector<LineFault> faults) { line_.emplace(std::move(faults)); }
    [[nodiscard]] const std::optional<LineFaults>& Line() const { return line_; }
    // Bytes arriving now, as one delivery (dropped while the port is closed).
    void Inject(const std::vector<std::uint8_t>& bytes);
    [[nodiscard]] const std::vector<std::uint8_t>& Sent() const { return sent_; }
    void ClearSent() { sent_.clear(); }
    [[nodiscard]] const std::optional<PortSettings>& LastSettings() const { return settings_; }

  private:
    void ToRadio(std::uint8_t byte);
    void Deliver(const std::vector<std::uint8_t>& bytes);
    // Runs `action` at `at` (now: at once) unless the cable is pulled meanwhile.
    void At(VirtualClock::Micros at, std::function<void()> action);
    void Notify();

    VirtualClock& clock_;
    SimRadio* radio_;
    bool open_ = false;
    bool failOpen_ = false;
    std::optional<PortSettings> settings_;
    std::deque<std::uint8_t> rx_;
    std::vector<std::uint8_t> sent_;
    VirtualClock::Micros byteTime_ = 0;
    VirtualClock::Micros lineFreeAt_ = 0;  // when the radio's last queued byte is out
    std::optional<VirtualClock::EventId> notify_;
    std::vector<VirtualClock::EventId> pending_;
    std::function<void()> onReceive_;
    std::optional<LineFaults> line_;
    int pulls_ = 0;  // what was on the wire when the cable went is lost
};

}  // namespace zt
