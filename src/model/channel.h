// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One channel: the 16-byte record of image row c (c = 1..128) and five name
// characters in the name rows. These operations are what both channel editors
// store through; none of them shows a message or checks a frequency against the
// band (that is channel_validation.h).
//
// Record bytes: 0..3 receive frequency (packed BCD, byte 0 = 255 marks an empty
// channel), 4..7 transmit offset |TX - RX|, 8/9 receive tone type/index, 10/11
// transmit tone type/index, 12 flags (power, scan skip, offset direction), 13
// flags (TX stop, wide, VOX, BCL), 14..15 reserved.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/freq_codec.h"
#include "model/radio_image.h"
#include "model/tone_codec.h"

namespace zt {

inline constexpr int kChannelCount = 128;

// Byte positions inside a record.
inline constexpr int kRxFreqByte = 0;
inline constexpr int kTxOffsetByte = 4;
inline constexpr int kRxToneByte = 8;  // type, then index at + 1
inline constexpr int kTxToneByte = 10;
inline constexpr int kFlags1Byte = 12;
inline constexpr int kFlags2Byte = 13;

// Flags1 (byte 12).
inline constexpr std::uint8_t kPowerMask = 0x03;  // 0 Low, 1 Mid, 2 High
inline constexpr std::uint8_t kScanSkipBit = 0x04;
inline constexpr std::uint8_t kDirectionMask = 0xC0;
inline constexpr std::uint8_t kDirectionPlus = 0x40;   // TX = RX + offset
inline constexpr std::uint8_t kDirectionMinus = 0x80;  // TX = RX - offset
// Flags2 (byte 13).
inline constexpr std::uint8_t kTxStopBit = 0x10;
inline constexpr std::uint8_t kWideBit = 0x20;
inline constexpr std::uint8_t kVoxBit = 0x40;
inline constexpr std::uint8_t kBclBit = 0x80;

// Name area: channel c's character j (0..4) is flat position 5 (c - 1) + j of
// rows 160..199 read end to end.
inline constexpr int kNameLength = 5;

// Channel numbers outside 1..128 (0 for the frequency-mode record where noted)
// are programming errors and throw std::out_of_range.

[[nodiscard]] bool IsChannelEmpty(const Image& image, int c);  // byte 0 is 255
void ClearChannel(Image& image, int c);                        // bytes 0..15 = 255, name kept
// Bytes 8..15 to the grid's defaults: tones off, High, scan on, simplex, wide.
void ApplyGridDefaults(Image& image, int c);
// Bytes 4..15 to the dialog's defaults (offset 0, tones off, High, scan skip,
// simplex, narrow) and the name cleared.
void ApplyDialogDefaults(Image& image, int c);

// Offset direction of a record (row 0 allowed): 0 simplex, 1 plus, 2 minus; the
// value 3 reads as 0.
[[nodiscard]] int OffsetDirection(const Image& image, int row);

// Frequencies of a record (row 0, the frequency-mode record, or a channel 1..128)
// exactly, in 10 Hz units (FreqUnits, freq_codec.h). Every check and every
// caller that needs a transmit frequency takes it from TxUnits.
[[nodiscard]] FreqUnits RxUnits(const Image& image, int row);
[[nodiscard]] FreqUnits OffsetUnits(const Image& image, int row);
// RX, RX + offset or RX - offset by the direction (3 reads as simplex). May be
// negative for a minus offset larger than the receive frequency.
[[nodiscard]] FreqUnits TxUnits(const Image& image, int row);
// The same rule on values: direction 1 rx + offset, 2 rx - offset, any other rx.
[[nodiscard]] constexpr FreqUnits TxOf(FreqUnits rx, FreqUnits offset, int direction) {
    return direction == 1 ? rx + offset : direction == 2 ? rx - offset : rx;
}

// The receive cell text: BcdToText of bytes 0..3, e.g. 446.00000.
[[nodiscard]] std::string RxText(const Image& image, int c);
// The transmit cell text: the transmit frequency's shortest text; when shorter
// than 9 characters a point is appended to a text shorter than 4 characters,
// then zeros up to 9 (441 -> 441.00000).
[[nodiscard]] std::string TxText(const Image& image, int c);

// Stores a receive frequency text (padded and packed) into bytes 0..3.
void StoreRxText(Image& image, int c, std::string_view text);
// Sets the offset and direction so that the transmit frequency is tx: the
// offset is the exact difference to the stored receive frequency.
void StoreTxMHz(Image& image, int c, FreqUnits tx);
// A frequency in MHz held as a double would be taken for 10 Hz units.
template <std::floating_point T>
void StoreTxMHz(Image& image, int c, T txMHz) = delete;

void SetPower(Image& image, int c, int power);  // 0..2, other bits of byte 12 kept
void SetWide(Image& image, int c, bool wide);
// Sets or clears one flag bit of byte 12 or 13 (scan skip, TX stop, VOX, BCL).
void SetFlag(Image& image, int c, int byte, std::uint8_t mask, bool on);
[[nodiscard]] bool GetFlag(const Image& image, int c, int byte, std::uint8_t mask);

[[nodiscard]] TonePair RxTone(const Image& image, int c);
[[nodiscard]] TonePair TxTone(const Image& image, int c);
// Stores the tone of a list position (0 off, 1..264).
void SetRxTone(Image& image, int c, int position);
void SetTxTone(Image& image, int c, int position);

// The five name characters decoded and joined; empty positions contribute
// nothing.
[[nodiscard]] std::string ReadName(const Image& image, int c);
// Stores a name: blanks trimmed at both ends, the first five characters encoded,
// the rest of the five positions 255.
void WriteName(Image& image, int c, std::string_view text);
void ClearName(Image& image, int c);  // all five positions 255

}  // namespace zt
