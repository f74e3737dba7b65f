// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of a CSV file as UTF-8 text. Spreadsheet programs save "Unicode
// text" as UTF-16: with a byte-order mark, or without one, which shows in the
// zero bytes of the characters below U+0100 that such a file is mostly made of.
// Such a file is converted; any other text is taken as UTF-8.

#include <string>
#include <string_view>
#include <variant>

#include "files/csv_reason.h"

namespace zt {

// The UTF-8 text, or why a UTF-16 file cannot be read (cut short, or a broken
// character).
[[nodiscard]] std::variant<std::string, CsvReason> CsvTextFromBytes(std::string_view bytes);

}  // namespace zt
