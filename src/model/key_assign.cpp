// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/key_assign.h"

namespace zt {

int KeyPositionOfCode(std::uint8_t code) {
    constexpr int last = static_cast<int>(kKeyFunctions.size()) - 1;
    if (code > last) return 0;
    if (code == 0) return 1;
    return code;  // 1 reads as Autodial as well; 2..11 are their own position
}

std::uint8_t KeyCodeOfPosition(int position) {
    if (position <= 0 || position >= static_cast<int>(kKeyFunctions.size())) return 255;
    return kKeyFunctions[static_cast<std::size_t>(position)].code;
}

KeyView RefreshKeys(const Image& image) {
    const auto& row = image[kKeyRecordRow];
    return {KeyPositionOfCode(row[kKeyPf1Byte]), KeyPositionOfCode(row[kKeyPf2Byte])};
}

void CommitKeys(Image& image, int pf1Position, int pf2Position) {
    auto& row = image[kKeyRecordRow];
    if (pf1Position >= 0) row[kKeyPf1Byte] = KeyCodeOfPosition(pf1Position);
    if (pf2Position >= 0) row[kKeyPf2Byte] = KeyCodeOfPosition(pf2Position);
}

}  // namespace zt
