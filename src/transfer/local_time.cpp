// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/local_time.h"

#include <ctime>

namespace zt {

std::string LocalTimeText(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

}  // namespace zt
