// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/line_faults.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace zt {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;

// Each kind once: its name, the way it must travel (none: either), its value's
// default and range (no range: it takes none).
struct KindRule {
    std::string_view name;
    LineFaultKind kind;
    std::optional<Direction> only;
    int value, low, high;
};
constexpr Direction kIn = Direction::ToRadio, kOut = Direction::ToProgram;
constexpr KindRule kKinds[] = {
    {"drop", LineFaultKind::Drop, {}, 0, 0, 0},
    {"late", LineFaultKind::Late, {}, 1500, 0, 600'000},
    {"flip", LineFaultKind::Flip, {}, 0x01, 1, 255},
    {"extra", LineFaultKind::Extra, {}, 0x00, 0, 255},
    {"short", LineFaultKind::Short, kOut, 10, 1, 100'000},
    {"duplicate", LineFaultKind::Duplicate, {}, 0, 0, 0},
    {"echo", LineFaultKind::Echo, kIn, 8, 1, 100'000},
    {"bad-ack", LineFaultKind::WrongAck, kOut, 0, 0, 0},
    {"no-ack", LineFaultKind::MissingAck, kOut, 0, 0, 0},
    {"pull", LineFaultKind::Pull, kIn, -1, 0, 600'000},
};

// A whole decimal number, or hexadecimal after 0x.
std::optional<std::int64_t> Number(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::int64_t n = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n, base);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || n < 0)
        return std::nullopt;
    return n;
}

}  // namespace

std::optional<LineFault> ParseLineFault(std::string_view text, std::string& error) {
    const auto at = text.find('@');
    if (at == std::string_view::npos) {
        error = "a line fault needs KIND@to-radio:N or KIND@to-program:N, e.g. drop@to-radio:12";
        return std::nullopt;
    }
    std::string_view name = text.substr(0, at);
    std::optional<std::string_view> value;
    if (const auto colon = name.find(':'); colon != std::string_view::npos) {
        value = name.substr(colon + 1);
        name = name.substr(0, colon);
    }
    const auto rule = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const KindRule& r) { return r.name == name; });
    if (rule == std::end(kKinds)) {
        error = "unknown line fault '" + std::string(name) +
                "' (drop, late, flip, extra, short, duplicate, echo, bad-ack, no-ack or pull)";
        return std::nullopt;
    }
    LineFault fault{rule->kind, Direction::ToRadio, 0, rule->value};
    if (value) {
        const auto n = Number(*value);
        if (rule->low == rule->high || !n || *n < rule->low || *n > rule->high) {
            error = rule->low == rule->high
                        ? "'" + std::string(name) + "' takes no value"
                        : "the value of '" + std::string(name) + "' must be " +
                              std::to_string(rule->low) + ".." + std::to_string(rule->high);
            return std::nullopt;
        }
        fault.param = static_cast<int>(*n);
    }
    const std::string_view where = text.substr(at + 1);
    const auto colon = where.find(':');
    const std::string_view way = where.substr(0, colon);
    const auto index =
        colon == std::string_view::npos ? std::nullopt : Number(where.substr(colon + 1));
    if ((way != "to-radio" && way != "to-program") || !index) {
        error = "unknown place '" + std::string(where) + "' (to-radio:N or to-program:N)";
        return std::nullopt;
    }
    fault.direction = way == "to-radio" ? Direction::ToRadio : Direction::ToProgram;
    fault.at = *index;
    if (rule->only && *rule->only != fault.direction) {
        error = "'" + std::string(name) + "' happens only " +
                (*rule->only == kIn ? "to-radio" : "to-program");
        return std::nullopt;
    }
    return fault;
}

const LineFault* LineFaults::Hit(Direction d, std::int64_t at, LineFaultKind kind) const {
    for (const LineFault& f : faults_)
        if (f.direction == d && f.at == at && f.kind == kind) return &f;
    return nullptr;
}

std::vector<LineFaults::Delivery> LineFaults::FromProgram(std::uint8_t byte, Micros now,
                                                          Micros byteTime) {
    std::vector<Delivery> out;
    if (!Plugged(now)) return out;
    const Direction d = Direction::ToRadio;
    const std::int64_t at = count_[0]++;
    if (const LineFault* f = Hit(d, at, LineFaultKind::Pull)) {
        pulledAt_ = now;
        replugMs_ = f->param;
        return out;
    }
    if (const LineFault* f = Hit(d, at, LineFaultKind::Echo)) echoLeft_ = f->param;
    if (echoLeft_ > 0) {
        --echoLeft_;
        Send(Direction::ToProgram, byte, now + byteTime, out);
    }
    if (!Hit(d, at, LineFaultKind::Drop)) Pass(d, at, byte, now, out);
    return out;
}

std::vector<LineFaults::Delivery> LineFaults::FromRadio(std::uint8_t byte, Micros now) {
    std::vector<Delivery> out;
    if (!Plugged(now)) return out;
    const Direction d = Direction::ToProgram;
    const std::int64_t at = count_[1]++;
    if (cutLeft_ > 0) {
        --cutLeft_;
        return out;
    }
    if (const LineFault* f = Hit(d, at, LineFaultKind::Short)) {
        cutLeft_ = f->param - 1;
        return out;
    }
    if (Hit(d, at, LineFaultKind::Drop)) return out;
    spoilNextAck_ = spoilNextAck_ || Hit(d, at, LineFaultKind::WrongAck);
    loseNextAck_ = loseNextAck_ || Hit(d, at, LineFaultKind::MissingAck);
    if (byte == kAck && (loseNextAck_ || spoilNextAck_)) {
        if (std::exchange(loseNextAck_, false)) return out;
        spoilNextAck_ = false;
        byte = kNak;
    }
    Pass(d, at, byte, now, out);
    return out;
}

// Late, flipped, extra and duplicated bytes, alike both ways.
void LineFaults::Pass(Direction d, std::int64_t at, std::uint8_t byte, Micros now,
                      std::vector<Delivery>& out) {
    if (const LineFault* f = Hit(d, at, LineFaultKind::Late)) {
        Micros& freeAt = freeAt_[static_cast<int>(d)];
        freeAt = std::max(now, freeAt) + Micros{f->param} * 1000;
    }
    if (const LineFault* f = Hit(d, at, LineFaultKind::Flip))
        byte ^= static_cast<std::uint8_t>(f->param);
    if (const LineFault* f = Hit(d, at, LineFaultKind::Extra))
        Send(d, static_cast<std::uint8_t>(f->param), now, out);
    Send(d, byte, now, out);
    if (Hit(d, at, LineFaultKind::Duplicate)) Send(d, byte, now, out);
}

void LineFaults::Send(Direction d, std::uint8_t byte, Micros now,
                      std::vector<Delivery>& out) const {
    out.push_back({d, byte, std::max(now, freeAt_[static_cast<int>(d)])});
}

}  // namespace zt
