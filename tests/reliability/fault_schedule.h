#pragma once
// A fault schedule for one run of the reliability campaign: which bytes on the
// cable go wrong and how, and how the radio itself misbehaves. A schedule is
// made from a seed alone, so any run can be replayed from the seed it prints.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_radio.h"

namespace zt::reliability {

enum class Exchange { Read, Write };

// Which way a byte travels on the cable.
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

struct Schedule {
    std::uint64_t seed = 0;
    Exchange exchange = Exchange::Read;
    bool paced = false;  // bytes at 9600 baud rather than all at once
    std::vector<LineFault> line;
    std::vector<FaultPlan> radio;
};

// True for faults that can hand the program wrong bytes the protocol cannot
// tell from right ones (it has no checksum): flipped, extra, duplicated or
// echoed bytes, and a radio that acknowledges without storing. Only these may
// make an unverified run end with a wrong result.
[[nodiscard]] bool CanCorruptSilently(const Schedule& schedule);

[[nodiscard]] Schedule MakeSchedule(std::uint64_t seed);
[[nodiscard]] std::string Describe(const Schedule& schedule);

// A radio memory of random bytes, and an image that passes the write's
// frequency-limit checks (channels in 400..470 MHz or empty).
[[nodiscard]] Image RandomMemory(std::mt19937_64& rng);
[[nodiscard]] Image RandomWritableImage(std::mt19937_64& rng);

}  // namespace zt::reliability
