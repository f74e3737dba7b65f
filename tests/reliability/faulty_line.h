// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A programming cable that goes wrong on schedule, between the link and the
// simulated radio. Both ends are SimPorts, so receive notifications come from
// the clock, never from inside a Port call.

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "sim/sim_port.h"

namespace zt::reliability {

enum class Direction { ToRadio, ToProgram };

enum class LineFaultKind {
    Drop,        // the byte is lost
    Late,        // the byte (and everything behind it) arrives `param` ms late, past the time-out
    Flip,        // the byte arrives with the bits of `param` inverted
    Extra,       // the byte `param` arrives before it
    Short,       // the byte and the `param` - 1 bytes after it are lost (a cut reply)
    Duplicate,   // the byte arrives twice
    Echo,        // the cable echoes the program's next `param` bytes back to it
    WrongAck,    // the next acknowledgement from here on arrives as 0x15
    MissingAck,  // the next acknowledgement from here on is lost
    Pull,        // the cable is pulled; plugged back `param` ms later (-1: never)
};

struct LineFault {
    LineFaultKind kind = LineFaultKind::Drop;
    Direction direction = Direction::ToProgram;
    std::int64_t at = 0;  // index of the byte in its direction, counted over the whole run
    int param = 0;
};

class FaultyLine final : public Port {
  public:
    using Micros = VirtualClock::Micros;
    // It schedules actions on `clock` that it never cancels, so it must outlive
    // every run of the clock. `paced`: bytes at 9600 baud (10 bits a byte).
    FaultyLine(VirtualClock& clock, SimRadio& radio, std::vector<LineFault> faults, bool paced)
        : clock_(clock),
          radio_(clock, &radio),
          program_(clock),
          faults_(std::move(faults)),
          byteTime_(paced ? 1042 : 0) {
        radio_.SetByteTimeMicros(byteTime_);
        radio_.SetReceiveHandler([this] { FromRadio(); });
    }

    [[nodiscard]] bool Open(const PortSettings& settings, std::string& error) override {
        if (!plugged_) error = "the programming cable is unplugged";
        return plugged_ && radio_.Open(settings, error) && program_.Open(settings, error);
    }
    [[nodiscard]] bool IsOpen() const override { return program_.IsOpen(); }
    void Close() override {
        radio_.Close();
        program_.Close();
    }
    [[nodiscard]] int BytesWaiting() const override { return program_.BytesWaiting(); }
    [[nodiscard]] std::uint8_t ReadByte() override { return program_.ReadByte(); }
    void DiscardInput() override {
        program_.DiscardInput();
        radio_.DiscardInput();
    }
    void DiscardOutput() override {}
    void SetReceiveHandler(std::function<void()> handler) override {
        program_.SetReceiveHandler(std::move(handler));
    }
    void WriteByte(std::uint8_t byte) override {
        if (!IsOpen()) return;
        const Direction d = Direction::ToRadio;
        const std::int64_t at = count_[0]++;
        if (const LineFault* f = Hit(d, at, LineFaultKind::Pull)) {
            plugged_ = false;
            pulledAt_ = clock_.Now();
            Close();
            if (f->param >= 0)
                clock_.Schedule(clock_.Now() + Ms(f->param), [this] { plugged_ = true; });
            return;
        }
        if (const LineFault* f = Hit(d, at, LineFaultKind::Echo)) echoLeft_ = f->param;
        if (echoLeft_ > 0) {
            --echoLeft_;
            clock_.Schedule(clock_.Now() + byteTime_,
                            [this, byte] { Send(Direction::ToProgram, byte); });
        }
        if (!Hit(d, at, LineFaultKind::Drop)) Pass(d, at, byte);
    }

    // When the cable was last pulled, if it was.
    [[nodiscard]] std::optional<Micros> PulledAt() const { return pulledAt_; }
    [[nodiscard]] bool Plugged() const { return plugged_; }

  private:
    // The first fault of a kind at byte `at` of a direction.
    [[nodiscard]] const LineFault* Hit(Direction d, std::int64_t at, LineFaultKind kind) const {
        for (const LineFault& f : faults_)
            if (f.direction == d && f.at == at && f.kind == kind) return &f;
        return nullptr;
    }

    void FromRadio() {
        const Direction d = Direction::ToProgram;
        while (radio_.BytesWaiting() > 0) {
            std::uint8_t byte = radio_.ReadByte();
            const std::int64_t at = count_[1]++;
            if (cutLeft_ > 0) {
                --cutLeft_;
                continue;
            }
            if (const LineFault* f = Hit(d, at, LineFaultKind::Short)) {
                cutLeft_ = f->param - 1;
                continue;
            }
            if (Hit(d, at, LineFaultKind::Drop)) continue;
            spoilNextAck_ = spoilNextAck_ || Hit(d, at, LineFaultKind::WrongAck);
            loseNextAck_ = loseNextAck_ || Hit(d, at, LineFaultKind::MissingAck);
            if (byte == 0x06 && (loseNextAck_ || spoilNextAck_)) {
                if (std::exchange(loseNextAck_, false)) continue;
                spoilNextAck_ = false;
                byte = 0x15;
            }
            Pass(d, at, byte);
        }
    }

    // Late, flipped, extra and duplicated bytes, alike both ways.
    void Pass(Direction d, std::int64_t at, std::uint8_t byte) {
        Micros& freeAt = freeAt_[static_cast<int>(d)];
        if (const LineFault* f = Hit(d, at, LineFaultKind::Late))
            freeAt = std::max(clock_.Now(), freeAt) + Ms(f->param);
        if (const LineFault* f = Hit(d, at, LineFaultKind::Flip))
            byte ^= static_cast<std::uint8_t>(f->param);
        if (const LineFault* f = Hit(d, at, LineFaultKind::Extra))
            Send(d, static_cast<std::uint8_t>(f->param));
        Send(d, byte);
        if (Hit(d, at, LineFaultKind::Duplicate)) Send(d, byte);
    }

    // Now, or behind a late byte; what is on the wire when the cable goes is lost.
    void Send(Direction d, std::uint8_t byte) {
        const auto deliver = [this, d, byte] {
            if (!IsOpen()) return;
            if (d == Direction::ToRadio) return radio_.WriteByte(byte);
            program_.Inject({byte});
        };
        const Micros freeAt = freeAt_[static_cast<int>(d)];
        if (freeAt <= clock_.Now()) return deliver();
        clock_.Schedule(freeAt, deliver);
    }

    VirtualClock& clock_;
    SimPort radio_;    // the radio's end
    SimPort program_;  // the program's end: what the link reads
    std::vector<LineFault> faults_;
    Micros byteTime_;
    std::array<std::int64_t, 2> count_{};  // bytes so far, by direction
    std::array<Micros, 2> freeAt_{};       // a late byte holds back those behind it
    int echoLeft_ = 0;
    int cutLeft_ = 0;
    bool spoilNextAck_ = false;
    bool loseNextAck_ = false;
    bool plugged_ = true;
    std::optional<Micros> pulledAt_;
};

}  // namespace zt::reliability
