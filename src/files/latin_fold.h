// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Latin letters with accents as the radio can spell them: each letter of the
// Latin-1 Supplement and Latin Extended-A blocks becomes its base letter, in the
// same case ("Fóia" -> "Foia", "Łódź" -> "Lodz"), ligatures and the letters
// without a base letter their usual spelling ("Æ" -> "AE", "ß" -> "ss",
// "Þ" -> "TH"). Every other character stays as it is.

#include <string>
#include <string_view>

namespace zt {

[[nodiscard]] std::u32string FoldLatin(std::u32string_view text);

}  // namespace zt
