// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels as CSV in the generic column layout that other radio programming
// tools read and write, so channels move between this radio and others:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,
//   URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// Location is the channel number 1..128, frequencies are MHz, Duplex is "",
// "+", "-", "split" (Offset is then the transmit frequency) or "off" (TX stop),
// Mode FM (wide) or NFM (narrow), Skip "S" for a channel left out of scanning,
// Power Low, Mid or High. The digital-voice columns stay empty.
//
// What the layout has no column for (VOX, BCL, the bits no editor uses, the
// offset of a channel whose transmit is stopped) is kept from the channel as it
// stands in the image, so exporting a file and importing the CSV back into it
// gives back every channel row and name unchanged.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/csv_tones.h"
#include "model/radio_image.h"

namespace zt {

enum class CsvDuplex { Simplex, Plus, Minus, TxOff };

// One channel as a CSV row expresses it.
struct CsvChannel {
    int number = 0;            // 1..128
    std::string name;          // in the radio's character set, at most five characters
    std::int64_t rxUnits = 0;  // receive frequency in 10 Hz units
    CsvDuplex duplex = CsvDuplex::Simplex;
    std::int64_t offsetUnits = 0;  // |TX - RX| in 10 Hz units for Plus and Minus
    CsvTones tones;
    int power = 2;  // 0 Low, 1 Mid, 2 High
    bool wide = true;
    bool scanSkip = false;
    friend bool operator==(const CsvChannel&, const CsvChannel&) = default;
};

// The channel c (1..128) of an image as a row would carry it. A direction value
// of 3 reads as simplex, a power of 3 as High, a tone the editors cannot show
// as off.
[[nodiscard]] CsvChannel CsvChannelFromImage(const Image& image, int c);

// The CSV text of every used channel of the image, in channel order, with the
// header line; CR LF line ends.
[[nodiscard]] std::string FormatChannelCsv(const Image& image);

// 10 Hz units as MHz with six decimals: 46201250 -> "462.012500".
[[nodiscard]] std::string UnitsToMHzText(std::int64_t units);

struct CsvLineMessage {
    int line = 0;  // 0 for the file as a whole
    std::string text;
    friend bool operator==(const CsvLineMessage&, const CsvLineMessage&) = default;
};

struct CsvImportResult {
    bool ok = false;
    // When refused: every bad row, in line order, with all its reasons.
    std::vector<CsvLineMessage> problems;
    // When accepted: what was adjusted on the way in (a name cut to five
    // characters, a power given in watts).
    std::vector<CsvLineMessage> notes;
    std::vector<int> channels;  // the channels the CSV set, in CSV order
};

// Checks every row first: the channel number, the receive and transmit
// frequencies against the image's band limits (row 153), the tones and codes,
// the name's characters, the mode, skip and power columns. When any row is
// wrong the image is left exactly as it was. Otherwise the channels of the CSV
// are stored; channels not in the CSV and every other row stay as they are.
[[nodiscard]] CsvImportResult ImportChannelCsv(std::string_view text, Image& image);

}  // namespace zt
