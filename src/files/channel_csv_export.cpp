// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the channels of an image as CSV rows.

#include "files/channel_csv.h"
#include "files/csv_text.h"

namespace zt {

std::string CsvNameOf(const Image& image, int c) {
    std::string name = ReadName(image, c);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

CsvChannel CsvChannelFromImage(const Image& image, int c) {
    CsvChannel ch;
    ch.number = c;
    ch.name = CsvNameOf(image, c);
    ch.rxUnits = RxUnits(image, c);
    const int direction = OffsetDirection(image, c);
    if (GetFlag(image, c, kFlags2Byte, kTxStopBit)) {
        ch.duplex = CsvDuplex::TxOff;
    } else if (direction != 0) {
        ch.duplex = direction == 1 ? CsvDuplex::Plus : CsvDuplex::Minus;
        ch.offsetUnits = OffsetUnits(image, c);
    }
    const TonePair rx = RxTone(image, c);
    const TonePair tx = TxTone(image, c);
    ch.tones.rx = ToneToListIndex(rx.type, rx.index).value_or(0);
    ch.tones.tx = ToneToListIndex(tx.type, tx.index).value_or(0);
    const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
    ch.power = power == 3 ? kPowerHigh : power;
    ch.wide = GetFlag(image, c, kFlags2Byte, kWideBit);
    ch.scanSkip = GetFlag(image, c, kFlags1Byte, kScanSkipBit);
    return ch;
}

std::string FormatChannelCsv(const Image& image, std::span<const int> channels,
                             const CsvPowerLevels& power) {
    std::vector<std::string> fields;
    for (const CsvColumn& column : kCsvColumns) fields.emplace_back(column.name);
    std::string text = CsvLine(fields);
    for (const int c : channels) {
        if (IsChannelEmpty(image, c)) continue;
        const CsvChannel ch = CsvChannelFromImage(image, c);
        fields.clear();
        for (const CsvColumn& column : kCsvColumns) fields.push_back(column.write(ch, power));
        text += CsvLine(fields);
    }
    return text;
}

std::string FormatChannelCsv(const Image& image, const CsvPowerLevels& power) {
    std::vector<int> all;
    for (int c = 1; c <= kChannelCount; ++c) all.push_back(c);
    return FormatChannelCsv(image, all, power);
}

}  // namespace zt
