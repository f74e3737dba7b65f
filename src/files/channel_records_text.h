// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole channels as the program's own clipboard form: every byte of each
// record and name, empty channels in their places, and the settings that named
// each channel. A first line says what the text is; then one line per channel
// of 22 decimal values: the 16 record bytes, the 5 name codes and the set of
// settings (channel_references.h) as bits.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/channel_paste.h"

namespace zt {

// The MIME type the form travels under on the clipboard; the channel file has
// a type of its own.
inline constexpr const char* kChannelRecordsMime = "application/x-zt790-channel-records";

[[nodiscard]] std::string FormatChannelRecords(std::span<const ClipChannel> channels);
// The channels of such a text; nothing for any other text (a wrong first line,
// a line without its 22 values, a value above 255, more than 128 channels).
[[nodiscard]] std::optional<std::vector<ClipChannel>> ParseChannelRecords(std::string_view text);

}  // namespace zt
