// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels on the clipboard in two forms at once. As CSV in the generic layout,
// a header line and one row per channel, so they paste into a spreadsheet, a
// text editor or another radio tool, and come back from any of them: text a
// spreadsheet copies is separated by tabs, a list from a text file by commas
// (or semicolons). And in the program's own form (files/channel_records_text.h),
// which carries every byte of each channel, so channels pasted within the
// program arrive exactly as they were copied.

#include <optional>
#include <string>

namespace zt {

// Puts CSV text on the clipboard as plain text and as text/csv, and the
// channels' own form beside it.
void PutChannelsOnClipboard(const std::string& csv, const std::string& records);

// The program's own form of channels, when the clipboard holds it.
[[nodiscard]] std::optional<std::string> ChannelRecordsOnClipboard();

// The clipboard's text when it holds channel rows: a header line naming a
// Frequency column among its first lines, in any of the separators. Nothing for
// other text, which stays text for whatever has the focus. The paste plan finds
// the separator again from the text.
[[nodiscard]] std::optional<std::string> CsvOnClipboard();

}  // namespace zt
