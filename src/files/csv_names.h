// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel names of a CSV made to fit the radio: five characters of its own set
// (0-9, A-Z, blank, - _ + *), lower case shown as capitals, accents folded
// (latin_fold.h).
//
// A name of five characters or fewer that the radio can show stays exactly as
// it is. Any other name gets a short name built from what tells it apart from
// the other names of the list, by the first rule of a table that fits its
// shape: a callsign keeps its digit and suffix ("CQ0UOAZ" -> "0UOAZ",
// "CQ0UOAZ*" -> "UOAZ*"), a numbered sub-channel its numbers ("PMR2-01" ->
// "P2-01"), other names the part that differs within their group with its last
// number whole, the letters before a number losing vowels before consonants
// ("PMR446 Channel 01" -> "PMR01", "ARES01" -> "ARS01", "Site A Base" ->
// "SITEA"). Where names would still meet, each tries its next form; a counter
// is the last resort. A made name never equals a name another row gives as its
// own, nor a name kept on a channel the import leaves alone, nor another made
// name: names that differ in the file (beyond letter case and blanks at the
// end) differ on the radio.

#include <set>
#include <string>
#include <vector>

namespace zt {

// The name stored for each name given, in the same order. `kept` holds the
// names of the image's channels that the import leaves as they are.
[[nodiscard]] std::vector<std::string> RadioNames(const std::vector<std::string>& names,
                                                  const std::set<std::string>& kept = {});

// The name as the radio compares it: blanks at the end trimmed, ASCII letters
// in capitals. A blank at the start is part of the name.
[[nodiscard]] std::string NameKey(const std::string& name);

// For each name, the first earlier name that differs from it only in letter
// case, accents, blanks or punctuation, or -1. Only the first row of each
// spelling is marked, so a repeated pair is told once.
[[nodiscard]] std::vector<int> AlikeNames(const std::vector<std::string>& names);

}  // namespace zt
