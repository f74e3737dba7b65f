#pragma once
// A fault schedule for one run of the reliability campaign: which bytes on the
// cable go wrong and how, and how the radio itself misbehaves. A schedule is
// made from a seed alone, so any run can be replayed from the seed it prints.

#include <random>
#include <string>

#include "faulty_line.h"
#include "sim/sim_radio.h"

namespace zt::reliability {

enum class Exchange { Read, Write };

struct Schedule {
    std::uint64_t seed = 0;
    Exchange exchange = Exchange::Read;
    bool paced = false;  // bytes at 9600 baud rather than all at once
    std::vector<LineFault> line;
    std::vector<FaultPlan> radio;
};

inline int Uniform(std::mt19937_64& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}
inline bool Chance(std::mt19937_64& rng, double p) { return std::bernoulli_distribution(p)(rng); }

inline LineFault RandomLineFault(std::mt19937_64& rng, Exchange exchange) {
    using K = LineFaultKind;
    // Acknowledgements travel only during a write, so ack faults weigh more there.
    static constexpr K kKinds[] = {K::Drop,      K::Late,       K::Flip,    K::Extra, K::Short,
                                   K::Duplicate, K::Echo,       K::Pull,    K::Drop,  K::Flip,
                                   K::WrongAck,  K::MissingAck, K::WrongAck};
    // By kind: the direction it is bound to (-1: either way) and its parameter range.
    static constexpr struct {
        int direction, low, high;
    } kRules[kLineFaultKinds] = {{-1, 0, 0}, {-1, 1001, 7000}, {-1, 1, 255}, {-1, 0, 255},
                                 {1, 1, 20}, {-1, 0, 0},       {0, 1, 30},   {1, 0, 0},
                                 {1, 0, 0},  {0, 100, 9000}};
    // Bytes each way of one clean pass: faults land anywhere in the run, the
    // verifying read included.
    constexpr std::int64_t kReadToRadio = 8 + 5 + 253 * 5 + 1, kReadToProgram = 9 + 254 * 21;
    const bool read = exchange == Exchange::Read;
    const std::int64_t toRadio = (read ? kReadToRadio : 8 + 21 + 239 * 20 + 1) + kReadToRadio;
    const std::int64_t toProgram = (read ? kReadToProgram : 9 + 240) + kReadToProgram;
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
    const std::int64_t span = f.direction == Direction::ToRadio ? toRadio : toProgram;
    f.at = std::uniform_int_distribution<std::int64_t>(0, span - 1)(rng);
    return f;
}

inline FaultPlan RandomRadioFault(std::mt19937_64& rng, Exchange exchange) {
    static constexpr FaultKind kKinds[] = {FaultKind::NoReply,  FaultKind::ShortReply,
                                           FaultKind::WrongAck, FaultKind::Noise,
                                           FaultKind::Delay,    FaultKind::NoStore};
    const bool write = exchange == Exchange::Write;
    FaultPlan plan;
    plan.kind = kKinds[Uniform(rng, 0, write ? 5 : 4)];
    plan.target = {FaultTarget::Kind::Ident, 0};
    if (!Chance(rng, 0.15)) {
        plan.target = {FaultTarget::Kind::Block,
                       Uniform(rng, 0, (write ? kWriteRows : kRadioRows) - 1)};
    }
    // Noise that comes back identically on every pass is a radio no read-back
    // can tell from a right one, so noise strikes once.
    plan.always = plan.kind != FaultKind::Noise && Chance(rng, 0.3);
    plan.delayMs = Uniform(rng, 1001, 3000);
    plan.noiseBytes = Uniform(rng, 1, 5);
    plan.shortBytes = Uniform(rng, 0, 20);
    return plan;
}

inline Schedule MakeSchedule(std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    Schedule s;
    s.seed = seed;
    s.exchange = Chance(rng, 0.5) ? Exchange::Read : Exchange::Write;
    s.paced = Chance(rng, 0.5);
    // One run in eight has no fault at all; the rest one to six.
    const int faults = Chance(rng, 0.125) ? 0 : Uniform(rng, 1, 6);
    for (int i = 0; i < faults; ++i) {
        if (Chance(rng, 0.2)) {
            s.radio.push_back(RandomRadioFault(rng, s.exchange));
        } else {
            s.line.push_back(RandomLineFault(rng, s.exchange));
        }
    }
    return s;
}

// True for faults that can hand the program wrong bytes the protocol cannot
// tell from right ones (it has no checksum): flipped, extra, duplicated or
// echoed bytes, and a radio that acknowledges without storing. Only these may
// make an unverified run end with a wrong result.
inline bool CanCorruptSilently(const Schedule& schedule) {
    using K = LineFaultKind;
    const auto corrupts = [](const LineFault& f) {
        // A lost byte puts the radio out of step, so it may take data for a command.
        return f.kind == K::Flip || f.kind == K::Extra || f.kind == K::Duplicate ||
               f.kind == K::Echo || (f.kind == K::Drop && f.direction == Direction::ToRadio);
    };
    const auto misleads = [](const FaultPlan& p) {
        return p.kind == FaultKind::Noise || p.kind == FaultKind::NoStore;
    };
    return std::any_of(schedule.line.begin(), schedule.line.end(), corrupts) ||
           std::any_of(schedule.radio.begin(), schedule.radio.end(), misleads);
}

inline Image RandomMemory(std::mt19937_64& rng) {
    Image image{};
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& row : image) {
        for (auto& b : row) b = static_cast<std::uint8_t>(byte(rng));
    }
    return image;
}

// Random bytes that pass the write's frequency-limit checks: band 400..470 MHz
// as the blank image has it, channels in the band or empty.
inline Image RandomWritableImage(std::mt19937_64& rng) {
    Image image = RandomMemory(rng);
    const std::uint8_t band[] = {0x00, 0x40, 0x00, 0x47};
    std::copy(std::begin(band), std::end(band), image[kBandEdgeRow].begin());
    const auto bcd = [](int v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); };
    for (int r = kVfoRow; r <= 128; ++r) {
        auto& row = image[static_cast<std::size_t>(r)];
        if (r != kVfoRow && Chance(rng, 0.3)) {
            std::fill(row.begin(), row.begin() + 4, 255);  // an empty channel
            continue;
        }
        // 4xx.xxxxx MHz in 10 Hz units, least significant byte first; no offset.
        const int mhz = Uniform(rng, 400, 469);
        row[3] = bcd(mhz / 10);
        row[2] = bcd((mhz % 10) * 10 + Uniform(rng, 0, 9));
        row[1] = bcd(Uniform(rng, 0, 99));
        row[0] = bcd(Uniform(rng, 0, 99));
        std::fill(row.begin() + 4, row.begin() + 8, 0);
    }
    return image;
}

}  // namespace zt::reliability
