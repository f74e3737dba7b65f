#include "fault_schedule.h"

#include <sstream>

namespace zt::reliability {

namespace {

// Bytes each way of one clean pass, and of a read-back after a write: faults
// land anywhere in the run, the verifying pass included.
constexpr std::int64_t kReadToRadio = 8 + 5 + 253 * 5 + 1;
constexpr std::int64_t kReadToProgram = 9 + 254 * 21;
constexpr std::int64_t kWriteToRadio = 8 + 21 + 239 * 20 + 1;
constexpr std::int64_t kWriteToProgram = 9 + 240;

int Uniform(std::mt19937_64& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool Chance(std::mt19937_64& rng, double p) { return std::bernoulli_distribution(p)(rng); }

LineFault RandomLineFault(std::mt19937_64& rng, Exchange exchange) {
    const std::int64_t toRadio =
        exchange == Exchange::Read ? 2 * kReadToRadio : kWriteToRadio + kReadToRadio;
    const std::int64_t toProgram =
        exchange == Exchange::Read ? 2 * kReadToProgram : kWriteToProgram + kReadToProgram;
    LineFault f;
    // Acknowledgements travel only during a write, so ack faults weigh more there.
    const int roll = Uniform(rng, 0, exchange == Exchange::Write ? 12 : 9);
    static constexpr LineFaultKind kKinds[] = {
        LineFaultKind::Drop,    LineFaultKind::Late,     LineFaultKind::Flip,
        LineFaultKind::Extra,   LineFaultKind::Short,    LineFaultKind::Duplicate,
        LineFaultKind::Echo,    LineFaultKind::Pull,     LineFaultKind::Drop,
        LineFaultKind::Flip,    LineFaultKind::WrongAck, LineFaultKind::MissingAck,
        LineFaultKind::WrongAck};
    f.kind = kKinds[roll];
    f.direction = Chance(rng, 0.5) ? Direction::ToRadio : Direction::ToProgram;
    switch (f.kind) {
        case LineFaultKind::Late:
            f.param = Uniform(rng, 1001, 7000);
            break;
        case LineFaultKind::Flip:
            f.param = Uniform(rng, 1, 255);
            break;
        case LineFaultKind::Extra:
            f.param = Uniform(rng, 0, 255);
            break;
        case LineFaultKind::Short:
            f.direction = Direction::ToProgram;
            f.param = Uniform(rng, 1, 20);
            break;
        case LineFaultKind::Echo:
            f.direction = Direction::ToRadio;
            f.param = Uniform(rng, 1, 30);
            break;
        case LineFaultKind::WrongAck:
        case LineFaultKind::MissingAck:
            f.direction = Direction::ToProgram;
            break;
        case LineFaultKind::Pull:
            f.direction = Direction::ToRadio;
            f.param = Chance(rng, 0.5) ? -1 : Uniform(rng, 100, 9000);
            break;
        default:
            break;
    }
    const std::int64_t span = f.direction == Direction::ToRadio ? toRadio : toProgram;
    f.at = std::uniform_int_distribution<std::int64_t>(0, span - 1)(rng);
    return f;
}

FaultPlan RandomRadioFault(std::mt19937_64& rng, Exchange exchange) {
    FaultPlan plan;
    static constexpr FaultKind kKinds[] = {FaultKind::NoReply,  FaultKind::ShortReply,
                                           FaultKind::WrongAck, FaultKind::Noise,
                                           FaultKind::Delay,    FaultKind::NoStore};
    plan.kind = kKinds[Uniform(rng, 0, exchange == Exchange::Write ? 5 : 4)];
    if (Chance(rng, 0.15)) {
        plan.target.kind = FaultTarget::Kind::Ident;
    } else {
        plan.target = {
            FaultTarget::Kind::Block,
            Uniform(rng, 0, (exchange == Exchange::Write ? kWriteRows : kRadioRows) - 1)};
    }
    // Noise that comes back identically on every pass is a radio no read-back
    // can tell from a right one, so noise strikes once.
    plan.always = plan.kind != FaultKind::Noise && Chance(rng, 0.3);
    plan.delayMs = Uniform(rng, 1001, 3000);
    plan.noiseBytes = Uniform(rng, 1, 5);
    plan.shortBytes = Uniform(rng, 0, 20);
    return plan;
}

}  // namespace

bool CanCorruptSilently(const Schedule& schedule) {
    for (const LineFault& f : schedule.line) {
        switch (f.kind) {
            case LineFaultKind::Flip:
            case LineFaultKind::Extra:
            case LineFaultKind::Duplicate:
            case LineFaultKind::Echo:
                return true;
            case LineFaultKind::Drop:
                // A lost byte puts the radio out of step, so it may take data for a command.
                if (f.direction == Direction::ToRadio) return true;
                break;
            default:
                break;
        }
    }
    for (const FaultPlan& p : schedule.radio) {
        if (p.kind == FaultKind::Noise || p.kind == FaultKind::NoStore) return true;
    }
    return false;
}

Schedule MakeSchedule(std::uint64_t seed) {
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

std::string Describe(const Schedule& s) {
    static constexpr const char* kLineNames[] = {"drop",        "late", "flip", "extra",
                                                 "short",       "dup",  "echo", "wrong-ack",
                                                 "missing-ack", "pull"};
    static constexpr const char* kRadioNames[] = {"silent", "short", "bad-ack",
                                                  "noise",  "delay", "no-store"};
    std::ostringstream out;
    out << "seed " << s.seed << ": " << (s.exchange == Exchange::Read ? "read" : "write")
        << (s.paced ? " paced" : " burst");
    for (const LineFault& f : s.line) {
        out << ", " << kLineNames[static_cast<int>(f.kind)]
            << (f.direction == Direction::ToRadio ? " >radio#" : " >program#") << f.at << "("
            << f.param << ")";
    }
    for (const FaultPlan& p : s.radio) {
        out << ", radio " << kRadioNames[static_cast<int>(p.kind)] << "@";
        if (p.target.kind == FaultTarget::Kind::Ident) {
            out << "ident";
        } else {
            out << p.target.block;
        }
        if (p.always) out << ":always";
    }
    return out.str();
}

Image RandomMemory(std::mt19937_64& rng) {
    Image image{};
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& row : image) {
        for (auto& b : row) b = static_cast<std::uint8_t>(byte(rng));
    }
    return image;
}

Image RandomWritableImage(std::mt19937_64& rng) {
    Image image = RandomMemory(rng);
    // Band 400..470 MHz, as the blank image has it.
    image[kBandEdgeRow][0] = 0x00;
    image[kBandEdgeRow][1] = 0x40;
    image[kBandEdgeRow][2] = 0x00;
    image[kBandEdgeRow][3] = 0x47;
    const auto bcd = [](int v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); };
    for (int r = kVfoRow; r <= 128; ++r) {
        auto& row = image[static_cast<std::size_t>(r)];
        if (r != kVfoRow && Chance(rng, 0.3)) {
            for (int f = 0; f < 4; ++f) row[static_cast<std::size_t>(f)] = 255;
            continue;
        }
        // 4xx.xxxxx MHz in 10 Hz units, least significant byte first; no offset.
        const int mhz = Uniform(rng, 400, 469);
        row[3] = bcd(mhz / 10);
        row[2] = bcd((mhz % 10) * 10 + Uniform(rng, 0, 9));
        row[1] = bcd(Uniform(rng, 0, 99));
        row[0] = bcd(Uniform(rng, 0, 99));
        for (int f = 4; f < 8; ++f) row[static_cast<std::size_t>(f)] = 0;
    }
    return image;
}

}  // namespace zt::reliability
