// The seeded fault-injection campaign: each run reads or writes the simulated
// radio through a faulty cable on the virtual clock, the way `zt790ctl read
// --verify` and `write --verify` do (a read is read again and compared; a write
// is read back and compared), and checks what the user would be told against
// what the radio really holds. The normal test run takes a few hundred
// schedules; scripts/reliability sets ZT_CAMPAIGN_SCHEDULES for thousands and
// reads the summary line. A failing schedule prints its seed;
// ZT_CAMPAIGN_SEED=<seed> and ZT_CAMPAIGN_SCHEDULES=1 replay it alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>

#include "fault_schedule.h"
#include "link/serial_link.h"
#include "model/startup.h"
#include "sim/virtual_timers.h"

namespace zt::reliability {
namespace {

using Micros = VirtualClock::Micros;

enum class Verdict {
    Completed,      // reported success, and the result is right
    FailedCleanly,  // reported failure (the image untouched, the message defined)
    Wrong,          // reported success with a wrong result
    Hang,           // did not end within its time bound
    Broken,         // ended, but broke another invariant (see `problem`)
};

struct RunResult {
    Verdict verdict = Verdict::Completed;
    // A first pass that completed with a wrong result which only the verifying
    // pass caught (the protocol has no checksum).
    bool caughtByVerify = false;
    std::string problem;
};

// How long the link is watched after it has reported its end, to see that it
// stays ended (a retry that fires anyway would show here).
constexpr Micros kAfterEnd = Ms(kPauseMs + 2 * kReplyMs);
// A cable pulled mid-transfer ends the exchange within this.
constexpr Micros kPulledCableEnd = Ms(2000);

// The radio behind its faulty cable on a virtual clock, recording what the
// exchange under way reports.
struct Rig : ExchangeObserver {
    Rig(const Schedule& s, const Image& memory)
        : radio(memory), line(clock, radio, s.line, s.paced) {
        for (const FaultPlan& plan : s.radio) radio.AddFault(plan);
    }
    void OnMessage(const LinkMessage& message) override { messages.push_back(message.kind); }
    void OnFinished(ExchangeOutcome o) override {
        if (finished++ > 0) return;
        outcome = o;
        finishedAt = clock.Now();
    }
    [[nodiscard]] int Count(LinkMessageKind kind) const {
        return static_cast<int>(std::count(messages.begin(), messages.end(), kind));
    }

