// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why the CSV import refused a row or the file, or what it adjusted, as a code
// with the values it names. The caller words it in its language
// (csv_import_report.h), so a Chinese interface never shows English reasons.

#include <string>
#include <utility>

namespace zt {

enum class CsvReasonCode {
    // A row; `a`, `b`, `c` as noted.
    MoreFields,          // more fields than the header names
    NoChannelLeft,       // renumbering ran past 128; a: the first channel
    NoLocation,          // Location empty
    LocationNotNumber,   // a: the Location field
    ChannelOutOfRange,   // a: the Location field
    ChannelTaken,        // a: the channel, b: the line that set it
    NoFrequency,         // Frequency empty
    FrequencyNotNumber,  // a: the field
    RxOutOfBand,         // a: MHz, b..c: the band in whole MHz
    OffsetNotOffset,     // a: the Offset field (Duplex + or -)
    OffsetNotTransmit,   // a: the Offset field (Duplex split)
    TxBelowZero,         // b..c: the band
    TxOutOfBand,         // a: MHz, b..c: the band
    DuplexUnknown,       // a: the field
    ModeUnknown,         // a: the field
    SkipUnknown,         // a: the field
    PowerUnknown,        // a: the field
    ToneModeUnknown,     // a: the Tone field
    CrossModeUnknown,    // a: the CrossMode field
    PolarityBad,         // a: the DtcsPolarity field
    CtcssUnknown,        // a: the column, b: the field
    DcsUnknown,          // a: the column, b: the field
    DcsMissing,          // a: the column
    // The file as a whole.
    RenumberFromOutOfRange,  // the first channel to number from
    QuoteNotClosed,          // a quoted field runs to the end of the text
    FileEmpty,               // no header line
    Utf16Broken,             // a: the byte offset of the broken character
    NoFrequencyColumn,       // a: the separator the fields seem to use, if any; b: the one used
    NoLocationColumn,
    NoRows,
    // Adjustments.
    NameStoredAs,    // a: the name given, b: the name stored
    NamesChanged,    // a: how many
    NamesAlike,      // a: the name, b: an earlier name, c: its line
    OffsetBySign,    // a: the Offset field, b: Duplex, c: the transmit MHz
    PowerBelowLow,   // a: watts given, b: Low's watts
    PowersAsLevels,  // a: "Low 1.0 W, Mid 2.5 W, High 5.0 W", b: "0.5 W as Low, ..."
};

struct CsvReason {
    CsvReason() = default;
    CsvReason(CsvReasonCode why, std::string first = {}, std::string second = {},
              std::string third = {})
        : code(why), a(std::move(first)), b(std::move(second)), c(std::move(third)) {}

    CsvReasonCode code = CsvReasonCode::NoRows;
    std::string a;
    std::string b;
    std::string c;
    friend bool operator==(const CsvReason&, const CsvReason&) = default;
};

}  // namespace zt
