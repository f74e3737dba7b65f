// SPDX-License-Identifier: GPL-3.0-or-later
// The identification check: the programming request, the radio's
// identification taken by the same rule as a read or write takes it, then the
// end byte. It keeps what else the line brought back, so a silent radio, a
// cable that echoes and a device that answers something else are told apart.
#include <algorithm>

#include "link/frames.h"
#include "link/serial_link.h"

namespace zt {

void SerialLink::ReceiveIdentifyBytes() {
    const std::size_t before = heard_.size();
    while (port_.BytesWaiting() > 0 && heard_.size() < kIdentifyHeardMax) {
        heard_.push_back(port_.ReadByte());
    }
    port_.DiscardInput();
    // A read or write judges the first nine bytes after the request; so does
    // this check, once. Later bytes are only listened to, until the time-out.
    const auto nine = static_cast<std::size_t>(frame::kIdentReplyBytes);
    if (before >= nine || heard_.size() < nine) return;
    std::copy(heard_.begin(), heard_.begin() + frame::kIdentReplyBytes, v_.RxBytes.begin());
    if (frame::FindIdentifier(v_.RxBytes) < 0) return;
    v_.LinkUp = true;
    EndIdentify(IdentifyReply::Identified);
}

void SerialLink::EndIdentify(IdentifyReply reply) {
    StopTransferTimers();
    identifyResult_ = reply;
    const bool identified = reply == IdentifyReply::Identified;
    // The write's end byte takes the radio out of programming mode; after no
    // write frame it has stored nothing.
    if (identified && port_.IsOpen()) port_.WriteByte(frame::kEndWrite);
    if (port_.IsOpen()) port_.Close();
    v_.Busy = false;
    state_ = identified ? LinkState::Completed : LinkState::Idle;
    observer_.OnFinished(identified ? ExchangeOutcome::Completed : ExchangeOutcome::Failed);
}

}  // namespace zt
