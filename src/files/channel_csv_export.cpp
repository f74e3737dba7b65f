// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the channels of an image as CSV rows.

#include <array>

#include "files/channel_csv.h"
#include "files/csv_text.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/number_text.h"

namespace zt {
namespace {

const std::vector<std::string> kHeader{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// The coarsest usual tuning step the frequency lies on, as other tools write
// it; channels have no step of their own, so this only helps the other side.
std::string TuningStepFor(std::int64_t units) {
    struct Step {
        std::int64_t units;
        const char* text;
    };
    static constexpr std::array<Step, 6> kSteps{{{2500, "25.00"},
                                                 {1250, "12.50"},
                                                 {1000, "10.00"},
                                                 {625, "6.25"},
                                                 {500, "5.00"},
                                                 {250, "2.50"}}};
    for (const Step& s : kSteps) {
        if (units % s.units == 0) return s.text;
    }
    return "5.00";
}

const char* DuplexText(CsvDuplex d) {
    switch (d) {
        case CsvDuplex::Plus:
            return "+";
        case CsvDuplex::Minus:
            return "-";
        case CsvDuplex::TxOff:
            return "off";
        case CsvDuplex::Simplex:
            break;
    }
    return "";
}

const char* PowerText(int power) {
    static constexpr std::array<const char*, 3> kPower{"Low", "Mid", "High"};
    return kPower[static_cast<std::size_t>(power)];
}

}  // namespace

std::string UnitsToMHzText(std::int64_t units) {
    const std::string fraction = std::to_string(units % 100000 * 10);
    return std::to_string(units / 100000) + "." + std::string(6 - fraction.size(), '0') + fraction;
}

CsvChannel CsvChannelFromImage(const Image& image, int c) {
    CsvChannel ch;
    ch.number = c;
    ch.name = std::string(TrimBlanks(ReadName(image, c)));
    ch.rxUnits = BcdToUnits(image, c, kRxFreqByte);
    const int direction = OffsetDirection(image, c);
    if (GetFlag(image, c, kFlags2Byte, kTxStopBit)) {
        ch.duplex = CsvDuplex::TxOff;
    } else if (direction != 0) {
        ch.duplex = direction == 1 ? CsvDuplex::Plus : CsvDuplex::Minus;
        ch.offsetUnits = BcdToUnits(image, c, kTxOffsetByte);
    }
    const TonePair rx = RxTone(image, c);
    const TonePair tx = TxTone(image, c);
    ch.tones.rx = ToneToListIndex(rx.type, rx.index).value_or(0);
    ch.tones.tx = ToneToListIndex(tx.type, tx.index).value_or(0);
    const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
    ch.power = power == 3 ? 2 : power;
    ch.wide = GetFlag(image, c, kFlags2Byte, kWideBit);
    ch.scanSkip = GetFlag(image, c, kFlags1Byte, kScanSkipBit);
    return ch;
}

std::string FormatChannelCsv(const Image& image) {
    std::string text = CsvLine(kHeader);
    for (int c = 1; c <= kChannelCount; ++c) {
        if (IsChannelEmpty(image, c)) continue;
        const CsvChannel ch = CsvChannelFromImage(image, c);
        const CsvToneColumns tones = ToneColumnsFor(ch.tones);
        text += CsvLine({std::to_string(ch.number),
                         ch.name,
                         UnitsToMHzText(ch.rxUnits),
                         DuplexText(ch.duplex),
                         UnitsToMHzText(ch.offsetUnits),
                         tones.tone,
                         tones.rToneFreq,
                         tones.cToneFreq,
                         tones.dtcsCode,
                         tones.dtcsPolarity,
                         tones.rxDtcsCode,
                         tones.crossMode,
                         ch.wide ? "FM" : "NFM",
                         TuningStepFor(ch.rxUnits),
                         ch.scanSkip ? "S" : "",
                         PowerText(ch.power),
                         "",
                         "",
                         "",
                         "",
                         ""});
    }
    return text;
}

}  // namespace zt
