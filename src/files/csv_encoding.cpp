// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_encoding.h"

#include <algorithm>
#include <cstdint>

namespace zt {
namespace {

enum class Order { None, Little, Big };

// The byte order of UTF-16 text without a mark: in its first units, one byte
// of each pair is zero far more often than the other (ASCII letters, digits,
// commas, line ends), while UTF-8 text holds no zero byte at all.
Order Guess(std::string_view bytes) {
    const std::size_t pairs = std::min<std::size_t>(bytes.size() / 2, 256);
    std::size_t zeros[2] = {0, 0};  // zero bytes at even and at odd offsets
    for (std::size_t k = 0; k < pairs * 2; ++k) {
        if (bytes[k] == 0) ++zeros[k % 2];
    }
    if (pairs == 0 || zeros[0] + zeros[1] == 0) return Order::None;
    if (zeros[1] * 2 >= pairs && zeros[0] * 4 <= zeros[1]) return Order::Little;
    if (zeros[0] * 2 >= pairs && zeros[1] * 4 <= zeros[0]) return Order::Big;
    return Order::None;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

CsvReason Broken(std::size_t offset) {
    return {CsvReasonCode::Utf16Broken, std::to_string(offset)};
}

}  // namespace

std::variant<std::string, CsvReason> CsvTextFromBytes(std::string_view bytes) {
    Order order = Order::None;
    std::size_t start = 0;
    if (bytes.starts_with("\xFF\xFE")) {
        order = Order::Little;
        start = 2;
    } else if (bytes.starts_with("\xFE\xFF")) {
        order = Order::Big;
        start = 2;
    } else {
        order = Guess(bytes);
    }
    if (order == Order::None) return std::string(bytes);

    auto unit = [&](std::size_t at) -> std::uint16_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return order == Order::Little ? static_cast<std::uint16_t>(first | second << 8)
                                      : static_cast<std::uint16_t>(first << 8 | second);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = start;
    while (at < bytes.size()) {
        if (at + 2 > bytes.size()) return Broken(at);
        const std::uint16_t u = unit(at);
        if (u >= 0xDC00 && u <= 0xDFFF) return Broken(at);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (at + 4 > bytes.size()) return Broken(at);
            const std::uint16_t low = unit(at + 2);
            if (low < 0xDC00 || low > 0xDFFF) return Broken(at);
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
            at += 4;
            continue;
        }
        AppendUtf8(out, u);
        at += 2;
    }
    return out;
}

}  // namespace zt
