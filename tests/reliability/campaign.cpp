#include "campaign.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

#include "faulty_line.h"
#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/startup.h"
#include "sim/virtual_timers.h"

namespace zt::reliability {

namespace {

using Micros = VirtualClock::Micros;

// How long the link is watched after it has reported its end, to see that it
// stays ended (a retry that fires anyway would show here).
constexpr Micros kAfterEnd = Ms(kPauseMs + 2 * kReplyMs);
// A cable pulled mid-transfer ends the exchange within this.
constexpr Micros kPulledCableEnd = Ms(2000);

struct Recorder : ExchangeObserver {
    explicit Recorder(VirtualClock& c) : clock(c) {}
    void OnMessage(const LinkMessage& message) override { messages.push_back(message); }
    void OnFinished(ExchangeOutcome o) override {
        if (!outcome) {
            outcome = o;
            finishedAt = clock.Now();
        }
        ++finishedCount;
    }

    VirtualClock& clock;
    std::vector<LinkMessage> messages;
    std::optional<ExchangeOutcome> outcome;
    Micros finishedAt = 0;
    int finishedCount = 0;
};

struct Rig {
    Rig(const Schedule& s, const Image& memory) : radio(memory), line(clock, radio, s) {
        for (const FaultPlan& plan : s.radio) radio.AddFault(plan);
    }
    VirtualClock clock;
    SimRadio radio;
    FaultyLine line;
    VirtualTimers timers{clock};
};

struct ExchangeRun {
    StartResult start = StartResult::Started;
    std::optional<ExchangeOutcome> outcome;
    bool hung = false;
    std::string problem;
};

// The longest one exchange may take: four attempts of a whole pass, the reply
// time-out and the pause, plus every delay the schedule injects.
Micros TimeBound(const Schedule& s, LinkMode mode) {
    const Micros byte = s.paced ? 1042 : 0;
    const int blocks = mode == LinkMode::Read ? kReadBlocks : kWriteBlocks;
    const Micros pass = blocks * (Ms(kPumpMs) + 30 * byte) + Ms(100);
    Micros bound = (kRetries + 1) * (pass + Ms(kPumpMs + kReplyMs + kPauseMs)) + Ms(1000);
    for (const LineFault& f : s.line) {
        if (f.kind == LineFaultKind::Late) bound += Ms(f.param);
    }
    for (const FaultPlan& p : s.radio) {
        if (p.kind == FaultKind::Delay) bound += (kRetries + 1) * Ms(p.delayMs);
    }
    return bound;
}

int Count(const std::vector<LinkMessage>& messages, LinkMessageKind kind) {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [kind](const LinkMessage& m) { return m.kind == kind; }));
}

ExchangeRun RunExchange(Rig& rig, const Schedule& s, LinkMode mode, AppState& app) {
    Recorder rec(rig.clock);
    ExchangeRun run;
    SerialLink link(mode, app, rig.line, rig.timers, rec);
    const Micros began = rig.clock.Now();
    const auto pulledBefore = rig.line.PulledAt();
    run.start = link.Start();
    if (run.start != StartResult::Started) {
        // The cable may already be out when a verifying pass starts.
        if (run.start == StartResult::PortFailed &&
            Count(rec.messages, LinkMessageKind::PortError) == 1) {
            run.outcome = ExchangeOutcome::PortFailed;
        } else {
            run.problem = "start refused";
        }
        return run;
    }
    const Micros bound = TimeBound(s, mode);
    if (!rig.clock.RunUntil([&] { return rec.outcome.has_value(); }, bound)) {
        run.hung = true;
        return run;
    }
    run.outcome = rec.outcome;
    // Stays ended: nothing more is reported while the clock runs on.
    const std::size_t messages = rec.messages.size();
    rig.clock.RunFor(kAfterEnd);
    std::ostringstream problem;
    if (rec.finishedCount != 1 || rec.messages.size() != messages) {
        problem << "reported again after its end; ";
    }
    if (rig.line.IsOpen()) problem << "port left open; ";
    if (link.InProgress()) problem << "still busy; ";
    for (int t = 1; t <= kLinkTimerCount; ++t) {
        const auto timer = static_cast<LinkTimer>(t);
        if (timer != LinkTimer::Close && rig.timers.IsRunning(timer)) {
            problem << "timer " << t << " still running; ";
        }
    }
    switch (*run.outcome) {
        case ExchangeOutcome::Completed:
            if (link.State() != LinkState::Completed) problem << "completed but not in Completed; ";
            if (mode == LinkMode::Read && Count(rec.messages, LinkMessageKind::ReadComplete) != 1) {
                problem << "read completed without its message; ";
            }
            break;
        case ExchangeOutcome::Failed:
            if (Count(rec.messages, LinkMessageKind::FailConnect) != 1) {
                problem << "failed without the failure message; ";
            }
            break;
        case ExchangeOutcome::PortFailed:
            if (Count(rec.messages, LinkMessageKind::PortError) != 1) {
                problem << "port failure without the port message; ";
            }
            break;
        case ExchangeOutcome::PowerEnded:
            problem << "power outcome from a read or write; ";
            break;
    }
    if (*run.outcome != ExchangeOutcome::Completed &&
        Count(rec.messages, LinkMessageKind::ReadComplete) != 0) {
        problem << "completion message on a failed exchange; ";
    }
    const auto pulled = rig.line.PulledAt();
    if (pulled && pulled != pulledBefore && *pulled >= began && !rig.line.Plugged() &&
        rec.finishedAt - *pulled > kPulledCableEnd) {
        problem << "ended " << (rec.finishedAt - *pulled) / 1000
                << " ms after the cable was pulled; ";
    }
    run.problem = problem.str();
    return run;
}

