#include "model/options.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"

namespace zt {
namespace {

TEST(OptionBytes, StartUpBytesDecodeToTheirDocumentedSettings) {
    const OptionByte1 b1 = UnpackOptionByte1(0x71);
    EXPECT_EQ(b1.scanMode, 1);  // CO
    EXPECT_TRUE(b1.manualSetup);
    EXPECT_FALSE(b1.roger);
    EXPECT_TRUE(b1.voxInhibitOnReceive);
    EXPECT_TRUE(b1.receiveWhileRadio);
    EXPECT_TRUE(b1.batterySave);
    EXPECT_FALSE(b1.nameDisplay);

    const OptionByte2 b2 = UnpackOptionByte2(0x81);
    EXPECT_EQ(b2.backLight, 1);  // Key
    EXPECT_FALSE(b2.radioPassword);
    EXPECT_EQ(b2.powerOnMode, 0);
    EXPECT_FALSE(b2.channelMode);
    EXPECT_TRUE(b2.beep);
}

TEST(OptionBytes, PackingRoundTripsEveryByteValue) {
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        EXPECT_EQ(PackOptionByte1(UnpackOptionByte1(b)), b) << v;
        EXPECT_EQ(PackOptionByte2(UnpackOptionByte2(b), b), b) << v;
    }
    // Each setting lands on its own bit.
    OptionByte1 o{};
    o.manualSetup = true;
    EXPECT_EQ(PackOptionByte1(o), 0);
    o.manualSetup = false;
    EXPECT_EQ(PackOptionByte1(o), 4);
    o = {2, true, true, false, false, false, true};
    EXPECT_EQ(PackOptionByte1(o), 2 + 8 + 128);
    EXPECT_EQ(PackOptionByte2({2, true, 2, true, false}, 0x04), 2 + 4 + 8 + 32 + 64);
}

TEST(OptionFields, ReadAndWriteKeepTheOtherBits) {
    Image image = BlankImage();
    EXPECT_EQ(ReadField(image, kSquelchLevel), 5);
    EXPECT_EQ(ReadField(image, kScanMode), 1);
    EXPECT_EQ(ReadField(image, kBackLight), 1);
    EXPECT_EQ(ReadField(image, kTimeOutTimer), 3);
    EXPECT_EQ(ReadField(image, kVoxGainLevel), 4);
    EXPECT_EQ(ReadField(image, kVoxDelayTime), 3);
    EXPECT_EQ(ReadField(image, kVfoTxPower), 2);
    EXPECT_EQ(ReadField(image, kVfoDuplex), 0);
    EXPECT_EQ(ReadField(image, kVfoStep), 0);
    EXPECT_TRUE(ReadFlag(image, kVfoWide));

    image[kOptionRow][7] = 0x82;  // vice-band receive on, key lock "Key"
    EXPECT_EQ(ReadField(image, kKeyLockMode), 2);
    WriteField(image, kKeyLockMode, 3);
    EXPECT_EQ(image[kOptionRow][7], 0x83);

    image[kOptionRow][2] = 0x20;  // power-on mode MSG
    WriteField(image, kPowerOnMode, 1);
    EXPECT_EQ(image[kOptionRow][2], 0x10);

    WriteFlag(image, kManualSetupOff, false);  // "Manual set-up" checked
    EXPECT_EQ(image[kOptionRow][1] & 0x04, 0);
    WriteFlag(image, kManualSetupOff, true);
    EXPECT_EQ(image[kOptionRow][1], 0x75);

    WriteField(image, kVfoDuplex, 2);
    EXPECT_EQ(image[kVfoRow][12], 0x82);
    WriteField(image, kVfoStep, 9);  // only the field's bits are written
    EXPECT_EQ(image[kVfoRow][13], 0x21);
}

TEST(OptionFields, StoredValueBeyondTheListShowsTheLastItem) {
    EXPECT_EQ(ShownPosition(9, kTimeOutTimerItems.size()), 7);
    EXPECT_EQ(ShownPosition(3, kTimeOutTimerItems.size()), 3);
    EXPECT_EQ(ShownPosition(255, kSquelchItems.size()), 9);
    EXPECT_EQ(kTimeOutTimerItems[7].english, "7");
    EXPECT_EQ(kTimeOutTimerItems[0].chinese, "关");
}

TEST(PasswordBlock, PasswordDigitsAndMessage) {
    Image image = BlankImage();
    EXPECT_EQ(ReadPassword(image), "");
    EXPECT_EQ(ReadPowerOnMessage(image), "HELLO");

    image[kPasswordRow][0] = 1;
    image[kPasswordRow][1] = 2;
    image[kPasswordRow][2] = 255;
    image[kPasswordRow][3] = 4;
    EXPECT_EQ(ReadPassword(image), "124");
    WritePassword(image, ReadPassword(image));  // the refresh closes the gap
    EXPECT_EQ(image[kPasswordRow][2], 4);
    EXPECT_EQ(image[kPasswordRow][3], 255);

    WritePassword(image, "98765");
    EXPECT_EQ(ReadPassword(image), "9876");
    WritePassword(image, "");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(image[kPasswordRow][static_cast<std::size_t>(i)], 255);
    EXPECT_EQ(ReadPowerOnMessage(image), "HELLO");  // neighbours untouched

    WritePowerOnMessage(image, "ab-1");
    EXPECT_EQ(ReadPowerOnMessage(image), "AB-1");
    EXPECT_EQ(image[kPasswordRow][7], 1);
    EXPECT_EQ(image[kPasswordRow][8], 255);
    WritePowerOnMessage(image, "TOOLONG");
    EXPECT_EQ(ReadPowerOnMessage(image), "TOOLO");
    EXPECT_EQ(image[kPasswordRow][9], 255);
}

}  // namespace
}  // namespace zt
