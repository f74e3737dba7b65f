// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editor_text.h"

namespace zt {

int CharCount(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;  // continuation bytes belong to the character before
    }
    return n;
}

}  // namespace zt
