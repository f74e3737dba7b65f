// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial_link.h"

#include <algorithm>

#include "link/frames.h"

namespace zt {

SerialLink::SerialLink(LinkMode mode, AppState& app, Port& port, LinkTimers& timers,
                       ExchangeObserver& observer)
    : mode_(mode), app_(app), port_(port), timers_(timers), observer_(observer) {
    port_.SetReceiveHandler([this] { OnBytesArrived(); });
    timers_.SetTickHandler([this](LinkTimer t) { OnTimer(t); });
}

SerialLink::~SerialLink() {
    port_.SetReceiveHandler(nullptr);
    timers_.SetTickHandler(nullptr);
    Abort();
}

bool SerialLink::InProgress() const { return v_.Busy || state_ == LinkState::Pausing; }

StartResult SerialLink::Start() {
    // A start during the pause before a retry would race the pending retry, so
    // the pause counts as busy here; Cancel still works during the pause.
    if (InProgress()) {
        ShowMessage(LinkMessageKind::Busy, link_text::kBusy);
        return StartResult::Busy;
    }
    if (mode_ == LinkMode::Write && !PrepareWrite()) return StartResult::CheckFailed;
    v_.Retries = mode_ == LinkMode::Identify ? 0 : kRetries;
    StartHandshake();
    if (app_.PortOpenFailed) return StartResult::PortFailed;
    observer_.OnProgress(0);
    observer_.OnStatus(ToLinkText(link_text::kConnecting));
    Step(LinkStep::Kind::Connecting);
    return StartResult::Started;
}

bool SerialLink::Cancel() {
    if (v_.Busy) {
        ShowMessage(LinkMessageKind::DontClose, link_text::kDontClose);
        return false;
    }
    Abort();
    return true;
}

void SerialLink::Abort() {
    for (int i = 1; i <= kLinkTimerCount; ++i) timers_.Stop(static_cast<LinkTimer>(i));
    if (mode_ == LinkMode::Power && v_.LinkUp && port_.IsOpen()) port_.WriteByte(frame::kEndPower);
    if (port_.IsOpen()) port_.Close();
    v_.Busy = false;
    if (mode_ == LinkMode::Power) v_.LinkUp = false;
    if (state_ != LinkState::Completed) state_ = LinkState::Idle;
}

void SerialLink::ShowMessage(LinkMessageKind kind, const BiText& text) {
    observer_.OnMessage(PromptMessage(kind, text));
}

void SerialLink::Step(LinkStep::Kind kind, int number, int count) {
    if (mode_ != LinkMode::Power) observer_.OnStep(LinkStep{kind, number, count});
}

void SerialLink::OpenPort() {
    app_.PortOpenFailed = false;
    PortSettings settings;
    settings.choice.number = app_.ComPort;
    settings.choice.device = app_.ComDevice;
    settings.discardOutput = mode_ != LinkMode::Read;
    std::string error;
    if (!port_.Open(settings, error)) {
        lastPortError_ = error;
        app_.PortOpenFailed = true;
    }
}

void SerialLink::PortFailed() {
    state_ = LinkState::Idle;
    ShowMessage(LinkMessageKind::PortError, link_text::kPortError);
    observer_.OnFinished(ExchangeOutcome::PortFailed);
}

void SerialLink::StartHandshake() {
    if (v_.Busy) return;
    if (!port_.IsOpen()) {
        OpenPort();
        if (app_.PortOpenFailed) {
            PortFailed();
            return;
        }
    }
    v_.LinkUp = false;
    port_.DiscardInput();
    std::copy(frame::kProgramRequest.begin(), frame::kProgramRequest.end(), v_.TxFrame.begin());
    v_.TxLength = static_cast<int>(frame::kProgramRequest.size());
    v_.WriteMode = mode_ != LinkMode::Read;
    v_.BlockIndex = 0;
    v_.BlockCount = mode_ == LinkMode::Read    ? kReadBlocks
                    : mode_ == LinkMode::Write ? kWriteBlocks
                    : mode_ == LinkMode::Power ? 1
                                               : 0;
    identifyResult_ = IdentifyReply::Pending;
    heard_.clear();
    v_.Busy = true;
    state_ = LinkState::Connecting;
    StartSend();
}

void SerialLink::StartSend() {
    v_.TxDone = false;
    v_.TxIndex = 0;
    timers_.Start(LinkTimer::Pump, kPumpMs);
}

void SerialLink::PutBlockFrame(std::size_t at, std::uint8_t command, int block,
                               const ImageRow* row) {
    v_.TxFrame[at] = command;
    v_.TxFrame[at + 1] = frame::AddressHigh(block);
    v_.TxFrame[at + 2] = frame::AddressLow(block);
    v_.TxFrame[at + 3] = frame::kBlockLength;
    std::size_t end = at + 4;
    if (row != nullptr) {
        std::copy(row->begin(), row->end(), v_.TxFrame.begin() + static_cast<std::ptrdiff_t>(end));
        end += row->size();
    }
    v_.TxLength = static_cast<int>(end);
}

void SerialLink::SendFirstFrame(int blockIndex) {
    v_.BlockIndex = blockIndex;
    state_ = LinkState::Transferring;
    port_.DiscardInput();
    StartSend();
    port_.DiscardInput();
}

void SerialLink::OnTimer(LinkTimer timer) {
    switch (timer) {
        case LinkTimer::Pump:
            OnPumpTick();
            break;
        case LinkTimer::Reply:
            OnReplyTimeout();
            break;
        case LinkTimer::Pause:
            OnRetryPause();
            break;
        case LinkTimer::Close:
            OnCloseTick();
            break;
    }
}

void SerialLink::OnPumpTick() {
    // Nothing that arrived before the frame goes out answers it: the tail of a
    // reply read early or line noise would otherwise be taken as the start of
    // the answer, and every later block would come out shifted.
    if (v_.TxIndex == 0) port_.DiscardInput();
    while (v_.TxIndex < v_.TxLength) {
        port_.WriteByte(v_.TxFrame[static_cast<std::size_t>(v_.TxIndex)]);
        timers_.Start(LinkTimer::Reply, kByteReplyMs);
        ++v_.TxIndex;
    }
    timers_.Start(LinkTimer::Reply, kReplyMs);
    timers_.Stop(LinkTimer::Pump);
    v_.TxDone = true;
}

void SerialLink::OnReplyTimeout() {
    timers_.Stop(LinkTimer::Reply);
    if (mode_ == LinkMode::Identify) {
        const std::size_t n = std::min(heard_.size(), frame::kProgramRequest.size());
        const bool echo = n > 0 && n == heard_.size() &&
                          std::equal(heard_.begin(), heard_.end(), frame::kProgramRequest.begin());
        EndIdentify(heard_.empty() ? IdentifyReply::Silent
                    : echo         ? IdentifyReply::Echo
                                   : IdentifyReply::Garbled);
        return;
    }
    // The port closed under a read or write: the cable was pulled or the adapter
    // unplugged. A retry would only find it gone five seconds later, so the
    // exchange fails now. (The power window's watchdog ends its own link.)
    if (mode_ != LinkMode::Power && !port_.IsOpen()) {
        FailExchange();
        return;
    }
    if (v_.Retries >= 1) Step(LinkStep::Kind::Retrying, Attempt() + 1, kRetries + 1);
    timers_.Start(LinkTimer::Pause, kPauseMs);
    if (port_.IsOpen()) port_.Close();
    v_.Busy = false;
    state_ = LinkState::Pausing;
}

void SerialLink::StopTransferTimers() {
    timers_.Stop(LinkTimer::Pump);
    timers_.Stop(LinkTimer::Reply);
    timers_.Stop(LinkTimer::Pause);
}

void SerialLink::OnRetryPause() {
    StopTransferTimers();
    if (v_.Retries < 1) {
        FailExchange();
        return;
    }
    --v_.Retries;
    StartHandshake();
    if (v_.Busy) Step(LinkStep::Kind::Connecting);
}

void SerialLink::FailExchange() {
    const bool lineLost = !port_.IsOpen() && state_ != LinkState::Pausing;
    StopTransferTimers();
    v_.Busy = false;
    state_ = LinkState::Idle;
    ShowMessage(LinkMessageKind::FailConnect, link_text::kFailConnect);
    observer_.OnProgress(0);
    observer_.OnStatus(ToLinkText(link_text::kCommunicationFault));
    if (lineLost) {
        Step(LinkStep::Kind::LineLost);
    } else {
        Step(LinkStep::Kind::NoAnswer, Attempt(), kRetries + 1);
    }
    observer_.OnFinished(ExchangeOutcome::Failed);
}

void SerialLink::OnCloseTick() {
    if (mode_ == LinkMode::Power) {
        if (!port_.IsOpen() || !v_.LinkUp) EndPower();
        return;
    }
    if (v_.Finished) {
        timers_.Stop(LinkTimer::Close);
        observer_.OnCloseDue();
    }
}

void SerialLink::OnBytesArrived() {
    // A notification may stand for several bytes; keep dispatching while a pass
    // consumes some, as if each byte had raised its own notification.
    while (port_.IsOpen()) {
        const int waiting = port_.BytesWaiting();
        if (waiting == 0) break;
        DispatchOnce();
        if (port_.BytesWaiting() >= waiting) break;
    }
}

void SerialLink::DispatchOnce() {
    if (mode_ == LinkMode::Identify) {
        ReceiveIdentifyBytes();
        return;
    }
    if (v_.LinkUp) {
        if (!v_.WriteMode) {
            if (!ReceiveReadReply()) return;
        } else {
            v_.RxBytes[0] = port_.ReadByte();
            if (v_.RxBytes[0] == frame::kAck && v_.TxDone) {
                timers_.Stop(LinkTimer::Reply);
                if (mode_ == LinkMode::Write) {
                    OnWriteAck();
                } else {
                    OnPowerAck();
                }
            }
        }
    }
    if (!v_.LinkUp && port_.IsOpen() && port_.BytesWaiting() >= frame::kIdentReplyBytes) {
        ReceiveIdentification();
    }
}

void SerialLink::ReceiveIdentification() {
    for (int i = 0; i < frame::kIdentReplyBytes; ++i) {
        v_.RxBytes[static_cast<std::size_t>(i)] = port_.ReadByte();
    }
    const int p = frame::FindIdentifier(v_.RxBytes);
    const bool valid = p >= 0;
    if (valid && p > 0) {
        std::copy(v_.RxBytes.begin() + p, v_.RxBytes.begin() + p + 21, v_.RxBytes.begin());
    }
    port_.DiscardInput();
    if (!valid) return;  // the reply time-out retries
    switch (mode_) {
        case LinkMode::Read:
            v_.LinkUp = true;
            timers_.Stop(LinkTimer::Reply);
            timers_.Stop(LinkTimer::Pause);
            SendFirstReadRequest();
            break;
        case LinkMode::Write:
            v_.LinkUp = true;
            timers_.Stop(LinkTimer::Reply);
            timers_.Stop(LinkTimer::Pause);
            SendFirstWriteFrame();
            break;
        case LinkMode::Power:
            PowerLinkUp();
            break;
        case LinkMode::Identify:
            break;  // ReceiveIdentifyBytes takes its own bytes
    }
}

}  // namespace zt
