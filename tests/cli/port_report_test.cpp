#include "cli/port_report.h"

#include "ctl_run.h"

namespace zt::ctl {
namespace {

const UserGroups kAnn{"ann", {"ann"}, {"ann"}};

PortLine Line(const std::string& device, const char* description, bool accessible) {
    return {{device.substr(5), device, description, false}, {true, accessible, "dialout"}};
}

TEST(PortReport, NumbersAccessAndAdvice) {
    EXPECT_EQ(PortListReport({}, kAnn),
              "No serial ports found.\n"
              "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
              "/dev/ttyACM0.\n");
    EXPECT_EQ(PortListReport({Line("/dev/ttyUSB0", "FT232R USB UART (FTDI)", false),
                              Line("/dev/ttyACM0", "", true), Line("/dev/ttyS0", "", false)},
                             kAnn),
              "No.  Device        Access  Description\n"
              "  1  /dev/ttyUSB0  denied  FT232R USB UART (FTDI)\n"
              "  2  /dev/ttyACM0  ok\n"
              "  3  /dev/ttyS0    denied\n"
              "\n"
              "Serial ports belong to the dialout group. To use them without root, add yourself "
              "to it:\n"
              "    sudo adduser ann dialout\n"
              "then log out and in again.\n");
    // Added to the group, but not yet logged in again.
    const std::string report =
        PortListReport({Line("/dev/ttyUSB0", "", false)}, {"ann", {"ann"}, {"ann", "dialout"}});
    EXPECT_NE(report.find("You are in the dialout group, but this login session started before "
                          "you were added:\nlog out and in again (or run: newgrp dialout).\n"),
              std::string::npos)
        << report;
}

TEST(PortReport, OnlyTheFirstEightPortsHaveANumber) {
    std::vector<PortLine> ports;
    for (int k = 0; k < 10; ++k) ports.push_back(Line("/dev/ttyUSB" + std::to_string(k), "", true));
    const std::string report = PortListReport(ports, kAnn);
    for (const char* part : {"  8  /dev/ttyUSB7  ok\n", "  -  /dev/ttyUSB8  ok\n",
                             "Ports without a number are chosen by their device path.\n"}) {
        EXPECT_NE(report.find(part), std::string::npos) << report;
    }
    EXPECT_EQ(report.find("adduser"), std::string::npos);
}

TEST(PortAccess, FailuresAreToldApart) {
    EXPECT_EQ(ClassifyPortFailure({false, false, ""}, true), PortFailure::NoSuchDevice);
    EXPECT_EQ(ClassifyPortFailure({true, false, "dialout"}, true), PortFailure::PermissionDenied);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, true), PortFailure::Busy);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, false), PortFailure::Other);
    EXPECT_FALSE(ProbePort("/dev/no-such-port-here").exists);
    EXPECT_FALSE(ProbePort("").exists);
}

using PortsCommand = testing::CtlTest;

TEST_F(PortsCommand, PrintsTheListOrTheNoPortsText) {
    // The machine's own ports: either the table or, on a machine without any,
    // the advice text.
    const testing::RunResult r = Ctl("ports");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("No.  Device") || r.out.starts_with("No serial ports found.\n"))
        << r.out;
}

}  // namespace
}  // namespace zt::ctl
