// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_radio.h"

#include <algorithm>
#include <charconv>

#include "link/frames.h"
#include "model/blank_image.h"

namespace zt {

namespace {

bool Matches(const FaultTarget& target, const FaultTarget& frame) {
    if (target.kind != frame.kind) return false;
    return target.kind != FaultTarget::Kind::Block || target.block == frame.block;
}

std::size_t FrameLength(std::uint8_t first) {
    switch (first) {
        case 'P':
            return frame::kProgramRequest.size();
        case frame::kReadCommand:
            return 4;
        case frame::kWriteCommand:
        case frame::kPowerCommand:
            return 20;
        default:
            return 0;
    }
}

}  // namespace

std::optional<FaultPlan> ParseFaultSpec(std::string_view text, std::string& error) {
    FaultPlan plan;
    const auto at = text.find('@');
    if (at == std::string_view::npos) {
        error = "a fault needs KIND@FRAME, e.g. silent@200";
        return std::nullopt;
    }
    const std::string_view kind = text.substr(0, at);
    std::string_view where = text.substr(at + 1);
    constexpr std::string_view kAlways = ":always";
    constexpr std::string_view kOnce = ":once";
    if (where.ends_with(kAlways)) {
        plan.always = true;
        where.remove_suffix(kAlways.size());
    } else if (where.ends_with(kOnce)) {
        where.remove_suffix(kOnce.size());
    }
    if (kind == "silent") {
        plan.kind = FaultKind::NoReply;
    } else if (kind == "short") {
        plan.kind = FaultKind::ShortReply;
    } else if (kind == "bad-ack") {
        plan.kind = FaultKind::WrongAck;
    } else if (kind == "noise") {
        plan.kind = FaultKind::Noise;
    } else if (kind == "delay") {
        plan.kind = FaultKind::Delay;
    } else if (kind == "no-store") {
        plan.kind = FaultKind::NoStore;
    } else if (kind == "corrupt") {
        plan.kind = FaultKind::CorruptRead;
    } else if (kind == "pull") {
        plan.kind = FaultKind::Pull;
    } else {
        error = "unknown fault '" + std::string(kind) +
                "' (silent, short, bad-ack, noise, delay, no-store, corrupt or pull)";
        return std::nullopt;
    }
    if (where == "ident") {
        plan.target.kind = FaultTarget::Kind::Ident;
    } else if (where == "power") {
        plan.target.kind = FaultTarget::Kind::Power;
    } else {
        int block = -1;
        const auto [end, ec] = std::from_chars(where.data(), where.data() + where.size(), block);
        if (ec != std::errc{} || end != where.data() + where.size() || block < 0 ||
            block >= kImageRows) {
            error = "unknown frame '" + std::string(where) + "' (ident, power or a block 0..255)";
            return std::nullopt;
        }
        plan.target = FaultTarget{FaultTarget::Kind::Block, block};
    }
    return plan;
}

SimRadio::SimRadio() : memory_(BlankImage()) {}

SimRadio::SimRadio(const Image& memory) : memory_(memory) {}

std::optional<SimReply> SimRadio::Receive(std::uint8_t byte) {
    if (pulled_) return std::nullopt;
    if (frame_.empty()) {
        switch (byte) {
            case frame::kAck:
                // Acknowledges an identification or a read reply; the one after
                // the last block of the memory ends a read.
                if (programming_ && lastReadBlock_ == kRadioRows - 1) EndSession();
                return std::nullopt;
            case frame::kEndWrite:
            case frame::kEndPower:
                if (programming_) EndSession();
                return std::nullopt;
            default:
                break;
        }
        expected_ = FrameLength(byte);
        if (expected_ == 0) return std::nullopt;  // line noise
    }
    frame_.push_back(byte);
    if (frame_.size() == frame::kProgramRequest.size() && frame_[0] == 'P' &&
        !std::equal(frame_.begin(), frame_.end(), frame::kProgramRequest.begin())) {
        frame_.clear();
        return std::nullopt;
    }
    if (frame_.size() < expected_) return std::nullopt;
    auto reply = Complete();
    frame_.clear();
    return reply;
}

std::optional<SimReply> SimRadio::Complete() {
    const std::uint8_t command = frame_[0];
    if (command == 'P') {
        programming_ = true;
        lastReadBlock_ = -1;
        const ImageRow& power = memory_[frame::kPowerBlock];
        std::vector<std::uint8_t> reply(frame::kIdentifier.begin(), frame::kIdentifier.end());
        reply.insert(reply.end(), {power[0], power[1], power[2], 0x02});
        return Answer(FaultTarget{FaultTarget::Kind::Ident, 0}, std::move(reply));
    }
    if (!programming_ || frame_[3] != frame::kBlockLength) return std::nullopt;
    const int block = frame::BlockOf(frame_[1], frame_[2]);
    if (block >= kImageRows) return std::nullopt;
    ImageRow& row = memory_[static_cast<std::size_t>(block)];
    if (command == frame::kReadCommand) {
        lastReadBlock_ = block;
        std::vector<std::uint8_t> reply{frame::kReadCommand, frame_[1], frame_[2],
                                        frame::kBlockLength, 0x00};
        reply.insert(reply.end(), row.begin(), row.end());
        return Answer(FaultTarget{FaultTarget::Kind::Block, block}, std::move(reply));
    }
    const FaultTarget target = command == frame::kPowerCommand
                                   ? FaultTarget{FaultTarget::Kind::Power, block}
                                   : FaultTarget{FaultTarget::Kind::Block, block};
    if (!DropsWrite(target)) std::copy(frame_.begin() + 4, frame_.end(), row.begin());
    return Answer(target, {frame::kAck});
}

std::optional<SimReply> SimRadio::Answer(FaultTarget target, std::vector<std::uint8_t> reply) {
    SimReply out{std::move(reply), 0};
    for (FaultPlan& plan : faults_) {
        if (!Matches(plan.target, target) || (plan.fired && !plan.always)) continue;
        // A corrupted read waits for a read reply of its block, a lost write for
        // a write (answered by one acknowledgement byte), so a read of the same
        // block does not use them up.
        if (plan.kind == FaultKind::CorruptRead &&
            out.bytes.size() != static_cast<std::size_t>(frame::kReadReplyBytes)) {
            continue;
        }
        if (plan.kind == FaultKind::NoStore && out.bytes.size() != 1) continue;
        plan.fired = true;
        switch (plan.kind) {
            case FaultKind::NoReply:
                return std::nullopt;
            case FaultKind::Pull:
                pulled_ = true;
                return std::nullopt;
            case FaultKind::ShortReply: {
                const std::size_t keep = plan.shortBytes >= 0
                                             ? static_cast<std::size_t>(plan.shortBytes)
                                             : out.bytes.size() / 2;
                out.bytes.resize(std::min(keep, out.bytes.size()));
                break;
            }
            case FaultKind::WrongAck:
                if (target.kind == FaultTarget::Kind::Ident) {
                    out.bytes[0] = 'X';
                } else {
                    out.bytes = {0x15};
                }
                break;
            case FaultKind::Noise:
                out.bytes.insert(out.bytes.begin(), static_cast<std::size_t>(plan.noiseBytes),
                                 std::uint8_t{0x00});
                break;
            case FaultKind::Delay:
                out.delayMs += plan.delayMs;
                break;
            case FaultKind::NoStore:
                break;  // the answer is right; the data went nowhere (DropsWrite)
            case FaultKind::CorruptRead:
                out.bytes[static_cast<std::size_t>(frame::kReadReplyHeaderBytes +
                                                   (plan.corruptByte & 15))] ^= 0x01;
                break;
        }
        break;
    }
    if (out.bytes.empty()) return std::nullopt;
    return out;
}

bool SimRadio::DropsWrite(FaultTarget target) const {
    // The plan Answer will apply to this frame, if any.
    const auto plan = std::find_if(faults_.begin(), faults_.end(), [&](const FaultPlan& p) {
        return Matches(p.target, target) && (p.always || !p.fired);
    });
    return plan != faults_.end() &&
           (plan->kind == FaultKind::NoStore || plan->kind == FaultKind::Pull);
}

void SimRadio::EndSession() {
    programming_ = false;
    lastReadBlock_ = -1;
    ++sessions_;
}

}  // namespace zt
