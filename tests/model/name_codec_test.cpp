#include "model/name_codec.h"

#include <gtest/gtest.h>

#include <cctype>

namespace zt {
namespace {

TEST(NameCodec, EveryCodeRoundTrips) {
    const std::string expected = "0123456789- ABCDEFGHIJKLMNOPQRSTUVWXYZ_+*";
    for (int code = 0; code <= 40; ++code) {
        const std::string ch = CodeToChar(static_cast<std::uint8_t>(code));
        ASSERT_EQ(ch, expected.substr(static_cast<std::size_t>(code), 1)) << code;
        EXPECT_EQ(CharToCode(ch), code) << ch;
    }
    for (int code = 41; code <= 255; ++code) {
        EXPECT_EQ(CodeToChar(static_cast<std::uint8_t>(code)), "") << code;
    }
}

TEST(NameCodec, CharacterToCode) {
    const struct {
        const char* text;
        int code;
    } cases[] = {
        {"a", 12},  {"A", 12}, {"z", 37},  {"*", 40},  {"#", 11}, {"", 11},  {" ", 11},
        {"AB", 11}, {"é", 11}, {"Ａ", 11}, {"中", 11}, {"-", 10}, {"_", 38}, {"+", 39},
    };
    for (const auto& c : cases) EXPECT_EQ(CharToCode(std::string_view(c.text)), c.code) << c.text;
    // Every byte value as a one-byte text: only the set's characters have codes.
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        const std::uint8_t code = CharToCode(std::string_view(&ch, 1));
        if (code != 11) {
            EXPECT_EQ(CodeToChar(code)[0], std::toupper(b)) << b;
        }
    }
}

TEST(NameCodec, EncodeDecodeUppercasesAndBlanksTheRest) {
    const auto codes = EncodeText("ab#é9xyz", 5);
    ASSERT_EQ(codes.size(), 5u);
    EXPECT_EQ(DecodeText(codes), "AB  9");
    const std::uint8_t withGaps[] = {12, 255, 11, 13, 200};
    EXPECT_EQ(DecodeText(withGaps), "A B");
}

TEST(Utf8Characters, CountsCodePointsAndSurvivesBrokenBytes) {
    EXPECT_EQ(Utf8Characters("aé中").size(), 3u);
    EXPECT_EQ(Utf8Characters("\xC3").size(), 1u);
    EXPECT_EQ(Utf8Characters("\xFF\x80z").size(), 3u);
}

}  // namespace
}  // namespace zt
