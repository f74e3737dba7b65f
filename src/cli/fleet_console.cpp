// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fleet_console.h"

#include <algorithm>
#include <cstdio>

#include "cli/step_text.h"

namespace zt::ctl {

class FleetConsole::RadioObserver final : public ExchangeObserver {
  public:
    RadioObserver(FleetConsole& console, int index) : console_(console), index_(index) {}
    void OnProgress(int percent) override {
        console_.lines_[index_].percent = percent;
        console_.Changed(index_, Event::Progress);
    }
    void OnStep(const LinkStep& step) override {
        using Kind = LinkStep::Kind;
        Line& line = console_.lines_[index_];
        line.label = StepText(step);
        if (step.kind == Kind::ReadDone || step.kind == Kind::WriteDone) line.percent = 100;
        if (step.kind == Kind::Connecting) {  // a retry starts again from the first block
            line.percent = 0;
            line.lastPrinted = -10;
        }
        const bool block = step.kind == Kind::Reading || step.kind == Kind::Writing;
        console_.Changed(index_, block ? Event::Status : Event::Message);
    }
    // A message box of the program becomes the radio's status; the report
    // says what came of it.
    void OnMessage(const LinkMessage& message) override {
        // The steps say these.
        if (message.kind == LinkMessageKind::ReadComplete ||
            message.kind == LinkMessageKind::FailConnect)
            return;
        // The report names the port, the system's reason and what to do.
        console_.lines_[index_].label = message.kind == LinkMessageKind::PortError
                                            ? "cannot open the port"
                                            : message.text.english;
        console_.Changed(index_, Event::Message);
    }

  private:
    FleetConsole& console_;
    int index_;
};

FleetConsole::FleetConsole(std::vector<std::string> ports, std::ostream& out, bool terminal,
                           int columns)
    : out_(out), terminal_(terminal), columns_(columns) {
    for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
        portWidth_ = std::max(portWidth_, ports[i].size());
        Line line;
        line.port = std::move(ports[i]);
        lines_.push_back(std::move(line));
        observers_.push_back(std::make_unique<RadioObserver>(*this, i));
    }
}

FleetConsole::~FleetConsole() = default;

ExchangeObserver& FleetConsole::Observer(int index) { return *observers_[index]; }

void FleetConsole::SetPhase(int index, const std::string& phase) {
    Line& line = lines_[index];
    if (line.phase == phase) return;
    line.phase = phase;
    line.percent = -1;
    line.lastPrinted = -10;
    line.label.clear();
    Changed(index, Event::Phase);
}

void FleetConsole::Finish(int index, bool ok, const std::string& result) {
    Line& line = lines_[index];
    line.finished = true;
    line.ok = ok;
    line.phase = ok ? "done" : "FAILED";
    line.label = result;
    Changed(index, Event::Message);
}

void FleetConsole::Changed(int index, Event event) {
    if (terminal_) {
        dirty_ = true;
        return;
    }
    // Plain lines: every message and end; of the statuses the first of a phase,
    // one every tenth percent, and the last.
    Line& line = lines_[index];
    switch (event) {
        case Event::Progress:
        case Event::Phase:
            return;
        case Event::Status:
            if (line.percent > 0 && line.percent < 100 && line.percent < line.lastPrinted + 10)
                return;
            if (line.percent >= 0) line.lastPrinted = line.percent;
            break;
        case Event::Message:
            break;
    }
    Print(line);
}

void FleetConsole::Print(const Line& line) {
    std::string text = line.port + ": " + line.phase;
    if (!line.finished && line.percent >= 0) text += " " + std::to_string(line.percent) + "%";
    out_ << text << " " << line.label << "\n";
}

void FleetConsole::Tick() {
    if (!terminal_ || !dirty_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    Draw();
}

void FleetConsole::Draw() {
    constexpr int kWidth = 20;
    // Back to the first line of the previous drawing.
    if (drawn_) out_ << "\033[" << lines_.size() << "F";
    for (const Line& line : lines_) {
        const int p = std::clamp(line.ok ? 100 : line.percent, 0, 100);
        const int filled = p * kWidth / 100;
        char percent[8];
        std::snprintf(percent, sizeof percent, "%3d%%", p);
        std::string phase = line.phase.empty() ? "wait" : line.phase;
        phase.resize(std::max<std::size_t>(phase.size(), 6), ' ');
        std::string text = line.port + std::string(portWidth_ - line.port.size(), ' ') + "  " +
                           phase + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                           std::string(static_cast<std::size_t>(kWidth - filled), '.') + "] " +
                           percent + "  " + line.label;
        // A line that wrapped would throw the redrawing off by a line.
        if (columns_ > 1 && text.size() >= static_cast<std::size_t>(columns_))
            text.resize(static_cast<std::size_t>(columns_ - 1));
        out_ << "\r" << text << "\033[K\n";
    }
    out_ << std::flush;
    drawn_ = true;
    dirty_ = false;
}

void FleetConsole::Close() {
    if (terminal_ && (dirty_ || !drawn_)) Draw();
    out_ << std::flush;
}

}  // namespace zt::ctl
