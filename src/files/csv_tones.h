// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a channel's two squelch tones (decode on receive, encode on transmit, each
// off, CTCSS, or DCS in normal or inverted polarity) are written in the tone
// columns of the generic CSV layout, and read back.
//
// The layout names one squelch mode per row: "" (none), "Tone" (encode CTCSS
// only), "TSQL" (the same CTCSS both ways), "DTCS" (the same DCS code both
// ways, each with its polarity) and "Cross" with a CrossMode "TX->RX" for every
// other combination. DtcsPolarity is two letters, N or R, transmit first.

#include <string>
#include <variant>

#include "files/csv_reason.h"

namespace zt {

struct CsvToneColumns {
    std::string tone;          // Tone
    std::string rToneFreq;     // encode CTCSS of "Tone" and "Cross"
    std::string cToneFreq;     // both ways in "TSQL", decode CTCSS in "Cross"
    std::string dtcsCode;      // both ways in "DTCS", encode DCS in "Cross"
    std::string dtcsPolarity;  // "NN", "NR", "RN", "RR"
    std::string rxDtcsCode;    // decode DCS in "Cross"
    std::string crossMode;     // "Tone->Tone", "DTCS->", "->DTCS", ...
};

// Tones as positions of the tone list: 0 off, 1..50 CTCSS, 51..157 DCS normal,
// 158..264 DCS inverted.
struct CsvTones {
    int rx = 0;  // decode
    int tx = 0;  // encode
    friend bool operator==(const CsvTones&, const CsvTones&) = default;
};

// The columns for a pair of tones. Columns the mode does not use carry the
// usual defaults (88.5, 023, NN, Tone->Tone) so other tools accept the row.
[[nodiscard]] CsvToneColumns ToneColumnsFor(CsvTones tones);

// The tones the columns name, or the reason they cannot be stored (an unknown
// mode, a tone or code this radio does not have, a bad polarity). Columns the
// mode does not use are not examined.
[[nodiscard]] std::variant<CsvTones, CsvReason> TonesFromColumns(const CsvToneColumns& columns);

}  // namespace zt
