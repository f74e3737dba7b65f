// SPDX-License-Identifier: GPL-3.0-or-later
// The write exchange: blocks 0..239 of the image, each acknowledged by the
// radio, then the end byte 'E'.
#include <cmath>

#include "link/frames.h"
#include "link/serial_link.h"
#include "link/write_checks.h"

namespace zt {

bool SerialLink::PrepareWrite() {
    LinkText refusal;
    if (PrepareAndCheckWrite(app_, refusal)) return true;
    observer_.OnMessage(LinkMessage{LinkMessageKind::LimitCheck, refusal, kOperatePrompt});
    return false;
}

namespace {

void PutBlock(std::array<std::uint8_t, 201>& tx, std::size_t at, const ImageRow& row) {
    for (std::size_t j = 0; j < row.size(); ++j) tx[at + j] = row[j];
}

}  // namespace

void SerialLink::SendFirstWriteFrame() {
    v_.TxFrame[0] = frame::kAck;
    v_.TxFrame[1] = frame::kWriteCommand;
    v_.TxFrame[2] = 0x00;
    v_.TxFrame[3] = 0x00;
    v_.TxFrame[4] = frame::kBlockLength;
    PutBlock(v_.TxFrame, 5, app_.ChannelTable[0]);
    v_.TxLength = 21;
    v_.BlockIndex = 1;
    state_ = LinkState::Transferring;
    port_.DiscardInput();
    StartSend();
    port_.DiscardInput();
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
    v_.TxFrame[0] = frame::kWriteCommand;
    v_.TxFrame[1] = frame::AddressHigh(v_.BlockIndex);
    v_.TxFrame[2] = frame::AddressLow(v_.BlockIndex);
    v_.TxFrame[3] = frame::kBlockLength;
    PutBlock(v_.TxFrame, 4, app_.ChannelTable[static_cast<std::size_t>(v_.BlockIndex)]);
    v_.TxLength = 20;
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
