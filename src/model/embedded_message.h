// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The embedded message: five characters in row 209, bytes 4..8, written by this
// window as 8-bit character codes. (The optional-features window edits the same
// bytes as its power-on message, through the radio's own character set.)

#include <string>
#include <string_view>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr int kMessageRow = 209;
inline constexpr int kMessageFirstByte = 4;
inline constexpr int kMessageLength = 5;

struct MessageCaptions {
    BiText window{"Embedded Message", "嵌入信息"};
    BiText close{"Close", "关闭"};
    BiText help{"Help", "帮助"};
};
inline constexpr MessageCaptions kMessageCaptions{};

// The bytes 33..127 of the message, in order, as characters; every other byte
// (the blank and the empty position 255 included) is skipped.
[[nodiscard]] std::string ShowEmbeddedMessage(const Image& image);

// Stores the text, blanks at both ends removed, one 8-bit code per character
// (Latin-1 text); positions after the text hold 255. Characters after the fifth
// are not stored.
void StoreEmbeddedMessage(Image& image, std::string_view latin1Text);

// Key filter: once the trimmed text has five characters every key that produces
// a character, Backspace included, is discarded.
[[nodiscard]] bool EmbeddedMessageKeyAccepted(std::string_view currentText, char32_t key);

}  // namespace zt
