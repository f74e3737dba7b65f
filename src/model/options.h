// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional features as the image holds them: the option block (row 208),
// the password and power-on message block (row 209) and the frequency-mode
// record (row 0). Each feature is a bit field of one byte; the editor shows the
// stored value as a list position (clamped to the last item) or a check box and
// writes it back at once. Bytes and bits not named here are preserved.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

// One field: image[row][byte] & mask, shifted down to bit 0.
struct BitField {
    int row;
    int byte;
    std::uint8_t mask;
};

[[nodiscard]] int ReadField(const Image& image, BitField field);
// Writes value into the field's bits; the other bits of the byte are kept.
void WriteField(Image& image, BitField field, int value);
[[nodiscard]] bool ReadFlag(const Image& image, BitField field);
void WriteFlag(Image& image, BitField field, bool on);

// The list position that shows a stored value: the value itself, or the last
// item when the value lies beyond it.
[[nodiscard]] int ShownPosition(int stored, std::size_t itemCount);

// Option block, row 208.
inline constexpr BitField kSquelchLevel{kOptionRow, 0, 0xFF};
inline constexpr BitField kScanMode{kOptionRow, 1, 0x03};
inline constexpr BitField kManualSetupOff{kOptionRow, 1, 0x04};  // 0 = "Manual set-up" on
inline constexpr BitField kRoger{kOptionRow, 1, 0x08};
inline constexpr BitField kVoxInhibitOnReceive{kOptionRow, 1, 0x10};
inline constexpr BitField kReceiveWhileRadio{kOptionRow, 1, 0x20};
inline constexpr BitField kBatterySave{kOptionRow, 1, 0x40};
inline constexpr BitField kChannelDisplay{kOptionRow, 1, 0x80};  // 0 frequency, 1 name
inline constexpr BitField kBackLight{kOptionRow, 2, 0x03};
inline constexpr BitField kRadioPassword{kOptionRow, 2, 0x08};
inline constexpr BitField kPowerOnMode{kOptionRow, 2, 0x30};
inline constexpr BitField kChannelWorkMode{kOptionRow, 2, 0x40};  // 0 frequency, 1 channel
inline constexpr BitField kBeep{kOptionRow, 2, 0x80};
inline constexpr BitField kTimeOutTimer{kOptionRow, 3, 0xFF};
inline constexpr BitField kAutoPowerOff{kOptionRow, 4, 0xFF};
inline constexpr BitField kVoxGainLevel{kOptionRow, 5, 0xFF};
inline constexpr BitField kVoxDelayTime{kOptionRow, 6, 0xFF};
inline constexpr BitField kKeyLockMode{kOptionRow, 7, 0x7F};
inline constexpr BitField kViceBandReceive{kOptionRow, 7, 0x80};
inline constexpr BitField kOptionByte10Bit0{kOptionRow, 10, 0x01};  // cleared by every refresh
inline constexpr BitField kOnlyChannelMode{kOptionRow, 10, 0x08};
inline constexpr BitField kFirstUsedChannel{kOptionRow, 12, 0xFF};

// Frequency-mode record, row 0 (the rest is laid out like a channel record).
inline constexpr BitField kVfoTxPower{kVfoRow, 12, 0x03};
inline constexpr BitField kVfoDuplex{kVfoRow, 12, 0xC0};  // 0 off, 1 plus, 2 minus
inline constexpr BitField kVfoStep{kVfoRow, 13, 0x07};
inline constexpr BitField kVfoTxStop{kVfoRow, 13, 0x10};
inline constexpr BitField kVfoWide{kVfoRow, 13, 0x20};
inline constexpr BitField kVfoVox{kVfoRow, 13, 0x40};
inline constexpr BitField kVfoBcl{kVfoRow, 13, 0x80};

// Password block, row 209: bytes 0..3 the password digits, 4..8 the power-on
// message, 255 for an empty position.
inline constexpr int kPasswordLength = 4;
inline constexpr int kPowerOnMessageLength = 5;
// The digits 0..9 of bytes 0..3 in order; other bytes are skipped (01 02 FF 04 -> "124").
[[nodiscard]] std::string ReadPassword(const Image& image);
// Bytes 0..3 = 255, then the first four characters of the trimmed text encoded.
void WritePassword(Image& image, std::string_view text);
// The message characters decoded and joined.
[[nodiscard]] std::string ReadPowerOnMessage(const Image& image);
// Bytes 4..8 = 255, then the first five characters of the trimmed text encoded.
void WritePowerOnMessage(Image& image, std::string_view text);

// The value lists of the option editor, in list order.
extern const std::array<BiText, 10> kSquelchItems;
extern const std::array<BiText, 3> kScanModeItems;
extern const std::array<BiText, 2> kChannelDisplayItems;
extern const std::array<BiText, 3> kBackLightItems;
extern const std::array<BiText, 3> kPowerOnModeItems;
extern const std::array<BiText, 2> kWorkModeItems;
extern const std::array<BiText, 8> kTimeOutTimerItems;
extern const std::array<BiText, 16> kAutoPowerOffItems;
extern const std::array<BiText, 8> kVoxGainLevelItems;
extern const std::array<BiText, 4> kVoxDelayTimeItems;
extern const std::array<BiText, 4> kKeyLockModeItems;
extern const std::array<BiText, 3> kTxPowerItems;
extern const std::array<BiText, 3> kDuplexItems;
extern const std::array<BiText, 8> kStepItems;
extern const std::array<BiText, 2> kWideNarrowItems;

}  // namespace zt
