// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A programming cable that goes wrong on schedule, to rehearse a bad cable:
// bytes lost, late, changed, added or doubled, the program's bytes echoed back,
// acknowledgements spoilt or lost, the cable pulled. It knows nothing of
// transport or clocks: it is told each byte that enters the line and when, and
// says what comes out at which end and when. The in-process port and the
// pseudo-terminal of zt790sim both put it between the program and the radio.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

enum class Direction { ToRadio, ToProgram };

enum class LineFaultKind {
    Drop,        // the byte is lost
    Late,        // the byte (and everything behind it) arrives `param` ms late
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
    std::int64_t at = 0;  // index of the byte in its direction, counted from the start
    int param = 0;
};

// "KIND[:VALUE]@to-radio:N" or "...@to-program:N": byte N (from 0) on its way
// there, e.g. "drop@to-radio:12", "late:3000@to-program:100", "pull@to-radio:500".
// Returns nullopt (with `error`) when it does not parse.
[[nodiscard]] std::optional<LineFault> ParseLineFault(std::string_view text, std::string& error);

class LineFaults {
  public:
    using Micros = std::int64_t;
    struct Delivery {
        Direction direction;
        std::uint8_t byte;
        Micros at;
    };

    explicit LineFaults(std::vector<LineFault> faults) : faults_(std::move(faults)) {}

    // A byte the program sends at `now`; an echo comes back `byteTime` later.
    // Nothing comes out while the cable is out, or when this byte pulls it.
    [[nodiscard]] std::vector<Delivery> FromProgram(std::uint8_t byte, Micros now, Micros byteTime);
    // A byte the radio puts on the line at `now` (calls in order of time).
    [[nodiscard]] std::vector<Delivery> FromRadio(std::uint8_t byte, Micros now);

    // When the cable was last pulled, if it was.
    [[nodiscard]] std::optional<Micros> PulledAt() const { return pulledAt_; }
    [[nodiscard]] bool Plugged(Micros now) const {
        return !pulledAt_ || (replugMs_ >= 0 && now >= *pulledAt_ + replugMs_ * 1000);
    }
    [[nodiscard]] bool PulledForGood() const { return pulledAt_ && replugMs_ < 0; }

  private:
    [[nodiscard]] const LineFault* Hit(Direction d, std::int64_t at, LineFaultKind kind) const;
    void Pass(Direction d, std::int64_t at, std::uint8_t byte, Micros now,
              std::vector<Delivery>& out);
    // Now, or behind a late byte.
    void Send(Direction d, std::uint8_t byte, Micros now, std::vector<Delivery>& out) const;

    std::vector<LineFault> faults_;
    std::int64_t count_[2] = {};  // bytes so far, by direction
    Micros freeAt_[2] = {};       // a late byte holds back those behind it
    int echoLeft_ = 0;
    int cutLeft_ = 0;
    bool spoilNextAck_ = false;
    bool loseNextAck_ = false;
    std::optional<Micros> pulledAt_;
    int replugMs_ = -1;
};

}  // namespace zt
