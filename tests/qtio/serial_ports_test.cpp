#include "qtio/serial_ports.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

SerialPortEntry Entry(const std::string& name, bool usb = false) {
    return SerialPortEntry{name, "/dev/" + name, "", usb};
}

TEST(SerialPorts, UsbAdaptersThenAcmThenBuiltInEachSortedNumerically) {
    std::vector<std::string> names;
    for (const auto& p :
         OrderSerialPorts({Entry("ttyS1"), Entry("ttyACM0", true), Entry("ttyUSB10", true),
                           Entry("ttyS0"), Entry("ttyUSB2", true), Entry("ttyXRUSB0", true),
                           Entry("ttyACM1", true), Entry("ttyS10")}))
        names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB2", "ttyUSB10", "ttyXRUSB0", "ttyACM0",
                                               "ttyACM1", "ttyS0", "ttyS1", "ttyS10"}));
    SerialPortEntry e = Entry("ttyUSB0", true);
    EXPECT_EQ(e.Label(), "ttyUSB0");
    e.description = "FT232R USB UART (FTDI)";
    EXPECT_EQ(e.Label(), "ttyUSB0 - FT232R USB UART (FTDI)");
}

TEST(SerialPorts, NumberPicksTheNthAvailablePortAndPathIsUsedAsItIs) {
    const std::vector<SerialPortEntry> available{Entry("ttyUSB0", true), Entry("ttyS0")};
    const ResolvedPort second = ResolvePortChoice(2, "", available);
    ASSERT_TRUE(second.ok);
#ifndef _WIN32
    EXPECT_EQ(second.device, "/dev/ttyS0");
    const ResolvedPort third = ResolvePortChoice(3, "", available);
    EXPECT_FALSE(third.ok);
    EXPECT_NE(third.error.find("3"), std::string::npos);
#endif
    EXPECT_EQ(ResolvePortChoice(5, "/dev/pts/7", available).device, "/dev/pts/7");
    EXPECT_FALSE(ResolvePortChoice(0, "", available).ok);
    EXPECT_FALSE(ResolvePortChoice(9, "", available).ok);
}

TEST(SerialPorts, PortTextIsANumberOneToEightOrAPath) {
    std::string got;
    for (const char* text : {"1", "8", "/dev/ttyUSB0", "0", "9", "12", ""}) {
        int number = 0;
        std::string device, error;
        const bool ok = ParsePortText(text, number, device, error);
        EXPECT_EQ(error.empty(), ok) << text;  // a refusal says why
        got += (ok ? "ok " : "no ") + std::to_string(number) + " " + device + "|";
    }
    EXPECT_EQ(got, "ok 1 |ok 8 |ok 1 /dev/ttyUSB0|no 0 |no 0 |no 0 |no 0 |");
}

}  // namespace
}  // namespace zt
