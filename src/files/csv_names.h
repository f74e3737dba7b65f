// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel names of a CSV made to fit the radio: five characters of its own set
// (0-9, A-Z, blank, - _ + *), lower case shown as capitals.
//
// A name the radio can show as it is stays as it is. A longer one is cut to
// five characters when what is kept can be shown and no other name of the file
// gives the same five. Otherwise a short name is built from the letters and
// digits that tell the names of its group apart: the leading letters of what
// they share and the part that differs, keeping a trailing number whole
// ("PMR446 Channel 01" .. "16" -> "PMR01" .. "PMR16", "Marine Ch 68" ->
// "MAR68", "Site A Base" / "Site B Base" -> "SITEA" / "SITEB"). Names that
// differ in the file (beyond letter case and blanks at either end) differ on
// the radio.

#include <string>
#include <vector>

namespace zt {

// The name stored for each name given, in the same order.
[[nodiscard]] std::vector<std::string> RadioNames(const std::vector<std::string>& names);

// The name as the radio compares it: blanks trimmed, ASCII letters in capitals.
[[nodiscard]] std::string NameKey(const std::string& name);

}  // namespace zt
