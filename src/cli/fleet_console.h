// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress of several radios at once on standard error: on a terminal one line
// per radio, redrawn in place (at most ten times a second); otherwise plain
// lines, each starting with the radio's port, at every tenth percent and at
// every change of phase or message. Messages in English.

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "link/exchange_observer.h"

namespace zt::ctl {

class FleetConsole {
  public:
    // `columns`: the terminal's width; longer lines are cut so that each radio
    // keeps exactly one line.
    FleetConsole(std::vector<std::string> ports, std::ostream& out, bool terminal,
                 int columns = 80);
    ~FleetConsole();
    FleetConsole(const FleetConsole&) = delete;
    FleetConsole& operator=(const FleetConsole&) = delete;

    // What radio `index`'s exchanges report.
    [[nodiscard]] ExchangeObserver& Observer(int index);
    // The exchange the radio runs now: "read", "backup", "write", "verify".
    void SetPhase(int index, const std::string& phase);
    // The radio is done (`ok`: it succeeded); `result` is what the report will say.
    void Finish(int index, bool ok, const std::string& result);
    // Redraws the terminal lines if they are due. Call after every event.
    void Tick();
    // The last drawing, before the report.
    void Close();

  private:
    class RadioObserver;
    struct Line {
        std::string port;
        std::string phase;
        int percent = -1;
        int lastPrinted = -10;
        std::string label;
        bool finished = false;
        bool ok = false;
    };
    enum class Event { Progress, Status, Message, Phase };
    void Changed(int index, Event event);
    void Print(const Line& line);
    void Draw();

    std::ostream& out_;
    bool terminal_;
    int columns_;
    std::size_t portWidth_ = 0;
    std::vector<Line> lines_;
    std::vector<std::unique_ptr<RadioObserver>> observers_;
    bool drawn_ = false;
    bool dirty_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace zt::ctl
