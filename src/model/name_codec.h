// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's own 41-symbol character set for channel names and other short
// texts: digits 0..9 are codes 0..9, "-" is 10, the blank 11, A..Z 12..37, then
// "_", "+", "*" are 38, 39, 40. Code 255 marks an empty position.
//
// Texts in the program are UTF-8; a "character" is one code point, so a
// full-width or accented letter counts as one character (and encodes as a blank).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

inline constexpr std::uint8_t kBlankCode = 11;
inline constexpr std::uint8_t kEmptyCode = 255;

// The code of one character; a lower-case letter gives its capital's code; any
// other character gives 11 (the blank).
[[nodiscard]] std::uint8_t CharToCode(char32_t character);
// The code of a one-character text; any other text (empty, longer than one
// character) gives 11.
[[nodiscard]] std::uint8_t CharToCode(std::string_view oneCharacter);

// The one-character text of a code: 11 gives a blank, 41..255 the empty text.
[[nodiscard]] std::string CodeToChar(std::uint8_t code);

// The characters (code points) of a UTF-8 text; a byte that does not start a
// valid sequence counts as one character of its own.
[[nodiscard]] std::u32string Utf8Characters(std::string_view text);

// Encodes the first `maxLength` characters of a text; shorter texts give fewer
// codes (the caller pads with 255).
[[nodiscard]] std::vector<std::uint8_t> EncodeText(std::string_view text, std::size_t maxLength);
// Decodes codes one by one and joins them; positions without a character (255
// and every code above 40) contribute nothing.
[[nodiscard]] std::string DecodeText(std::span<const std::uint8_t> codes);

}  // namespace zt
