// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_columns.h"

#include "files/csv_numbers.h"

namespace zt {
namespace {

using Read = std::optional<CsvReason>;

CsvReason Refusal(CsvReasonCode code, std::string_view field) {
    return {code, std::string(TrimField(field))};
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

// A tone column: read into its place among the tone columns, written from the
// channel's tones (csv_tones.h decides both).
template <std::string CsvToneColumns::*Member>
constexpr CsvColumn ToneColumn(std::string_view name) {
    return {name,
            [](std::string_view field, CsvRowFields& row) -> Read {
                row.tones.*Member = std::string(TrimField(field));
                return {};
            },
            [](const CsvChannel& ch, const CsvPowerLevels&) {
                return ToneColumnsFor(ch.tones).*Member;
            }};
}

// A column written empty and not read.
constexpr CsvColumn Unused(std::string_view name) {
    return {name, nullptr, [](const CsvChannel&, const CsvPowerLevels&) { return std::string(); }};
}

}  // namespace

std::string TuningStepText(FreqUnits units) {
    struct Step {
        FreqUnits units;
        const char* text;
    };
    static constexpr std::array<Step, 5> kSteps{
        {{2500, "25.00"}, {1250, "12.50"}, {625, "6.25"}, {500, "5.00"}, {250, "2.50"}}};
    for (const Step& s : kSteps) {
        if (units % s.units == 0) return s.text;
    }
    return "2.50";
}

constexpr std::array<CsvColumn, kCsvColumnCount> kCsvColumns{{
    {"Location",
     [](std::string_view field, CsvRowFields& row) -> Read {
         row.location = std::string(TrimField(field));
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) { return std::to_string(ch.number); }},
    {"Name",
     [](std::string_view field, CsvRowFields& row) -> Read {
         // A blank at the start can only come inside quotes (the text's
         // rules trim the rest): it is part of a stored name (" LEAD").
         const std::size_t end = field.find_last_not_of(" \t");
         row.name =
             end == std::string_view::npos
                 ? ""
                 : std::string(field.substr(0, end + 1).substr(field.find_first_not_of('\t')));
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) { return ch.name; }},
    {"Frequency",
     [](std::string_view field, CsvRowFields& row) -> Read {
         if (TrimField(field).empty()) return CsvReason{CsvReasonCode::NoFrequency};
         row.rx = ParseDecimal(field, 5);
         if (!row.rx) return Refusal(CsvReasonCode::FrequencyNotNumber, field);
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) { return UnitsToMHzText(ch.rxUnits); }},
    {"Duplex",
     [](std::string_view field, CsvRowFields& row) -> Read {
         row.duplex = LowerWord(field);
         for (const char* known : {"", "+", "-", "split", "off"}) {
             if (row.duplex == known) return {};
         }
         return Refusal(CsvReasonCode::DuplexUnknown, field);
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) {
         return std::string(DuplexText(ch.duplex));
     }},
    {"Offset",
     [](std::string_view field, CsvRowFields& row) -> Read {
         row.offset = std::string(TrimField(field));
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) { return UnitsToMHzText(ch.offsetUnits); }},
    ToneColumn<&CsvToneColumns::tone>("Tone"),
    ToneColumn<&CsvToneColumns::rToneFreq>("rToneFreq"),
    ToneColumn<&CsvToneColumns::cToneFreq>("cToneFreq"),
    ToneColumn<&CsvToneColumns::dtcsCode>("DtcsCode"),
    ToneColumn<&CsvToneColumns::dtcsPolarity>("DtcsPolarity"),
    ToneColumn<&CsvToneColumns::rxDtcsCode>("RxDtcsCode"),
    ToneColumn<&CsvToneColumns::crossMode>("CrossMode"),
    {"Mode",
     [](std::string_view field, CsvRowFields& row) -> Read {
         const std::string mode = LowerWord(field);
         if (mode != "" && mode != "fm" && mode != "nfm") {
             return Refusal(CsvReasonCode::ModeUnknown, field);
         }
         row.wide = mode != "nfm";
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) {
         return std::string(ch.wide ? "FM" : "NFM");
     }},
    {"TStep", nullptr,
     [](const CsvChannel& ch, const CsvPowerLevels&) { return TuningStepText(ch.rxUnits); }},
    {"Skip",
     [](std::string_view field, CsvRowFields& row) -> Read {
         const std::string skip = LowerWord(field);
         if (skip != "" && skip != "s" && skip != "p") {
             return Refusal(CsvReasonCode::SkipUnknown, field);
         }
         row.scanSkip = skip == "s";
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels&) {
         return std::string(ch.scanSkip ? "S" : "");
     }},
    {"Power",
     [](std::string_view field, CsvRowFields& row) -> Read {
         const auto power = ParsePowerField(field);
         if (!power) return Refusal(CsvReasonCode::PowerUnknown, field);
         row.power = *power;
         return {};
     },
     [](const CsvChannel& ch, const CsvPowerLevels& levels) {
         return WattsText(levels.milliwatts.at(static_cast<std::size_t>(ch.power))) + "W";
     }},
    Unused("Comment"),
    Unused("URCALL"),
    Unused("RPT1CALL"),
    Unused("RPT2CALL"),
    Unused("DVCODE"),
}};

}  // namespace zt
