// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/frames.h"

#include <algorithm>

namespace zt::frame {

int FindIdentifier(std::span<const std::uint8_t> rx) {
    for (int p = 0; p <= 20; ++p) {
        if (static_cast<std::size_t>(p) + kIdentifier.size() > rx.size()) break;
        if (std::equal(kIdentifier.begin(), kIdentifier.end(), rx.begin() + p)) {
            return p <= 9 ? p : -1;
        }
    }
    return -1;
}

}  // namespace zt::frame
