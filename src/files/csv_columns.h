// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the generic CSV layout, each described once: its name in the
// header line, how its field is read, and how it is written. The import and the
// export both go through this one table; adding a column is one entry.
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,
//   URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// Location is the channel number, frequencies are MHz, Duplex is "", "+", "-",
// "split" (Offset is then the transmit frequency) or "off" (TX stop), Mode FM
// (wide) or NFM (narrow), Skip "S" for a channel left out of scanning, Power a
// level name or watts (csv_power.h). TStep, Comment and the digital-voice
// columns are written for other tools and not read.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "files/csv_power.h"
#include "files/csv_reason.h"
#include "files/csv_tones.h"
#include "model/channel.h"

namespace zt {

enum class CsvDuplex { Simplex, Plus, Minus, TxOff };

// One channel as a row expresses it.
struct CsvChannel {
    int number = 0;    // 1..128
    std::string name;  // in the radio's character set, at most five characters
    FreqUnits rxUnits = 0;
    CsvDuplex duplex = CsvDuplex::Simplex;
    FreqUnits offsetUnits = 0;  // |TX - RX| for Plus and Minus
    CsvTones tones;
    int power = kPowerHigh;
    bool wide = true;
    bool scanSkip = false;
    friend bool operator==(const CsvChannel&, const CsvChannel&) = default;
};

// What the fields of one row say, each read on its own; what needs several
// fields, the options or the image (the channel number, the band, the transmit
// frequency, the tones) is decided by the import afterwards. A column missing
// from the file leaves its default here.
struct CsvRowFields {
    std::string location;
    std::string name;
    std::optional<FreqUnits> rx;
    std::string duplex;  // lower case: "", "+", "-", "split", "off"
    std::string offset;
    CsvToneColumns tones;
    bool wide = true;
    bool scanSkip = false;
    CsvPowerField power{kPowerHigh, {}};
};

struct CsvColumn {
    std::string_view name;
    // Takes the field into the row; returns why it cannot. Null for a column
    // the import does not read.
    std::optional<CsvReason> (*read)(std::string_view field, CsvRowFields& row);
    // The field for a channel.
    std::string (*write)(const CsvChannel& channel, const CsvPowerLevels& power);
};

inline constexpr std::size_t kCsvColumnCount = 21;
extern const std::array<CsvColumn, kCsvColumnCount> kCsvColumns;

// The tuning step other tools expect with a frequency: the largest of 25,
// 12.5, 6.25, 5 and 2.5 kHz that the frequency is a multiple of ("12.50");
// 2.5 kHz for a frequency none of them divides.
[[nodiscard]] std::string TuningStepText(FreqUnits units);

}  // namespace zt
