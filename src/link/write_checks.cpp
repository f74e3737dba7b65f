// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/write_checks.h"

#include "model/limits.h"
#include "model/write_prep.h"

namespace zt {

bool PrepareAndCheckWrite(AppState& app, LinkText& refusal) {
    PrepareImageForWrite(app.ChannelTable);
    const LimitCheckResult check = CheckLimits(app.ChannelTable);
    if (check.passed) return true;
    refusal = check.message;
    return false;
}

}  // namespace zt
