// SPDX-License-Identifier: GPL-3.0-or-later
// The write exchange: blocks 0..239 of the image, each acknowledged by the
// radio, then the end byte 'E'.
#include <cmath>

#include "link/frames.h"
#include "link/serial_link.h"
#include "link/write_checks.h"

namespace zt {

bool SerialLink::PrepareWrite() {
    if (sendAsIs_) return true;
    LinkText refusal;
    if (PrepareAndCheckWrite(app_, refusal)) return true;
    observer_.OnMessage(LinkMessage{LinkMessageKind::LimitCheck, refusal, kOperatePrompt});
    return false;
}

void SerialLink::SendFirstWriteFrame() {
    v_.TxFrame[0] = frame::kAck;
    PutBlockFrame(1, frame::kWriteCommand, 0, &app_.ChannelTable[0]);
    SendFirstFrame(1);
}

void SerialLink::OnWriteAck() {
    if (v_.BlockIndex >= v_.BlockCount) {
        CompleteWrite();
        return;
    }
    // Block number before the increment over the block count, times 100.
    const double fraction = static_cast<double>(v_.BlockIndex) / v_.BlockCount;
    observer_.OnProgress(static_cast<int>(std::floor(fraction * 100)));
    observer_.OnStatus(WritingBlockText(v_.BlockIndex - 1));
    Step(LinkStep::Kind::Writing, v_.BlockIndex + 1, v_.BlockCount);
    PutBlockFrame(0, frame::kWriteCommand, v_.BlockIndex,
                  &app_.ChannelTable[static_cast<std::size_t>(v_.BlockIndex)]);
    ++v_.BlockIndex;
    StartSend();
}

void SerialLink::CompleteWrite() {
    StopTransferTimers();
    timers_.Start(LinkTimer::Close, kWriteCloseDelayMs);
    v_.Finished = true;
    v_.Busy = false;
    port_.WriteByte(frame::kEndWrite);
    port_.Close();
    state_ = LinkState::Completed;
    observer_.OnStatus(ToLinkText(link_text::kWriteDone));
    Step(LinkStep::Kind::WriteDone, kWriteBlocks, kWriteBlocks);
    observer_.OnFinished(ExchangeOutcome::Completed);
}

}  // namespace zt
