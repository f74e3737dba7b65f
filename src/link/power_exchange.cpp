// SPDX-License-Identifier: GPL-3.0-or-later
// The power exchange: the three power values come with the identification;
// every bar change sends block 240 at once; 'b' ends the adjustment.
#include "link/frames.h"
#include "link/serial_link.h"

namespace zt {

namespace {
ImageRow& PowerRow(AppState& app) {
    return app.ChannelTable[static_cast<std::size_t>(frame::kPowerBlock)];
}
}  // namespace

StartResult SerialLink::Connect() {
    v_.Retries = kRetries;
    StartResult result = StartResult::Started;
    if (v_.Busy) {
        ShowMessage(LinkMessageKind::Busy, link_text::kBusy);
        result = StartResult::Busy;
    } else {
        StartHandshake();
        if (app_.PortOpenFailed) result = StartResult::PortFailed;
    }
    timers_.Start(LinkTimer::Close, kPowerWatchdogMs);
    return result;
}

void SerialLink::PowerLinkUp() {
    ImageRow& row = PowerRow(app_);
    row[0] = v_.RxBytes[5];
    row[1] = v_.RxBytes[6];
    row[2] = v_.RxBytes[7];
    // Bars set from here run their change steps while the link is still down,
    // so nothing is sent for them.
    observer_.OnPowerValues(row[0], row[1], row[2]);
    v_.LinkUp = true;
    timers_.Stop(LinkTimer::Reply);
    timers_.Stop(LinkTimer::Pause);
    v_.TxFrame[0] = frame::kAck;
    SendPowerFrame();
}

void SerialLink::SendPowerFrame() {
    const ImageRow& row = PowerRow(app_);
    // Position 0 keeps the 06 of the first power frame.
    PutBlockFrame(1, frame::kPowerCommand, frame::kPowerBlock, &row);
    SendFirstFrame(241);
}

bool SerialLink::SetPowerLevel(int level, int value) {
    if (level < 0 || level > 2 || value < 0 || value > 255) return false;
    ImageRow& row = PowerRow(app_);
    row[static_cast<std::size_t>(level)] = static_cast<std::uint8_t>(value);
    row[3] = static_cast<std::uint8_t>(level);
    if (v_.LinkUp) SendPowerFrame();
    return true;
}

void SerialLink::OnPowerAck() {
    StopTransferTimers();
    v_.Busy = false;
    state_ = LinkState::Ready;
}

void SerialLink::ClosePower() {
    v_.LinkUp = false;
    EndPower();
}

void SerialLink::EndPower() {
    StopTransferTimers();
    timers_.Stop(LinkTimer::Close);
    v_.Busy = false;
    if (port_.IsOpen()) {
        port_.WriteByte(frame::kEndPower);
        port_.Close();
    }
    state_ = LinkState::Idle;
    observer_.OnFinished(ExchangeOutcome::PowerEnded);
    observer_.OnCloseDue();
}

}  // namespace zt
