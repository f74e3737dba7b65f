// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels as CSV in the generic column layout that other radio programming
// tools read and write and that radio users publish channel lists in (the
// columns: csv_columns.h). One importer and one exporter serve the command line
// and the desktop program.
//
// What the layout has no column for (VOX, BCL, the bits no editor uses, the
// offset of a channel whose transmit is stopped) is kept from the channel as it
// stands in the image, so exporting channels and importing the CSV back gives
// back every channel row and name unchanged.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/csv_columns.h"
#include "files/csv_power.h"
#include "model/radio_image.h"

namespace zt {

struct CsvImportOptions {
    // Store every row that passes and report the others as skipped, instead of
    // refusing the whole file for one bad row.
    bool skipInvalid = false;
    // Place the rows in file order from this channel on, ignoring Location; a
    // skipped row takes no channel.
    std::optional<int> renumberFrom;
    // Empty every channel (and its name) the CSV does not store; by default
    // they stay as they are.
    bool replace = false;
    // The nominal power of each level, for Power given in watts.
    CsvPowerLevels power;
    // ',' for CSV files; '\t' for text copied from a spreadsheet.
    char separator = ',';
};

// A line's reasons (every one a row has, in the order found), worded by the
// caller (csv_import_report.h).
struct CsvLineMessage {
    int line = 0;  // the file's line, counted from 1; 0 for the file as a whole
    std::vector<CsvReason> reasons;
    friend bool operator==(const CsvLineMessage&, const CsvLineMessage&) = default;
};

struct CsvImportResult {
    // True when channels were stored. False when the file was refused: then
    // the image is exactly as it was.
    bool ok = false;
    // The channels stored, in file order.
    std::vector<int> channels;
    // With `replace`: the channels emptied because the CSV does not store them.
    std::vector<int> emptied;
    // When refused: why (every bad row, in line order). With `skipInvalid`:
    // the rows skipped and why.
    std::vector<CsvLineMessage> problems;
    // What was adjusted on the way in: each changed name once, then a count;
    // powers in watts and the level they became.
    std::vector<CsvLineMessage> notes;
    // Hints for the caller to phrase in its own terms: a Location outside
    // 1..128 or no Location column (numbering the rows in order would place
    // them), and a header line that seems separated by ';' or a tab.
    bool renumberingWouldHelp = false;
    char otherSeparator = 0;
};

// Imports the rows of a CSV text (UTF-8, or UTF-16 as csv_encoding.h reads it)
// into the image. Every row is checked: the channel number, the receive and
// transmit frequencies against the image's band edges (row 153: low <= f <
// high; a frequency the channel already holds passes as it is), the tones and
// codes, the mode, skip and power columns. Names are made to fit (csv_names.h)
// and powers in watts become levels (csv_power.h).
// Without `skipInvalid` one bad row refuses the file; with it, the file is
// refused only when no row passes. A refused import leaves the image as it was.
[[nodiscard]] CsvImportResult ImportChannelCsv(std::string_view bytes, Image& image,
                                               const CsvImportOptions& options = {});

// The channel c (1..128) of an image as a row carries it. A direction value of
// 3 reads as simplex, a power of 3 as High, a tone the editors cannot show as
// off.
[[nodiscard]] CsvChannel CsvChannelFromImage(const Image& image, int c);

// Channel c's name as a row carries it: the blanks the radio pads a name with
// at the end dropped, a blank at the start kept (" LEAD").
[[nodiscard]] std::string CsvNameOf(const Image& image, int c);

// The header line and a row for each listed channel that is in use, in the
// order given; CR LF line ends. Power is written as the nominal watts of the
// level ("2.5W").
[[nodiscard]] std::string FormatChannelCsv(const Image& image, std::span<const int> channels,
                                           const CsvPowerLevels& power = {});
// The same for every used channel, in channel order.
[[nodiscard]] std::string FormatChannelCsv(const Image& image, const CsvPowerLevels& power = {});

}  // namespace zt
