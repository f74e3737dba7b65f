#include "faulty_line.h"

#include <algorithm>

#include "link/frames.h"

namespace zt::reliability {

namespace {
// 10 bits a byte at 9600 baud.
constexpr VirtualClock::Micros kPacedByteMicros = 1042;
constexpr std::uint8_t kNak = 0x15;
}  // namespace

FaultyLine::FaultyLine(VirtualClock& clock, SimRadio& radio, const Schedule& schedule)
    : clock_(clock),
      inner_(clock, &radio),
      faults_(schedule.line),
      byteTime_(schedule.paced ? kPacedByteMicros : 0) {
    inner_.SetByteTimeMicros(byteTime_);
    inner_.SetReceiveHandler([this] { FromRadio(); });
}

FaultyLine::~FaultyLine() {
    if (notify_) clock_.Cancel(*notify_);
    for (const auto id : pending_) clock_.Cancel(id);
}

bool FaultyLine::Open(const PortSettings& settings, std::string& error) {
    if (!plugged_) {
        error = "the programming cable is unplugged";
        return false;
    }
    rx_.clear();
    return inner_.Open(settings, error);
}

void FaultyLine::Close() {
    inner_.Close();
    rx_.clear();
}

std::uint8_t FaultyLine::ReadByte() {
    if (rx_.empty()) return 0;
    const std::uint8_t b = rx_.front();
    rx_.pop_front();
    return b;
}

void FaultyLine::DiscardInput() {
    rx_.clear();
    inner_.DiscardInput();
}

const LineFault* FaultyLine::Take(Direction direction, std::int64_t index, LineFaultKind kind) {
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const LineFault& f = faults_[i];
        if (f.direction != direction || f.at != index || f.kind != kind) continue;
        if (!used_.insert(i).second) continue;
        return &f;
    }
    return nullptr;
}

void FaultyLine::At(VirtualClock::Micros when, std::function<void()> action) {
    pending_.push_back(clock_.Schedule(when, std::move(action)));
}

void FaultyLine::WriteByte(std::uint8_t byte) {
    if (!IsOpen()) return;
    const std::int64_t index = toRadioCount_++;
    if (const LineFault* f = Take(Direction::ToRadio, index, LineFaultKind::Pull)) {
        Pull(f->param);
        return;
    }
    if (const LineFault* f = Take(Direction::ToRadio, index, LineFaultKind::Echo)) {
        echoLeft_ = f->param;
    }
    if (echoLeft_ > 0) {
        --echoLeft_;
        At(clock_.Now() + byteTime_, [this, byte] { ToProgram(byte); });
    }
    if (Take(Direction::ToRadio, index, LineFaultKind::Drop)) return;
    if (const LineFault* f = Take(Direction::ToRadio, index, LineFaultKind::Late)) {
        toRadioFreeAt_ = std::max(clock_.Now(), toRadioFreeAt_) + Ms(f->param);
    }
    if (const LineFault* f = Take(Direction::ToRadio, index, LineFaultKind::Flip)) {
        byte ^= static_cast<std::uint8_t>(f->param);
    }
    if (const LineFault* f = Take(Direction::ToRadio, index, LineFaultKind::Extra)) {
        ToRadio(static_cast<std::uint8_t>(f->param));
    }
    ToRadio(byte);
    if (Take(Direction::ToRadio, index, LineFaultKind::Duplicate)) ToRadio(byte);
}

void FaultyLine::ToRadio(std::uint8_t byte) {
    if (toRadioFreeAt_ <= clock_.Now()) {
        inner_.WriteByte(byte);
        return;
    }
    // Held back behind a late byte; what is on the wire when the cable goes is lost.
    At(toRadioFreeAt_, [this, byte] {
        if (IsOpen()) inner_.WriteByte(byte);
    });
}

void FaultyLine::FromRadio() {
    while (inner_.BytesWaiting() > 0) {
        std::uint8_t byte = inner_.ReadByte();
        const std::int64_t index = toProgramCount_++;
        if (cutLeft_ > 0) {
            --cutLeft_;
            continue;
        }
        if (const LineFault* f = Take(Direction::ToProgram, index, LineFaultKind::Short)) {
            cutLeft_ = f->param - 1;
            continue;
        }
        if (Take(Direction::ToProgram, index, LineFaultKind::Drop)) continue;
        if (Take(Direction::ToProgram, index, LineFaultKind::WrongAck)) spoilNextAck_ = true;
        if (Take(Direction::ToProgram, index, LineFaultKind::MissingAck)) loseNextAck_ = true;
        if (byte == frame::kAck && loseNextAck_) {
            loseNextAck_ = false;
            continue;
        }
        if (byte == frame::kAck && spoilNextAck_) {
            spoilNextAck_ = false;
            byte = kNak;
        }
        if (const LineFault* f = Take(Direction::ToProgram, index, LineFaultKind::Late)) {
            toProgramFreeAt_ = std::max(clock_.Now(), toProgramFreeAt_) + Ms(f->param);
        }
        if (const LineFault* f = Take(Direction::ToProgram, index, LineFaultKind::Flip)) {
            byte ^= static_cast<std::uint8_t>(f->param);
        }
        if (const LineFault* f = Take(Direction::ToProgram, index, LineFaultKind::Extra)) {
            ToProgram(static_cast<std::uint8_t>(f->param));
        }
        ToProgram(byte);
        if (Take(Direction::ToProgram, index, LineFaultKind::Duplicate)) ToProgram(byte);
    }
}

void FaultyLine::ToProgram(std::uint8_t byte) {
    const auto deliver = [this, byte] {
        if (!IsOpen()) return;  // nobody listening: the byte is lost
        rx_.push_back(byte);
        Notify();
    };
    if (toProgramFreeAt_ <= clock_.Now()) {
        deliver();
    } else {
        At(toProgramFreeAt_, deliver);
    }
}

void FaultyLine::Pull(int replugMs) {
    plugged_ = false;
    pulledAt_ = clock_.Now();
    inner_.Close();
    rx_.clear();
    if (replugMs >= 0) At(clock_.Now() + Ms(replugMs), [this] { plugged_ = true; });
}

void FaultyLine::Notify() {
    if (notify_) return;
    notify_ = clock_.Schedule(clock_.Now(), [this] {
        notify_.reset();
        if (IsOpen() && !rx_.empty() && onReceive_) onReceive_();
    });
}

}  // namespace zt::reliability
