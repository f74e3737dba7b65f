// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frames of the programming protocol, byte by byte. Lock-step, no checksum;
// block b is the 16 bytes at address 16*b, sent as address high, address low.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/radio_image.h"

namespace zt::frame {

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kEndWrite = 'E';
inline constexpr std::uint8_t kEndPower = 'b';
inline constexpr std::uint8_t kBlockLength = 0x10;
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::uint8_t kPowerCommand = 'g';
inline constexpr int kPowerBlock = 240;

inline constexpr std::array<std::uint8_t, 8> kProgramRequest{'P', 'R', 'O', 'G',
                                                             'R', 'A', 'M', 0x02};
inline constexpr std::array<std::uint8_t, 5> kIdentifier{'Z', 'T', '7', '9', '0'};
inline constexpr int kIdentReplyBytes = 9;
inline constexpr int kReadReplyBytes = 21;
inline constexpr int kReadReplyHeaderBytes = 5;

[[nodiscard]] constexpr std::uint8_t AddressHigh(int block) {
    return static_cast<std::uint8_t>(block / 16);
}
[[nodiscard]] constexpr std::uint8_t AddressLow(int block) {
    return static_cast<std::uint8_t>((16 * block) % 256);
}
// The block a frame's address bytes name.
[[nodiscard]] constexpr int BlockOf(std::uint8_t high, std::uint8_t low) {
    return (high * 256 + low) / 16;
}

// Where the identifier starts in the receive scratch `rx`: the first of
// positions 0..20 that holds it, which counts only when it is 0..9 (a match
// there may take its last bytes from stale positions after the nine read).
// -1 when there is no match that counts.
[[nodiscard]] int FindIdentifier(std::span<const std::uint8_t> rx);

}  // namespace zt::frame
