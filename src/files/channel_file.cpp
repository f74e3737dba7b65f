// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <istream>
#include <sstream>
#include <system_error>

#include "files/text_file.h"

namespace zt {

namespace {

constexpr int kValueCount = kImageRows * kRowBytes;
constexpr std::size_t kTokenKept = 40;  // longer tokens are never numbers; kept for the message

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }

// A token as it may appear in a message: printable ASCII only.
std::string Printable(const std::string& token, bool cut) {
    std::string out;
    for (const char c : token) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    if (cut) out += "...";
    return out;
}

BiString TooShort(int count) {
    const std::string n = std::to_string(count);
    return {"The channel parameter file ends after " + n + " of 4096 values. Nothing was loaded.",
            "信道参数文件只有 " + n + " 个数值（应为 4096 个），未调入任何数据 ！"};
}

BiString NotANumber(int position, const std::string& token) {
    const std::string n = std::to_string(position);
    return {"The channel parameter file holds \"" + token + "\" where value " + n +
                " should be a number. Nothing was loaded.",
            "信道参数文件第 " + n + " 个数值处不是数字（\"" + token + "\"），未调入任何数据 ！"};
}

BiString OutOfRange(int position, const std::string& token) {
    const std::string n = std::to_string(position);
    return {
        "The channel parameter file holds " + token + " as value " + n +
            ", outside 0 to 255. Nothing was loaded.",
        "信道参数文件第 " + n + " 个数值 " + token + " 超出 0 到 255 的范围，未调入任何数据 ！"};
}

std::variant<Image, BiString> Parse(std::istream& in) {
    Image image{};
    int count = 0;
    std::string token;
    bool cut = false;

    // Returns an error, or nothing when the token was stored.
    auto take = [&]() -> std::variant<std::monostate, BiString> {
        const int position = count + 1;
        const std::string shown = Printable(token, cut);
        std::size_t start = token[0] == '+' ? 1 : 0;
        const bool negative = token[0] == '-';
        if (negative) start = 1;
        const std::string_view digits(token.data() + start, token.size() - start);
        const bool allDigits = !cut && !digits.empty() &&
                               digits.find_first_not_of("0123456789") == std::string_view::npos;
        if (!allDigits) return NotANumber(position, shown);
        unsigned long long value = 0;
        const auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        (void)p;
        if (negative || ec != std::errc() || value > 255) return OutOfRange(position, shown);
        image[static_cast<std::size_t>(count / kRowBytes)]
             [static_cast<std::size_t>(count % kRowBytes)] = static_cast<std::uint8_t>(value);
        ++count;
        return std::monostate{};
    };

    // A byte-order mark left by a text editor is not part of the numbers.
    if (in.peek() == 0xEF) {
        char bom[3] = {};
        in.read(bom, 3);
        if (in.gcount() != 3 || bom[1] != '\xBB' || bom[2] != '\xBF') {
            in.clear();
            in.seekg(0);
        }
    }

    char c = 0;
    while (count < kValueCount && in.get(c)) {
        if (IsSeparator(c)) {
            if (!token.empty()) {
                if (auto r = take(); std::holds_alternative<BiString>(r)) {
                    return std::get<BiString>(std::move(r));
                }
                token.clear();
                cut = false;
            }
            continue;
        }
        if (token.size() < kTokenKept) {
            token += c;
        } else {
            cut = true;
        }
    }
    if (count < kValueCount && !token.empty()) {
        if (auto r = take(); std::holds_alternative<BiString>(r)) {
            return std::get<BiString>(std::move(r));
        }
    }
    if (count < kValueCount) return TooShort(count);
    return image;
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

// Checked after the failure: a file there now was there before, since a failed
// save leaves no file behind.
BiString SaveFailed(const std::filesystem::path& path, const std::string& reason) {
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    return {"The channel parameter file could not be saved: " + PathText(path) + " (" + reason +
                (existed ? "). The previous file is unchanged." : "). No file was written."),
            "信道参数文件保存失败：" + PathText(path) + "（" + reason +
                (existed ? "），原文件未改动 ！" : "），未写入文件 ！")};
}

}  // namespace

std::string FormatChannelFile(const Image& image) {
    std::string text;
    text.reserve(kImageRows * (kRowBytes * 5 + 2));
    for (const ImageRow& row : image) {
        for (const std::uint8_t v : row) {
            text += ' ';
            text += std::to_string(v);
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

std::variant<Image, BiString> ParseChannelFile(std::string_view text) {
    std::istringstream in{std::string(text)};
    return Parse(in);
}

FileResult SaveChannelFile(const std::filesystem::path& path, const Image& image) {
    std::string reason;
    if (!WriteTextFile(path, FormatChannelFile(image), reason)) {
        return {false, SaveFailed(path, reason)};
    }
    return {true, BiString(kChannelFileSaved)};
}

FileResult LoadChannelFile(const std::filesystem::path& path, Image& image) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return {false,
                {"The channel parameter file cannot be opened: " + PathText(path) + " is a folder.",
                 "无法打开信道参数文件：" + PathText(path) + " 是文件夹 ！"}};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {false,
                {"The channel parameter file cannot be opened: " + PathText(path) + ".",
                 "无法打开信道参数文件：" + PathText(path) + " ！"}};
    }
    auto parsed = Parse(in);
    if (auto* error = std::get_if<BiString>(&parsed)) return {false, std::move(*error)};
    image = std::get<Image>(parsed);
    return {true, BiString(kChannelFileLoaded)};
}

}  // namespace zt