    VirtualClock clock;
    SimRadio radio;
    FaultyLine line;
    VirtualTimers timers{clock};
    std::vector<LinkMessageKind> messages;
    std::optional<ExchangeOutcome> outcome;
    Micros finishedAt = 0;
    int finished = 0;
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

// One exchange to its end. Returns its outcome (none if it hung) and, in
// `problem`, every invariant it broke on the way.
std::optional<ExchangeOutcome> RunExchange(Rig& rig, const Schedule& s, LinkMode mode,
                                           AppState& app, std::string& problem) {
    rig.messages.clear();
    rig.outcome.reset();
    rig.finished = 0;
    SerialLink link(mode, app, rig.line, rig.timers, rig);
    const Micros began = rig.clock.Now();
    const auto pulledBefore = rig.line.PulledAt();
    std::ostringstream out;
    switch (link.Start()) {
        case StartResult::Started:
            break;
        case StartResult::PortFailed:  // the cable may already be out for a verifying pass
            if (rig.Count(LinkMessageKind::PortError) == 1) return ExchangeOutcome::PortFailed;
            [[fallthrough]];
        default:
            problem = "start refused";
            return ExchangeOutcome::Failed;
    }
    if (!rig.clock.RunUntil([&] { return rig.outcome.has_value(); }, TimeBound(s, mode))) {
        return std::nullopt;
    }
    // Stays ended: nothing more is reported while the clock runs on.
    const std::size_t messages = rig.messages.size();
    rig.clock.RunFor(kAfterEnd);
    if (rig.finished != 1 || rig.messages.size() != messages) {
        out << "reported again after its end; ";
    }
    if (rig.line.IsOpen()) out << "port left open; ";
    if (link.InProgress()) out << "still busy; ";
    for (int t = 1; t <= kLinkTimerCount; ++t) {
        const auto timer = static_cast<LinkTimer>(t);
        if (timer != LinkTimer::Close && rig.timers.IsRunning(timer))
            out << "timer " << t << " running; ";
    }
    const bool completed = rig.outcome == ExchangeOutcome::Completed;
    if (completed && link.State() != LinkState::Completed)
        out << "completed but not in Completed; ";
    if (rig.Count(LinkMessageKind::ReadComplete) != (completed && mode == LinkMode::Read ? 1 : 0)) {
        out << "wrong count of read-complete messages; ";
    }
    const LinkMessageKind failure = rig.outcome == ExchangeOutcome::PortFailed
                                        ? LinkMessageKind::PortError
                                        : LinkMessageKind::FailConnect;
    if (rig.outcome == ExchangeOutcome::PowerEnded) out << "power outcome from a read or write; ";
    if (!completed && rig.Count(failure) != 1) out << "failure without its message; ";
    const auto pulled = rig.line.PulledAt();
    if (pulled && pulled != pulledBefore && *pulled >= began && !rig.line.Plugged() &&
        rig.finishedAt - *pulled > kPulledCableEnd) {
        out << "ended " << (rig.finishedAt - *pulled) / 1000 << " ms after the cable was pulled; ";
    }
    problem = out.str();
    return rig.outcome;
}

bool SameRows(const Image& a, const Image& b, int first, int end) {
    return std::equal(a.begin() + first, a.begin() + end, b.begin() + first);
}

// A read (then read again) or a write (then read back), as with --verify.
RunResult RunSchedule(const Schedule& s) {
    std::mt19937_64 rng(s.seed ^ 0x5DEECE66DULL);
    const bool read = s.exchange == Exchange::Read;
    const Image radioBefore = RandomMemory(rng);
    Rig rig(s, radioBefore);
    auto app = std::make_unique<AppState>();
    StartUp(*app);
    app->ChannelTable = read ? RandomMemory(rng) : RandomWritableImage(rng);
    const Image before = app->ChannelTable;
    const int rows = read ? kRadioRows : kWriteRows;  // the rows the exchange carries
    bool right = true;  // the first pass left the radio and the image alike
    for (const bool first : {true, false}) {
        const Image held = app->ChannelTable;
        const std::string what = std::string(read ? "read" : "write") + (first  ? ""
                                                                         : read ? ", verifying read"
                                                                                : ", read-back");
        std::string problem;
        const auto outcome =
            RunExchange(rig, s, first && !read ? LinkMode::Write : LinkMode::Read, *app, problem);
        if (!outcome) return {Verdict::Hang, false, what + " did not end"};
        if (!problem.empty()) return {Verdict::Broken, false, what + ": " + problem};
        if (*outcome != ExchangeOutcome::Completed) {
            if ((read || !first) && app->ChannelTable != held) {
                return {Verdict::Broken, false, what + ": a failed read changed the image"};
            }
            return {Verdict::FailedCleanly, !right, {}};
        }
        if (!first) {
            // Only two equal passes count.
            if (!SameRows(app->ChannelTable, held, 0, rows))
                return {Verdict::FailedCleanly, !right, {}};
            if (!right)
                return {Verdict::Wrong, false, what + ": verified result differs from the radio"};
            break;
        }
        right = SameRows(app->ChannelTable, rig.radio.Memory(), 0, rows);
        // A read never touches rows 254..255; a write without a corrupting fault
        // never touches blocks 240..253.
        if (read ? !SameRows(app->ChannelTable, before, kRadioRows, kImageRows)
                 : !CanCorruptSilently(s) &&
                       !SameRows(rig.radio.Memory(), radioBefore, kWriteRows, kRadioRows)) {
            return {Verdict::Broken, false, what + ": rows outside the exchange changed"};
        }
        if (!right && !CanCorruptSilently(s)) {
            return {Verdict::Broken, false, what + ": wrong result without a corrupting fault"};
        }
    }
    return {Verdict::Completed, false, {}};
}

long EnvOr(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

TEST(Campaign, EveryScheduleEndsInTimeAndNeverReportsAWrongResult) {
    const auto first = static_cast<std::uint64_t>(EnvOr("ZT_CAMPAIGN_SEED", 1));
    const int count = static_cast<int>(EnvOr("ZT_CAMPAIGN_SCHEDULES", 300));
    std::map<Verdict, int> runs;
    int caughtByVerify = 0;
    for (int i = 0; i < count; ++i) {
        const Schedule s = MakeSchedule(first + static_cast<std::uint64_t>(i));
        const RunResult r = RunSchedule(s);
        caughtByVerify += r.caughtByVerify ? 1 : 0;
        const bool bad = r.verdict != Verdict::Completed && r.verdict != Verdict::FailedCleanly;
        if (bad && runs[Verdict::Wrong] + runs[Verdict::Hang] + runs[Verdict::Broken] < 10) {
            ADD_FAILURE() << "seed " << s.seed << ": " << r.problem;
        }
        ++runs[r.verdict];
    }
    // scripts/reliability reads this line.
    std::cout << "campaign: schedules=" << count << " completed=" << runs[Verdict::Completed]
              << " failed_cleanly=" << runs[Verdict::FailedCleanly]
              << " wrong=" << runs[Verdict::Wrong] << " hangs=" << runs[Verdict::Hang]
              << " broken=" << runs[Verdict::Broken] << " caught_by_verify=" << caughtByVerify
              << "\n";
    EXPECT_EQ(runs[Verdict::Wrong], 0);
    EXPECT_EQ(runs[Verdict::Hang], 0);
    EXPECT_EQ(runs[Verdict::Broken], 0);
    // The campaign must exercise both ends: runs that get through and runs that do not.
    if (count >= 100) {
        EXPECT_GT(runs[Verdict::Completed], count / 10);
        EXPECT_GT(runs[Verdict::FailedCleanly], 0);
    }
}

}  // namespace
}  // namespace zt::reliability
