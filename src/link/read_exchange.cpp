// SPDX-License-Identifier: GPL-3.0-or-later
// The read exchange: 254 blocks into CommBuffer, copied into the image only
// once the last one has arrived.
#include <cmath>

#include "link/frames.h"
#include "link/serial_link.h"

namespace zt {

void SerialLink::SendFirstReadRequest() {
    v_.TxFrame[0] = frame::kAck;
    PutBlockFrame(1, frame::kReadCommand, 0);
    SendFirstFrame(1);
}

bool SerialLink::ReceiveReadReply() {
    if (port_.BytesWaiting() < frame::kReadReplyBytes) return false;
    timers_.Stop(LinkTimer::Reply);
    auto& row = app_.CommBuffer[static_cast<std::size_t>(v_.BlockIndex)];
    for (int j = 0; j < frame::kReadReplyBytes; ++j) {
        row[static_cast<std::size_t>(j)] = port_.ReadByte();
    }
    port_.DiscardInput();
    port_.WriteByte(frame::kAck);
    OnReadBlock();
    return true;
}

void SerialLink::OnReadBlock() {
    if (v_.BlockIndex >= v_.BlockCount) {
        CompleteRead();
        return;
    }
    PutBlockFrame(0, frame::kReadCommand, v_.BlockIndex);
    ++v_.BlockIndex;
    StartSend();
    // New block number over blocks + 1, then times 100, fraction dropped.
    const double fraction = static_cast<double>(v_.BlockIndex) / (v_.BlockCount + 1);
    observer_.OnProgress(static_cast<int>(std::floor(fraction * 100)));
    observer_.OnStatus(ReadingBlockText(v_.BlockIndex));
    Step(LinkStep::Kind::Reading, v_.BlockIndex, v_.BlockCount);
}

void SerialLink::CompleteRead() {
    StopTransferTimers();
    v_.Busy = false;
    if (port_.IsOpen()) port_.Close();
    for (int i = 1; i <= kReadBlocks; ++i) {
        const auto& packet = app_.CommBuffer[static_cast<std::size_t>(i)];
        auto& row = app_.ChannelTable[static_cast<std::size_t>(i - 1)];
        for (int j = 0; j < kRowBytes; ++j) {
            row[static_cast<std::size_t>(j)] =
                packet[static_cast<std::size_t>(j + frame::kReadReplyHeaderBytes)];
        }
    }
    state_ = LinkState::Completed;
    observer_.OnProgress(100);
    observer_.OnStatus(ToLinkText(link_text::kReadDone));
    Step(LinkStep::Kind::ReadDone, kReadBlocks, kReadBlocks);
    observer_.OnMessage(LinkMessage{LinkMessageKind::ReadComplete,
                                    ToLinkText(link_text::kReadComplete), kOperatePromptCapital});
    v_.Finished = true;
    timers_.Start(LinkTimer::Close, kReadCloseCheckMs);
    observer_.OnFinished(ExchangeOutcome::Completed);
}

}  // namespace zt
