#include "model/embedded_message.h"

#include <gtest/gtest.h>

#include "model/editor_text.h"

namespace zt {
namespace {

Image WithMessage(std::array<std::uint8_t, 5> bytes) {
    Image image{};
    for (auto& row : image) row.fill(255);
    for (int i = 0; i < 5; ++i) image[kMessageRow][kMessageFirstByte + i] = bytes[i];
    return image;
}

std::array<std::uint8_t, 5> MessageBytes(const Image& image) {
    std::array<std::uint8_t, 5> b{};
    for (int i = 0; i < 5; ++i) b[i] = image[kMessageRow][kMessageFirstByte + i];
    return b;
}

TEST(EmbeddedMessage, ShowsOnlyPrintableBytesForEveryByteValue) {
    for (int b = 0; b <= 255; ++b) {
        const Image image = WithMessage({72, static_cast<std::uint8_t>(b), 73, 255, 255});
        const std::string expected =
            (b >= 33 && b <= 127) ? std::string{'H', static_cast<char>(b), 'I'} : "HI";
        EXPECT_EQ(ShowEmbeddedMessage(image), expected) << b;
    }
}

TEST(EmbeddedMessage, StartUpBytesShowNothing) {
    EXPECT_EQ(ShowEmbeddedMessage(WithMessage({19, 16, 23, 23, 26})), "");
}

TEST(EmbeddedMessage, StoreRoundTripsAndPadsWith255) {
    struct Case {
        const char* text;
        std::array<std::uint8_t, 5> bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"HI", {72, 73, 255, 255, 255}, "HI"},         {"  HI ", {72, 73, 255, 255, 255}, "HI"},
        {"A B", {65, 32, 66, 255, 255}, "AB"},  // the inner blank is kept but not shown
        {"", {255, 255, 255, 255, 255}, ""},           {"HELLO", {72, 69, 76, 76, 79}, "HELLO"},
        {"HELLOWORLD", {72, 69, 76, 76, 79}, "HELLO"},  // a paste cannot spill into byte 9
    };
    for (const auto& c : cases) {
        Image image = WithMessage({1, 2, 3, 4, 5});
        image[kMessageRow][9] = 0x77;
        image[kMessageRow][3] = 0x66;
        StoreEmbeddedMessage(image, c.text);
        EXPECT_EQ(MessageBytes(image), c.bytes) << c.text;
        EXPECT_EQ(ShowEmbeddedMessage(image), c.shown) << c.text;
        EXPECT_EQ(image[kMessageRow][9], 0x77);
        EXPECT_EQ(image[kMessageRow][3], 0x66);
    }
}

TEST(EmbeddedMessage, KeysStopAtFiveCharactersBackspaceIncluded) {
    EXPECT_TRUE(EmbeddedMessageKeyAccepted("ABCD", U'E'));
    EXPECT_TRUE(EmbeddedMessageKeyAccepted("ABCD", kKeyBackspace));
    EXPECT_FALSE(EmbeddedMessageKeyAccepted("ABCDE", U'F'));
    EXPECT_FALSE(EmbeddedMessageKeyAccepted("ABCDE", kKeyBackspace));
    EXPECT_TRUE(EmbeddedMessageKeyAccepted(" ABCD ", U'E'));  // blanks around do not count
}

}  // namespace
}  // namespace zt
