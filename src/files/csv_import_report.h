// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an import of CSV rows tells its user, in both languages: how many
// channels it stored, what else it did, and the rows it refused, skipped or
// adjusted. zt790ctl import-csv prints the counts on its last line; the desktop
// program puts all of it in one message for a dropped or opened file, File ->
// Import CSV... and a paste into the grid.

#include <cstddef>
#include <string>
#include <vector>

#include "files/channel_csv.h"
#include "model/bitext.h"

namespace zt {

// Why a row or the file was refused, or what was adjusted, in both languages:
// "Mode \"AM\" is not FM (wide) or NFM (narrow)".
[[nodiscard]] BiString CsvReasonText(const CsvReason& reason);
// A line's reasons one after the other, separated by "; " ("；").
[[nodiscard]] BiString CsvReasonsText(const std::vector<CsvReason>& reasons);

// "1 channel", "3 channels" / "3 个信道".
[[nodiscard]] BiString ChannelCountText(std::size_t channels);

// What the import did besides storing channels, to follow the count:
// "; 1 row skipped; 2 other channels emptied", or nothing.
[[nodiscard]] BiString CsvImportTally(const CsvImportResult& result);

// A message box holds this many lines of rows; the file has the rest.
inline constexpr std::size_t kShownCsvLines = 10;

struct CsvImportWording {
    // The first line when channels were stored ("Imported 3 channels from
    // a.csv"); the tally and a full stop follow it.
    BiString stored;
    // The first line when nothing was stored.
    BiString refused;
    // Said when Locations outside 1..128 (or none) refused the rows and the
    // caller did not number them itself: how this caller numbers them.
    BiString renumberHint;
};

// The wording of an import from the file `name` that stored `channels`
// channels; `renumberHint` says how this caller numbers rows itself.
[[nodiscard]] CsvImportWording FileImportWording(const std::string& name, std::size_t channels,
                                                 const BiString& renumberHint);

// The whole message: the first line, then the refused or skipped rows with
// their reasons, the hint, and what was adjusted on the way in ("line 4: name
// ..."), at most kShownCsvLines of each.
[[nodiscard]] BiString CsvImportMessage(const CsvImportResult& result,
                                        const CsvImportWording& wording);

}  // namespace zt
