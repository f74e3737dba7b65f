// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the write button does to the image before any byte is sent: completes the
// derived rows (first used channel, identification tag, presence bitmap, the
// cleared option bit), then checks the frequency-mode record and every used
// channel against the radio's frequency limits. The derived rows stay changed
// even when a check then stops the write.

#include "link/link_texts.h"
#include "model/app_state.h"

namespace zt {

// True when the write may go ahead; otherwise `refusal` holds the message.
[[nodiscard]] bool PrepareAndCheckWrite(AppState& app, LinkText& refusal);

}  // namespace zt
