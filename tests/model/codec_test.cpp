// SPDX-License-Identifier: GPL-3.0-or-later
// Frequency, tone and name codecs and the number-text rules they share; the
// tone list as the radio knows it.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "model/editor_text.h"
#include "model/freq_codec.h"
#include "model/name_codec.h"
#include "model/number_text.h"
#include "model/tone_codec.h"
#include "table.h"

namespace zt {
namespace {

// Packed digits as one number, most significant byte first: 0x46201250.
std::uint32_t Packed(const BcdFreq& b) { return b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]; }

TEST(FreqCodec, TextToBcdAndBack) {
    // Digits below 10 Hz are cut off, never carried upward; -5 and values of
    // 1000 MHz or more are clamped to what eight digits name, not wrapped.
    const struct {
        const char* text;
        std::uint32_t bcd;
    } packs[] = {{"462.0125", 0x46201250},   {"400.625", 0x40062500},
                 {"145.123456", 0x14512345}, {"145.123459", 0x14512345},
                 {"0", 0x00000000},          {"", 0x00000000},
                 {"-5", 0x00000000},         {"470", 0x47000000},
                 {"469.99999", 0x46999999},  {"446.00000", 0x44600000},
                 {"46.500000", 0x04650000},  {"999.99999", 0x99999999},
                 {"0.00001", 0x00000001},    {"146.52abc", 0x14652000},
                 {"99999999", 0x99999999},   {"145.12345999999999999", 0x14512345}};
    for (const auto& c : packs) EXPECT_EQ(Packed(TextToBcd(c.text)), c.bcd) << c.text;
    const struct {
        std::uint32_t bcd;
        const char* text;
    } texts[] = {{0x00000000, "0.00000"},  {0x00125000, "1.25000"},  {0xFFFFFFFF, "1666.66665"},
                 {0x00000001, "0.00001"},  {0x01000000, "10.00000"}, {0xA0000000, "1000."},
                 {0x14512345, "145.12345"}};
    for (const auto& [bcd, text] : texts) {
        EXPECT_EQ(BcdToText(bcd & 255, bcd >> 8 & 255, bcd >> 16 & 255, bcd >> 24), text);
    }
    Image image{};
    image[1].fill(0xFF);  // nibbles above 9 weigh 10..15 in the units as well
    EXPECT_EQ(BcdToUnits(image, 1, 0), 166666665);
}

// Packing the text of a packed frequency gives the same bytes back, for every
// 10 Hz value of one whole MHz and for every 12.5 kHz step of the codec's range.
TEST(FreqCodec, RoundTripOverWholeDomainsAndStoredTextPadded) {
    auto roundTrip = [](std::int64_t units) {
        const BcdFreq bcd = UnitsToBcd(units);
        Image image{};
        StoreBcd(image, 0, 4, bcd);
        return TextToBcd(BcdToText(image, 0, 4)) == bcd && BcdToUnits(image, 0, 4) == units;
    };
    for (std::int64_t u = 14600000; u < 14700000; ++u) ASSERT_TRUE(roundTrip(u)) << u;
    for (std::int64_t u = 0; u < 100000000; u += 1250) ASSERT_TRUE(roundTrip(u)) << u;
    for (std::int64_t u = 0; u < 100000000; u += 99991) ASSERT_TRUE(roundTrip(u)) << u;
    // Stored texts are padded; the point is added only to one to three characters
    // (storing through the channel editors: channel_test).
    EXPECT_EQ(Each({"446", "46.5", "46", "5", "446.", "4465", "", "146.525001"}, PadFreqText),
              "446.00000|46.500000|46.000000|5.0000000|446.00000|446500000|000000000|146.525001");
}

TEST(ToneCodec, TheTwoDisplayRulesDifferOnlyWhereDocumented) {
    const struct {
        int type, index;
        std::optional<int> option, channel;
    } cases[] = {
        {0, 255, 0, 50},  // off in the option window, last CTCSS tone in the channel editors
        {255, 0, 0, 0},     {255, 7, 0, 0},   {0, 60, 50, 50}, {1, 200, 157, 157},
        {2, 200, 264, 264}, {2, 0, 158, 158}, {9, 255, 0, 0},  {9, 3, std::nullopt, std::nullopt},
        {1, 255, 0, 157},
    };
    for (const auto& c : cases) {
        const auto t = static_cast<std::uint8_t>(c.type);
        const auto n = static_cast<std::uint8_t>(c.index);
        EXPECT_EQ(BytesToTone(t, n), c.option) << c.type << "," << c.index;
        EXPECT_EQ(ToneToListIndex(t, n), c.channel) << c.type << "," << c.index;
    }
}

TEST(NameCodec, EveryCodeEveryByteValueAndWholeTexts) {
    const std::string set = "0123456789- ABCDEFGHIJKLMNOPQRSTUVWXYZ_+*";
    for (int code = 0; code <= 255; ++code) {
        const std::string ch = CodeToChar(static_cast<std::uint8_t>(code));
        EXPECT_EQ(ch, code <= 40 ? set.substr(static_cast<std::size_t>(code), 1) : "") << code;
        if (code <= 40) {
            EXPECT_EQ(CharToCode(ch), code) << ch;
        }
    }
    EXPECT_EQ(Each({"a", "z", "#", "", "AB", "é", "Ａ", "中", "-", "_", "+"},
                   [](const char* t) { return int(CharToCode(std::string_view(t))); }),
              "12|37|11|11|11|11|11|11|10|38|39");
    // Every byte value as a one-byte text: only the set's characters have codes.
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        const std::uint8_t code = CharToCode(std::string_view(&ch, 1));
        if (code != 11) {
            EXPECT_EQ(CodeToChar(code)[0], std::toupper(b)) << b;
        }
    }
    // Whole texts: through the names (channel_test) and the power-on message.
    // Characters are code points; a broken byte counts as one of its own.
    EXPECT_EQ(Each({"aé中", "\xC3", "\xFF\x80z"}, [](auto t) { return Utf8Characters(t).size(); }),
              "3|1|3");
    EXPECT_EQ(Each({"", "87.15", "A收B"}, CharCount), "0|5|3");
}

