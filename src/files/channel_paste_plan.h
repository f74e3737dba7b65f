// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paste into the channel grid, worked out before anything changes: where it
// starts (the first selected row, or the current one when none is selected),
// what it lays there (the clipboard's channels in the program's own form byte
// for byte, or else its CSV rows with the rows that do not fit skipped), what
// that would change, and what the user is told. The desktop program asks
// before used channels are replaced and then applies the plan. No Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/bitext.h"
#include "model/channel_commands.h"
#include "model/channel_paste.h"

namespace zt {

// What the clipboard offers: channels in the program's own form, and text.
struct ClipboardChannels {
    std::optional<std::string> records;
    std::optional<std::string> text;
};

// The separator that makes one of the first lines of `text` a header naming a
// Frequency column, if any does: rows a spreadsheet copies are separated by
// tabs, a list from a text file by commas (or semicolons). Other text is no
// list of channels.
[[nodiscard]] std::optional<char> CsvHeaderSeparator(std::string_view text);

struct PastePlan {
    int first = 1;
    // Said instead of pasting; the image stays as it is.
    std::optional<BiString> refusal;
    Image after{};
    PasteEffect effect;
    std::vector<ClipChannel> clip;  // the channels laid whole; none for CSV rows
    BiString told;                  // once pasted, before what the commit adds
};

[[nodiscard]] PastePlan PlanPaste(const Image& image, const ChannelSelection& selection,
                                  const ClipboardChannels& clipboard);

// "Replace 2 used channels?", asked when the plan replaces channels in use.
[[nodiscard]] BiString ReplaceQuestion(int used);

// Makes the plan's image the image; what the user is told then.
[[nodiscard]] BiString ApplyPaste(Image& image, const PastePlan& plan);

// `lines` below `message`, one a line.
void AddLines(BiString& message, const std::vector<BiString>& lines);

}  // namespace zt
