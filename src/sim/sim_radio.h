// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A radio that exists only in software: it answers the programming protocol from
// a 4096-byte memory, and can misbehave on purpose at a chosen frame. It knows
// nothing of time or transport: it takes the bytes the program sends, one at a
// time, and says what to send back and after how long. The in-process test port
// and the pseudo-terminal program zt790sim both drive it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/radio_image.h"

namespace zt {

enum class FaultKind {
    NoReply,      // the frame is taken but not answered
    ShortReply,   // only the first part of the reply is sent
    WrongAck,     // 0x15 instead of the answer (a wrong identifier for the identification)
    Noise,        // junk bytes before the answer
    Delay,        // the answer comes late, past the program's reply time-out
    NoStore,      // a write frame is acknowledged but not stored
    CorruptRead,  // one data byte of a read reply arrives changed
    Pull,         // the cable is pulled as the frame comes: it is not stored, and
                  // nothing is answered any more
};

// The frame a fault hits: the identification (answer to the programming
// request), a block number (read request or write frame of that block), or
// the power frame.
struct FaultTarget {
    enum class Kind { Ident, Block, Power } kind = Kind::Ident;
    int block = 0;
};

struct FaultPlan {
    FaultKind kind = FaultKind::NoReply;
    FaultTarget target;
    bool always = false;  // every time the frame comes; otherwise only the first time
    int delayMs = 1500;
    int noiseBytes = 3;
    int shortBytes = -1;  // bytes kept of a cut reply; -1 keeps half
    int corruptByte = 0;  // data byte (0..15) of a read reply that arrives changed

    bool fired = false;
};

// "KIND@FRAME[:always]" with KIND one of silent, short, bad-ack, noise, delay, no-store,
// corrupt, pull and
// FRAME one of ident, power or a block number 0..255, e.g. "silent@200",
// "delay@ident:always". Returns nullopt (with `error`) when it does not parse.
[[nodiscard]] std::optional<FaultPlan> ParseFaultSpec(std::string_view text, std::string& error);

struct SimReply {
    std::vector<std::uint8_t> bytes;
    int delayMs = 0;  // extra wait before the first byte
};

class SimRadio {
  public:
    SimRadio();  // the blank image every run of the program starts from
    explicit SimRadio(const Image& memory);

    void AddFault(const FaultPlan& plan) { faults_.push_back(plan); }
    void ClearFaults() { faults_.clear(); }

    // Takes one byte from the program; returns what to answer, if anything.
    [[nodiscard]] std::optional<SimReply> Receive(std::uint8_t byte);

    [[nodiscard]] const Image& Memory() const { return memory_; }
    [[nodiscard]] Image& Memory() { return memory_; }
    // Exchanges ended properly: a write by 'E', a power adjustment by 'b', a read
    // by the acknowledgement of block 253.
    [[nodiscard]] int SessionsCompleted() const { return sessions_; }
    [[nodiscard]] bool InProgrammingMode() const { return programming_; }
    // A pull fault has fired: the transport closes its line for good.
    [[nodiscard]] bool CablePulled() const { return pulled_; }

  private:
    std::optional<SimReply> Complete();
    std::optional<SimReply> Answer(FaultTarget target, std::vector<std::uint8_t> reply);
    // Whether a NoStore fault will take the write to `target` (Answer fires it).
    [[nodiscard]] bool DropsWrite(FaultTarget target) const;
    void EndSession();

    Image memory_{};
    std::vector<FaultPlan> faults_;
    std::vector<std::uint8_t> frame_;
    std::size_t expected_ = 0;
    bool programming_ = false;
    int lastReadBlock_ = -1;
    int sessions_ = 0;
    bool pulled_ = false;
};

}  // namespace zt