TEST(NumberText, LeadingShortestAndPlainNumbers) {
    EXPECT_EQ(Each({"146.5abc", "", "abc", "  446", "446.", ".5", "-12.5", "+3", "4.6e2", "1.2.3",
                    "462.0125", ".", "-", "12 34"},
                   LeadingNumber),
              "146.5|0|0|446|446|0.5|-12.5|3|4.6|1.2|462.0125|0|0|12");
    // Fifteen significant digits: the binary error of 146.52 - 146 shows.
    EXPECT_EQ(Each({0.0, 462.0125, 462.0, 0.5, -0.25, 0.00001, 146.52 - 146.0, 1666.66665, 1e20,
                    1.0 / 3.0, 87 + 0.1 * 3},
                   ShortestNumberText),
              "0|462.0125|462|.5|-.25|.00001|.52000000000001|1666.66665|100000000000000000000|"
              ".333333333333333|87.3");
    EXPECT_EQ(Each({400.0, 0.5, -3.0, 0.0}, PlainNumberText), " 400| .5|-3| 0");
    EXPECT_EQ(Each({"  X  ", "   ", "a b"}, TrimBlanks), "X||a b");
}

// The radio stores list positions, not frequencies or code numbers, so every
// tone's place, its byte pair and its text are checked against the radio's
// documented lists. Positions 1..50, stored as (0, position - 1).
constexpr const char* kCtcss =
    "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
    "118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 171.3 173.8 "
    "177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 225.7 229.1 233.6 "
    "241.8 250.3 254.1";

// Positions 51..157 in normal polarity, stored as (1, n), and 158..264 inverted,
// stored as (2, n), n counted from 0.
constexpr const char* kDcs =
    "017 023 025 026 031 032 036 043 047 050 051 053 054 065 071 072 073 074 114 115 116 122 125 "
    "131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 "
    "255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 "
    "423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 532 546 565 606 612 624 "
    "627 631 632 645 654 662 664 703 712 723 731 732 734 743 754";

// The list text: the visible text with its blanks before and after.
std::string Padded(int position, const std::string& text) {
    const auto [before, after] = position <= 9     ? std::pair{3, 4}
                                 : position <= 12  ? std::pair{2, 4}
                                 : position <= 101 ? std::pair{2, 3}
                                                   : std::pair{1, 3};
    return std::string(before, ' ') + text + std::string(after, ' ');
}

TEST(ToneList, EveryToneInRadioOrderWithItsBytesAndText) {
    const auto list = MakeToneList();
    struct Entry {
        int position;
        TonePair pair;
        std::string text;
    };
    std::vector<Entry> entries{{0, {255, 255}, "   OFF      "}};
    std::istringstream ctcss(kCtcss), dcs(kDcs);
    std::string tone;
    for (int n = 0; ctcss >> tone; ++n)
        entries.push_back({1 + n, {0, std::uint8_t(n)}, Padded(1 + n, tone)});
    for (int n = 0; dcs >> tone; ++n) {
        const std::string code = "D" + tone;
        entries.push_back({51 + n, {1, std::uint8_t(n)}, Padded(51 + n, code + "N")});
        entries.push_back({158 + n, {2, std::uint8_t(n)}, code + "I"});
    }
    ASSERT_EQ(entries.size(), 265u);
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.position);
        EXPECT_EQ(list[static_cast<std::size_t>(e.position)], e.text);
        EXPECT_EQ(ToneToBytes(e.position), e.pair);
        EXPECT_EQ(BytesToTone(e.pair.type, e.pair.index), e.position);
        EXPECT_EQ(ToneToListIndex(e.pair.type, e.pair.index), e.position);
    }
    for (int p = 265; p <= 300; ++p) EXPECT_EQ(list[static_cast<std::size_t>(p)], "") << p;
}

}  // namespace
}  // namespace zt