bool SameRows(const Image& a, const Image& b, int first, int end) {
    return std::equal(a.begin() + first, a.begin() + end, b.begin() + first);
}

RunResult Hung(const std::string& what) { return {Verdict::Hang, false, what}; }
RunResult Broke(const std::string& what) { return {Verdict::Broken, false, what}; }

RunResult RunRead(const Schedule& s, std::mt19937_64& rng) {
    Rig rig(s, RandomMemory(rng));
    auto app = std::make_unique<AppState>();
    StartUp(*app);
    app->ChannelTable = RandomMemory(rng);
    const Image before = app->ChannelTable;

    const ExchangeRun first = RunExchange(rig, s, LinkMode::Read, *app);
    if (first.hung) return Hung("read did not end");
    if (!first.problem.empty()) return Broke("read: " + first.problem);
    if (first.outcome != ExchangeOutcome::Completed) {
        if (app->ChannelTable != before) return Broke("a failed read changed the image");
        return {Verdict::FailedCleanly, false, {}};
    }
    const Image read = app->ChannelTable;
    if (!SameRows(read, before, kRadioRows, kImageRows)) return Broke("read touched rows 254..255");
    const bool right = SameRows(read, rig.radio.Memory(), 0, kRadioRows);
    if (!right && !CanCorruptSilently(s)) return Broke("wrong read without a corrupting fault");

    // --verify: read again; only two equal passes count.
    const ExchangeRun again = RunExchange(rig, s, LinkMode::Read, *app);
    if (again.hung) return Hung("verifying read did not end");
    if (!again.problem.empty()) return Broke("verifying read: " + again.problem);
    if (again.outcome != ExchangeOutcome::Completed ||
        !SameRows(app->ChannelTable, read, 0, kRadioRows)) {
        return {Verdict::FailedCleanly, !right, {}};
    }
    if (!SameRows(read, rig.radio.Memory(), 0, kRadioRows)) {
        return {Verdict::Wrong, false, "verified read differs from the radio"};
    }
    return {Verdict::Completed, false, {}};
}

RunResult RunWrite(const Schedule& s, std::mt19937_64& rng) {
    const Image radioBefore = RandomMemory(rng);
    Rig rig(s, radioBefore);
    auto app = std::make_unique<AppState>();
    StartUp(*app);
    app->ChannelTable = RandomWritableImage(rng);

    const ExchangeRun write = RunExchange(rig, s, LinkMode::Write, *app);
    if (write.start == StartResult::CheckFailed) return Broke("the write refused a valid image");
    if (write.hung) return Hung("write did not end");
    if (!write.problem.empty()) return Broke("write: " + write.problem);
    if (write.outcome != ExchangeOutcome::Completed) return {Verdict::FailedCleanly, false, {}};
    const Image written = app->ChannelTable;
    const bool right = SameRows(rig.radio.Memory(), written, 0, kWriteRows);
    if (!CanCorruptSilently(s)) {
        if (!right) return Broke("wrong write without a corrupting fault");
        if (!SameRows(rig.radio.Memory(), radioBefore, kWriteRows, kRadioRows)) {
            return Broke("the write changed blocks 240..253");
        }
    }

    // --verify: read the radio back and compare the blocks written.
    const ExchangeRun back = RunExchange(rig, s, LinkMode::Read, *app);
    if (back.hung) return Hung("read-back did not end");
    if (!back.problem.empty()) return Broke("read-back: " + back.problem);
    if (back.outcome != ExchangeOutcome::Completed ||
        !SameRows(app->ChannelTable, written, 0, kWriteRows)) {
        return {Verdict::FailedCleanly, !right, {}};
    }
    if (!right) return {Verdict::Wrong, false, "verified write differs from the radio"};
    return {Verdict::Completed, false, {}};
}

}  // namespace

RunResult RunSchedule(const Schedule& schedule) {
    std::mt19937_64 rng(schedule.seed ^ 0x5DEECE66DULL);
    return schedule.exchange == Exchange::Read ? RunRead(schedule, rng) : RunWrite(schedule, rng);
}

void Tally::Add(const Schedule& schedule, const RunResult& result) {
    ++schedules;
    if (result.caughtByVerify) ++caughtByVerify;
    switch (result.verdict) {
        case Verdict::Completed:
            ++completed;
            return;
        case Verdict::FailedCleanly:
            ++failedCleanly;
            return;
        case Verdict::Wrong:
            ++wrong;
            break;
        case Verdict::Hang:
            ++hangs;
            break;
        case Verdict::Broken:
            ++broken;
            break;
    }
    if (problems.size() < 10) problems.push_back(result.problem + " [" + Describe(schedule) + "]");
}

std::string Tally::Summary() const {
    std::ostringstream out;
    out << "campaign: schedules=" << schedules << " completed=" << completed
        << " failed_cleanly=" << failedCleanly << " wrong=" << wrong << " hangs=" << hangs
        << " broken=" << broken << " caught_by_verify=" << caughtByVerify;
    return out.str();
}

Tally RunCampaign(std::uint64_t first, int count) {
    Tally tally;
    for (int i = 0; i < count; ++i) {
        const Schedule s = MakeSchedule(first + static_cast<std::uint64_t>(i));
        tally.Add(s, RunSchedule(s));
    }
    return tally;
}

}  // namespace zt::reliability
