// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/embedded_message.h"

#include "model/editor_text.h"
#include "model/number_text.h"

namespace zt {

std::string ShowEmbeddedMessage(const Image& image) {
    std::string text;
    const auto& row = image[kMessageRow];
    for (int f = kMessageFirstByte; f < kMessageFirstByte + kMessageLength; ++f) {
        const int b = row[f];
        if (b >= 33 && b < 128) text += static_cast<char>(b);
    }
    return text;
}

void StoreEmbeddedMessage(Image& image, std::string_view latin1Text) {
    auto& row = image[kMessageRow];
    for (int f = kMessageFirstByte; f < kMessageFirstByte + kMessageLength; ++f) row[f] = 255;
    const std::string_view text = TrimBlanks(latin1Text);
    for (std::size_t i = 0; i < text.size() && i < kMessageLength; ++i)
        row[kMessageFirstByte + i] = static_cast<std::uint8_t>(text[i]);
}

bool EmbeddedMessageKeyAccepted(std::string_view currentText, char32_t /*key*/) {
    return TrimBlanks(currentText).size() < kMessageLength;
}

}  // namespace zt
