// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/name_codec.h"

namespace zt {

std::uint8_t CharToCode(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<std::uint8_t>(c - U'0');
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
    if (c >= U'A' && c <= U'Z') return static_cast<std::uint8_t>(12 + (c - U'A'));
    switch (c) {
        case U'-':
            return 10;
        case U'_':
            return 38;
        case U'+':
            return 39;
        case U'*':
            return 40;
        default:
            return kBlankCode;
    }
}

std::uint8_t CharToCode(std::string_view oneCharacter) {
    const std::u32string chars = Utf8Characters(oneCharacter);
    return chars.size() == 1 ? CharToCode(chars[0]) : kBlankCode;
}

std::string CodeToChar(std::uint8_t code) {
    if (code <= 9) return std::string(1, static_cast<char>('0' + code));
    if (code == 10) return "-";
    if (code == 11) return " ";
    if (code <= 37) return std::string(1, static_cast<char>('A' + (code - 12)));
    if (code == 38) return "_";
    if (code == 39) return "+";
    if (code == 40) return "*";
    return {};
}

std::u32string Utf8Characters(std::string_view text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t c = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        } else if (lead >= 0x80) {
            c = 0xFFFD;  // a byte that cannot start a character
        }
        bool valid = i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            valid = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!valid) {
            // A broken sequence: its lead byte stands for one unknown character.
            length = 1;
            c = 0xFFFD;
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::vector<std::uint8_t> EncodeText(std::string_view text, std::size_t maxLength) {
    const std::u32string chars = Utf8Characters(text);
    std::vector<std::uint8_t> codes;
    for (std::size_t k = 0; k < chars.size() && k < maxLength; ++k) {
        codes.push_back(CharToCode(chars[k]));
    }
    return codes;
}

std::string DecodeText(std::span<const std::uint8_t> codes) {
    std::string text;
    for (const std::uint8_t code : codes) text += CodeToChar(code);
    return text;
}

}  // namespace zt
