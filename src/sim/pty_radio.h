// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated radio behind a pseudo-terminal: a program opens the device path
// like a serial port and talks to the radio as it would over a cable.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/line_faults.h"
#include "sim/sim_radio.h"

namespace zt {

struct PtyRadioOptions {
    // Send and take bytes at the pace of 9600 baud (10 bits a byte) instead of
    // as fast as the pseudo-terminal goes.
    bool pace = false;
    // Stop after this many completed exchanges; 0 runs until Stop().
    int sessions = 0;
    // Told the running count each time an exchange ends properly.
    std::function<void(int)> onSessionEnd;
    // A faulty cable between the terminal and the radio, its bytes counted from
    // the start of Run. A cable pulled for good closes the terminal as the
    // radio's own pull fault does; one plugged back carries nothing meanwhile.
    std::vector<LineFault> line;
};

class PtyRadio {
  public:
    explicit PtyRadio(SimRadio& radio) : radio_(radio) {}
    ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    // Opens the pseudo-terminal; returns its device path, or "" with `error`.
    [[nodiscard]] std::string Open(std::string& error);
    // Serves the radio until the session count is reached or `stop` turns true.
    // Returns false with `error` on an I/O failure.
    bool Run(const PtyRadioOptions& options, const volatile bool& stop, std::string& error);

  private:
    using Clock = std::chrono::steady_clock;
    struct Timed {
        Clock::time_point at;
        std::uint8_t byte;
    };
    void Take(std::uint8_t byte, Clock::time_point now, const PtyRadioOptions& options);
    void Answer(std::uint8_t byte, Clock::time_point now, const PtyRadioOptions& options);
    bool Flush(Clock::time_point now, std::string& error);
    // Through the faulty cable, if any, to the queue of its end.
    void Put(const std::vector<LineFaults::Delivery>& deliveries);
    [[nodiscard]] LineFaults::Micros LineTime(Clock::time_point t) const;

    SimRadio& radio_;
    int master_ = -1;
    int slave_ = -1;
    std::deque<Timed> in_;   // bytes on their way to the radio
    std::deque<Timed> out_;  // the radio's answer, byte by byte
    Clock::time_point inFree_{};
    Clock::time_point outFree_{};
    std::optional<LineFaults> line_;
    Clock::time_point origin_{};  // the line's time 0
};

}  // namespace zt
