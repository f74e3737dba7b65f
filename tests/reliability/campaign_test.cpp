// SPDX-License-Identifier: GPL-3.0-or-later
// The seeded fault-injection campaign: each run reads or writes the simulated
// radio through a faulty cable on the virtual clock as `zt790ctl read --verify`
// and `write --verify` do, and checks what the user would be told against what
// the radio really holds. scripts/reliability sets ZT_CAMPAIGN_SCHEDULES for
// thousands and reads the summary line; ZT_CAMPAIGN_SEED=<seed> and
// ZT_CAMPAIGN_SCHEDULES=1 replay a failing schedule alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>

#include "link/serial_link.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/startup.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt {
namespace {

using Micros = VirtualClock::Micros;

enum class Exchange { Read, Write };

// Which bytes on the cable go wrong and how, and how the radio misbehaves, from a seed alone.
struct Schedule {
    std::uint64_t seed = 0;
    Exchange exchange = Exchange::Read;
    bool paced = false;  // bytes at 9600 baud rather than all at once
    std::vector<LineFault> line;
    std::vector<FaultPlan> radio;
};

int Uniform(std::mt19937_64& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}
bool Chance(std::mt19937_64& rng, double p) { return std::bernoulli_distribution(p)(rng); }

LineFault RandomLineFault(std::mt19937_64& rng, Exchange exchange) {
    using K = LineFaultKind;
    // Acknowledgements travel only during a write, so ack faults weigh more there.
    static constexpr K kKinds[] = {K::Drop,      K::Late,       K::Flip,    K::Extra, K::Short,
                                   K::Duplicate, K::Echo,       K::Pull,    K::Drop,  K::Flip,
                                   K::WrongAck,  K::MissingAck, K::WrongAck};
    // By kind: the direction it is bound to (-1: either way) and its parameter range.
    static constexpr struct {
        int direction, low, high;
    } kRules[] = {{-1, 0, 0}, {-1, 1001, 7000}, {-1, 1, 255}, {-1, 0, 255}, {1, 1, 20},
                  {-1, 0, 0}, {0, 1, 30},       {1, 0, 0},    {1, 0, 0},    {0, 100, 9000}};
    // Bytes each way of a clean pass and its verifying read: faults land anywhere.
    constexpr std::int64_t kReadToRadio = 8 + 5 + 253 * 5 + 1, kReadToProgram = 9 + 254 * 21;
    const bool read = exchange == Exchange::Read;
    const std::int64_t span[] = {(read ? kReadToRadio : 8 + 21 + 239 * 20 + 1) + kReadToRadio,
                                 (read ? kReadToProgram : 9 + 240) + kReadToProgram};
    LineFault f;
    f.kind = kKinds[Uniform(rng, 0, read ? 9 : 12)];
    const auto& rule = kRules[static_cast<int>(f.kind)];
    f.direction = Chance(rng, 0.5) ? Direction::ToRadio : Direction::ToProgram;
    if (rule.direction >= 0) f.direction = static_cast<Direction>(rule.direction);
    if (f.kind == K::Pull && Chance(rng, 0.5)) {
        f.param = -1;
    } else if (rule.high > 0) {
        f.param = Uniform(rng, rule.low, rule.high);
    }
    f.at = std::uniform_int_distribution<std::int64_t>(
        0, span[static_cast<int>(f.direction)] - 1)(rng);
    return f;
}

FaultPlan RandomRadioFault(std::mt19937_64& rng, Exchange exchange) {
    static constexpr FaultKind kKinds[] = {FaultKind::NoReply,  FaultKind::ShortReply,
                                           FaultKind::WrongAck, FaultKind::Noise,
                                           FaultKind::Delay,    FaultKind::NoStore};
    const bool write = exchange == Exchange::Write;
    FaultPlan plan;
    plan.kind = kKinds[Uniform(rng, 0, write ? 5 : 4)];
    plan.target = {FaultTarget::Kind::Ident, 0};
    if (!Chance(rng, 0.15))
        plan.target = {FaultTarget::Kind::Block, Uniform(rng, 0, write ? 239 : 253)};
    // Noise that comes back identically on every pass is a radio no read-back
    // can tell from a right one, so noise strikes once.
    plan.always = plan.kind != FaultKind::Noise && Chance(rng, 0.3);
    plan.delayMs = Uniform(rng, 1001, 3000);
    plan.noiseBytes = Uniform(rng, 1, 5);
    plan.shortBytes = Uniform(rng, 0, 20);
    return plan;
}

Schedule MakeSchedule(std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    Schedule s;
    s.seed = seed;
    s.exchange = Chance(rng, 0.5) ? Exchange::Read : Exchange::Write;
    s.paced = Chance(rng, 0.5);
    const int faults = Chance(rng, 0.125) ? 0 : Uniform(rng, 1, 6);
    for (int i = 0; i < faults; ++i) {
        if (Chance(rng, 0.2))
            s.radio.push_back(RandomRadioFault(rng, s.exchange));
        else
            s.line.push_back(RandomLineFault(rng, s.exchange));
    }
    return s;
}

// Faults that can hand over wrong bytes the protocol (no checksum) cannot tell
// from right ones; only these may make an unverified pass end wrong. A byte lost
// on its way to the radio puts it out of step, so it may take data for a command.
bool CanCorruptSilently(const Schedule& schedule) {
    using K = LineFaultKind;
    const auto corrupts = [](const LineFault& f) {
        return f.kind == K::Flip || f.kind == K::Extra || f.kind == K::Duplicate ||
               f.kind == K::Echo || (f.kind == K::Drop && f.direction == Direction::ToRadio);
    };
    const auto misleads = [](const FaultPlan& p) {
        return p.kind == FaultKind::Noise || p.kind == FaultKind::NoStore;
    };
    return std::any_of(schedule.line.begin(), schedule.line.end(), corrupts) ||
           std::any_of(schedule.radio.begin(), schedule.radio.end(), misleads);
}

Image RandomMemory(std::mt19937_64& rng) {
    Image image{};
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& row : image)
        for (auto& b : row) b = static_cast<std::uint8_t>(byte(rng));
    return image;
}

