#pragma once
// A programming cable that goes wrong on schedule: a Port between the link and
// the in-process simulated radio (a SimPort) that drops, delays, flips, adds,
// cuts, duplicates and echoes bytes, spoils or loses acknowledgements, and can
// be pulled out (the port closes under the link and will not open again until
// it is plugged back). Everything runs on the virtual clock, and receive
// notifications come from the clock, never from inside a Port call.

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <vector>

#include "fault_schedule.h"
#include "link/port.h"
#include "sim/sim_port.h"
#include "sim/virtual_clock.h"

namespace zt::reliability {

class FaultyLine final : public Port {
  public:
    FaultyLine(VirtualClock& clock, SimRadio& radio, const Schedule& schedule);
    ~FaultyLine() override;
    FaultyLine(const FaultyLine&) = delete;
    FaultyLine& operator=(const FaultyLine&) = delete;

    [[nodiscard]] bool Open(const PortSettings& settings, std::string& error) override;
    [[nodiscard]] bool IsOpen() const override { return plugged_ && inner_.IsOpen(); }
    void Close() override;
    [[nodiscard]] int BytesWaiting() const override { return static_cast<int>(rx_.size()); }
    [[nodiscard]] std::uint8_t ReadByte() override;
    void DiscardInput() override;
    void DiscardOutput() override {}
    void WriteByte(std::uint8_t byte) override;
    void SetReceiveHandler(std::function<void()> handler) override {
        onReceive_ = std::move(handler);
    }

    // When the cable was last pulled, if it was.
    [[nodiscard]] std::optional<VirtualClock::Micros> PulledAt() const { return pulledAt_; }
    [[nodiscard]] bool Plugged() const { return plugged_; }

  private:
    // A fault found at this byte index of this direction, once.
    const LineFault* Take(Direction direction, std::int64_t index, LineFaultKind kind);
    void FromRadio();
    void ToProgram(std::uint8_t byte);
    void ToRadio(std::uint8_t byte);
    void Pull(int replugMs);
    void Notify();
    void At(VirtualClock::Micros when, std::function<void()> action);

    VirtualClock& clock_;
    SimPort inner_;
    std::vector<LineFault> faults_;
    std::set<std::size_t> used_;
    VirtualClock::Micros byteTime_;
    std::int64_t toRadioCount_ = 0;
    std::int64_t toProgramCount_ = 0;
    int echoLeft_ = 0;
    int cutLeft_ = 0;
    bool spoilNextAck_ = false;
    bool loseNextAck_ = false;
    VirtualClock::Micros toRadioFreeAt_ = 0;  // a late byte holds back those behind it
    VirtualClock::Micros toProgramFreeAt_ = 0;
    bool plugged_ = true;
    std::optional<VirtualClock::Micros> pulledAt_;
    std::deque<std::uint8_t> rx_;
    std::optional<VirtualClock::EventId> notify_;
    std::vector<VirtualClock::EventId> pending_;
    std::function<void()> onReceive_;
};

}  // namespace zt::reliability
