// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel.h"

#include <stdexcept>

#include "model/freq_codec.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

ImageRow& Record(Image& image, int c) {
    if (c < 1 || c > kChannelCount) throw std::out_of_range("channel number");
    return image[static_cast<std::size_t>(c)];
}

const ImageRow& Record(const Image& image, int c) {
    if (c < 1 || c > kChannelCount) throw std::out_of_range("channel number");
    return image[static_cast<std::size_t>(c)];
}

// The image element holding flat name position p (rows 160..199 end to end).
std::uint8_t& NameByte(Image& image, int p) {
    return image[static_cast<std::size_t>(kFirstNameRow + p / kRowBytes)]
                [static_cast<std::size_t>(p % kRowBytes)];
}

}  // namespace

bool IsChannelEmpty(const Image& image, int c) { return Record(image, c)[kRxFreqByte] == 255; }

void ClearChannel(Image& image, int c) { Record(image, c).fill(255); }

void ApplyGridDefaults(Image& image, int c) {
    ImageRow& r = Record(image, c);
    for (int b = kRxToneByte; b < kFlags1Byte; ++b) r[static_cast<std::size_t>(b)] = 255;
    r[kFlags1Byte] = 2;     // High, scan on, simplex
    r[kFlags2Byte] = 0x20;  // wide; VOX, BCL and TX stop off
    r[14] = 255;
    r[15] = 255;
}

void ApplyDialogDefaults(Image& image, int c) {
    ImageRow& r = Record(image, c);
    for (int b = kTxOffsetByte; b < kRxToneByte; ++b) r[static_cast<std::size_t>(b)] = 0;
    for (int b = kRxToneByte; b < kFlags1Byte; ++b) r[static_cast<std::size_t>(b)] = 255;
    r[kFlags1Byte] = 6;  // High, scan skip, simplex
    r[kFlags2Byte] = 0;  // narrow; VOX, BCL and TX stop off
    r[14] = 255;
    r[15] = 255;
    ClearName(image, c);
}

int OffsetDirection(const Image& image, int row) {
    if (row < 0 || row > kChannelCount) throw std::out_of_range("record row");
    const int d = (image[static_cast<std::size_t>(row)][kFlags1Byte] & kDirectionMask) >> 6;
    return d == 3 ? 0 : d;
}

FreqUnits RxUnits(const Image& image, int row) {
    (void)OffsetDirection(image, row);  // refuses a row that is no record
    return BcdToUnits(image, row, kRxFreqByte);
}

FreqUnits OffsetUnits(const Image& image, int row) {
    (void)OffsetDirection(image, row);
    return BcdToUnits(image, row, kTxOffsetByte);
}

FreqUnits TxUnits(const Image& image, int row) {
    return TxOf(RxUnits(image, row), OffsetUnits(image, row), OffsetDirection(image, row));
}

std::string RxText(const Image& image, int c) {
    Record(image, c);
    return BcdToText(image, c, kRxFreqByte);
}

std::string TxText(const Image& image, int c) {
    Record(image, c);
    std::string text = UnitsText(TxUnits(image, c));
    if (text.size() >= 9) return text;
    if (text.size() < 4) text += '.';
    text.append(9 - text.size(), '0');
    return text;
}

void StoreRxText(Image& image, int c, std::string_view text) {
    Record(image, c);
    (void)StoreFreqText(image, text, c, kRxFreqByte);
}

void StoreTxMHz(Image& image, int c, FreqUnits tx) {
    ImageRow& r = Record(image, c);
    const FreqUnits rx = RxUnits(image, c);
    r[kFlags1Byte] &= static_cast<std::uint8_t>(~kDirectionMask);
    if (tx > rx) r[kFlags1Byte] |= kDirectionPlus;
    if (tx < rx) r[kFlags1Byte] |= kDirectionMinus;
    StoreBcd(image, c, kTxOffsetByte, UnitsToBcd(tx > rx ? tx - rx : rx - tx));
}

void SetPower(Image& image, int c, int power) {
    ImageRow& r = Record(image, c);
    r[kFlags1Byte] =
        static_cast<std::uint8_t>((r[kFlags1Byte] & ~kPowerMask) | (power & kPowerMask));
}

void SetWide(Image& image, int c, bool wide) { SetFlag(image, c, kFlags2Byte, kWideBit, wide); }

void SetFlag(Image& image, int c, int byte, std::uint8_t mask, bool on) {
    if (byte != kFlags1Byte && byte != kFlags2Byte) throw std::out_of_range("flag byte");
    std::uint8_t& b = Record(image, c)[static_cast<std::size_t>(byte)];
    b = on ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
}

bool GetFlag(const Image& image, int c, int byte, std::uint8_t mask) {
    if (byte != kFlags1Byte && byte != kFlags2Byte) throw std::out_of_range("flag byte");
    return (Record(image, c)[static_cast<std::size_t>(byte)] & mask) != 0;
}

TonePair RxTone(const Image& image, int c) {
    const ImageRow& r = Record(image, c);
    return {r[kRxToneByte], r[kRxToneByte + 1]};
}

TonePair TxTone(const Image& image, int c) {
    const ImageRow& r = Record(image, c);
    return {r[kTxToneByte], r[kTxToneByte + 1]};
}

void SetRxTone(Image& image, int c, int position) {
    const TonePair t = ToneToBytes(position);
    ImageRow& r = Record(image, c);
    r[kRxToneByte] = t.type;
    r[kRxToneByte + 1] = t.index;
}

void SetTxTone(Image& image, int c, int position) {
    const TonePair t = ToneToBytes(position);
    ImageRow& r = Record(image, c);
    r[kTxToneByte] = t.type;
    r[kTxToneByte + 1] = t.index;
}

std::string ReadName(const Image& image, int c) {
    Record(image, c);
    std::string name;
    for (int j = 0; j < kNameLength; ++j) {
        const int p = kNameLength * (c - 1) + j;
        name += CodeToChar(image[static_cast<std::size_t>(kFirstNameRow + p / kRowBytes)]
                                [static_cast<std::size_t>(p % kRowBytes)]);
    }
    return name;
}

void WriteName(Image& image, int c, std::string_view text) {
    ClearName(image, c);
    const auto codes = EncodeText(TrimBlanks(text), kNameLength);
    for (std::size_t k = 0; k < codes.size(); ++k) {
        NameByte(image, kNameLength * (c - 1) + static_cast<int>(k)) = codes[k];
    }
}

void ClearName(Image& image, int c) {
    Record(image, c);
    for (int j = 0; j < kNameLength; ++j) NameByte(image, kNameLength * (c - 1) + j) = 255;
}

}  // namespace zt