// Random bytes that pass the write's frequency-limit checks: band 400..470 MHz
// in row 153 as the blank image has it; the frequency-mode record (row 0) and
// channels 1..128 in the band without offset (bytes 4..7), or empty.
Image RandomWritableImage(std::mt19937_64& rng) {
    Image image = RandomMemory(rng);
    image[153] = BlankImage()[153];
    for (int r = 0; r <= 128; ++r) {
        auto& row = image[static_cast<std::size_t>(r)];
        if (r != 0 && Chance(rng, 0.3)) {
            std::fill(row.begin(), row.begin() + 4, 255);  // an empty channel
        } else {                                           // 10 Hz units
            StoreBcd(image, r, 0, UnitsToBcd(Uniform(rng, 40'000'000, 46'999'999)));
            std::fill(row.begin() + 4, row.begin() + 8, 0);
        }
    }
    return image;
}

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

// The link is watched for a pause and two reply time-outs after its end, to see
// that it stays ended (a retry that fires anyway would show here).
constexpr Micros kAfterEnd = Ms(5000 + 2 * 1000);

// The radio behind its faulty cable on a virtual clock, recording what the
// exchange under way reports.
struct Rig : ExchangeObserver {
    Rig(const Schedule& s, const Image& memory) : radio(memory) {
        line.SetByteTimeMicros(s.paced ? 1042 : 0);  // 9600 baud, 10 bits a byte
        line.SetLineFaults(s.line);
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
    SimPort line{clock, &radio};
    VirtualTimers timers{clock};
    std::vector<LinkMessageKind> messages;
    std::optional<ExchangeOutcome> outcome;
    Micros finishedAt = 0;
    int finished = 0;
};

// Four attempts of a whole pass, its reply time-out and pause, and every delay injected.
Micros TimeBound(const Schedule& s, LinkMode mode) {
    const Micros pass = (mode == LinkMode::Read ? 254 : 240) * (Ms(15) + 30 * (s.paced ? 1042 : 0));
    Micros bound = 4 * (pass + Ms(100 + 15 + 1000 + 5000)) + Ms(1000);
    for (const LineFault& f : s.line) bound += f.kind == LineFaultKind::Late ? Ms(f.param) : 0;
    for (const FaultPlan& p : s.radio) bound += p.kind == FaultKind::Delay ? 4 * Ms(p.delayMs) : 0;
    return bound;
}

// One exchange to its end: its outcome (none if it hung) and, in `problem`,
// every invariant it broke.
std::optional<ExchangeOutcome> RunExchange(Rig& rig, const Schedule& s, LinkMode mode,
                                           AppState& app, std::string& problem) {
    rig.messages.clear();
    rig.outcome.reset();
    rig.finished = 0;
    SerialLink link(mode, app, rig.line, rig.timers, rig);
    const Micros began = rig.clock.Now();
    const auto pulledBefore = rig.line.Line()->PulledAt();
    const StartResult started = link.Start();
    // The cable may already be out for a verifying pass.
    if (started == StartResult::PortFailed && rig.Count(LinkMessageKind::PortError) == 1)
        return ExchangeOutcome::PortFailed;
    if (started != StartResult::Started) {
        problem = "start refused";
        return ExchangeOutcome::Failed;
    }
    if (!rig.clock.RunUntil([&] { return rig.outcome.has_value(); }, TimeBound(s, mode)))
        return std::nullopt;
    const std::size_t messages = rig.messages.size();
    rig.clock.RunFor(kAfterEnd);
    const auto check = [&problem](bool broken, const char* what) {
        if (broken) problem = problem + what + "; ";
    };
    check(rig.finished != 1 || rig.messages.size() != messages, "reported again after its end");
    check(rig.line.IsOpen(), "port left open");
    check(link.InProgress(), "still busy");
    check(rig.timers.IsRunning(LinkTimer::Pump) || rig.timers.IsRunning(LinkTimer::Reply) ||
              rig.timers.IsRunning(LinkTimer::Pause),
          "a transfer timer still running");
    const bool completed = rig.outcome == ExchangeOutcome::Completed;
    check(completed && link.State() != LinkState::Completed, "completed but not in Completed");
    check(rig.Count(LinkMessageKind::ReadComplete) != (completed && mode == LinkMode::Read),
          "wrong count of read-complete messages");
    check(rig.outcome == ExchangeOutcome::PowerEnded, "power outcome from a read or write");
    check(!completed && rig.Count(rig.outcome == ExchangeOutcome::PortFailed
                                      ? LinkMessageKind::PortError
                                      : LinkMessageKind::FailConnect) != 1,
          "failure without its message");
    const auto pulled = rig.line.Line()->PulledAt();
    check(pulled && pulled != pulledBefore && *pulled >= began &&
              !rig.line.Line()->Plugged(rig.clock.Now()) && rig.finishedAt - *pulled > Ms(2000),
          "ended more than 2 s after the cable was pulled");
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
    const int rows = read ? 254 : 240;  // the rows the exchange carries
    bool right = true;                  // the first pass left the radio and the image alike
    for (const bool first : {true, false}) {
        const Image held = app->ChannelTable;
        const std::string what =
            first ? (read ? "read" : "write") : (read ? "verifying read" : "read-back");
        std::string problem;
        const auto outcome =
            RunExchange(rig, s, first && !read ? LinkMode::Write : LinkMode::Read, *app, problem);
        if (!outcome) return {Verdict::Hang, false, what + " did not end"};
        if (!problem.empty()) return {Verdict::Broken, false, what + ": " + problem};
        if (*outcome != ExchangeOutcome::Completed) {
            if ((read || !first) && app->ChannelTable != held)
                return {Verdict::Broken, false, what + ": a failed read changed the image"};
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
        if (read ? !SameRows(app->ChannelTable, before, 254, 256)
                 : !CanCorruptSilently(s) && !SameRows(rig.radio.Memory(), radioBefore, 240, 254)) {
            return {Verdict::Broken, false, what + ": rows outside the exchange changed"};
        }
        if (!right && !CanCorruptSilently(s))
            return {Verdict::Broken, false, what + ": wrong result without a corrupting fault"};
    }
    return {Verdict::Completed, false, {}};
}

long EnvOr(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

TEST(Campaign, EveryScheduleEndsInTimeAndNeverReportsAWrongResult) {
    const auto first = static_cast<std::uint64_t>(EnvOr("ZT_CAMPAIGN_SEED", 1));
    const int count = static_cast<int>(EnvOr("ZT_CAMPAIGN_SCHEDULES", 200));
    std::map<Verdict, int> runs;
    int caughtByVerify = 0;
    for (int i = 0; i < count; ++i) {
        const Schedule s = MakeSchedule(first + static_cast<std::uint64_t>(i));
        const RunResult r = RunSchedule(s);
        caughtByVerify += r.caughtByVerify ? 1 : 0;
        const bool bad = r.verdict != Verdict::Completed && r.verdict != Verdict::FailedCleanly;
        if (bad && runs[Verdict::Wrong] + runs[Verdict::Hang] + runs[Verdict::Broken] < 10)
            ADD_FAILURE() << "seed " << s.seed << ": " << r.problem;
        ++runs[r.verdict];
    }
    // scripts/reliability reads this line.
    std::cout << "campaign: schedules=" << count << " completed=" << runs[Verdict::Completed]
              << " failed_cleanly=" << runs[Verdict::FailedCleanly]
              << " wrong=" << runs[Verdict::Wrong] << " hangs=" << runs[Verdict::Hang]
              << " broken=" << runs[Verdict::Broken] << " caught_by_verify=" << caughtByVerify
              << "\n";
    EXPECT_EQ(runs[Verdict::Wrong] + runs[Verdict::Hang] + runs[Verdict::Broken], 0);
    // The campaign must exercise both ends: runs that get through and runs that do not.
    if (count >= 100) {
        EXPECT_GT(runs[Verdict::Completed], count / 10);
        EXPECT_GT(runs[Verdict::FailedCleanly], 0);
    }
}

}  // namespace
}  // namespace zt
