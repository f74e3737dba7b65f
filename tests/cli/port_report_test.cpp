#include "cli/port_report.h"

#include <gtest/gtest.h>

#include "ctl_run.h"

namespace zt::ctl {
namespace {

UserGroups Plain() { return {"ann", {"ann"}, {"ann"}}; }

PortLine Line(const char* device, const char* description, bool accessible,
              const char* group = "dialout") {
    PortLine l;
    l.port.device = device;
    l.port.name = std::string(device).substr(5);
    l.port.description = description;
    l.probe = {true, accessible, group};
    return l;
}

TEST(PortReport, NoPortsSaysWhereTheCableShowsUp) {
    EXPECT_EQ(PortListReport({}, Plain()),
              "No serial ports found.\n"
              "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
              "/dev/ttyACM0.\n");
}

TEST(PortReport, NumbersAccessAndDialoutAdvice) {
    const std::vector<PortLine> ports{Line("/dev/ttyUSB0", "FT232R USB UART (FTDI)", false),
                                      Line("/dev/ttyACM0", "", true),
                                      Line("/dev/ttyS0", "", false)};
    EXPECT_EQ(PortListReport(ports, Plain()),
              "No.  Device        Access  Description\n"
              "  1  /dev/ttyUSB0  denied  FT232R USB UART (FTDI)\n"
              "  2  /dev/ttyACM0  ok\n"
              "  3  /dev/ttyS0    denied\n"
              "\n"
              "Serial ports belong to the dialout group. To use them without root, add yourself "
              "to it:\n"
              "    sudo adduser ann dialout\n"
              "then log out and in again.\n");
}

TEST(PortReport, AddedToTheGroupButNotYetLoggedInAgain) {
    const UserGroups user{"ann", {"ann"}, {"ann", "dialout"}};
    const std::string report = PortListReport({Line("/dev/ttyUSB0", "", false)}, user);
    EXPECT_NE(report.find("You are in the dialout group, but this login session started before "
                          "you were added:\nlog out and in again (or run: newgrp dialout).\n"),
              std::string::npos)
        << report;
}

TEST(PortReport, OnlyTheFirstEightPortsHaveANumber) {
    std::vector<PortLine> ports;
    for (int k = 0; k < 10; ++k) {
        ports.push_back(Line(("/dev/ttyUSB" + std::to_string(k)).c_str(), "", true));
    }
    const std::string report = PortListReport(ports, Plain());
    EXPECT_NE(report.find("  8  /dev/ttyUSB7  ok\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  -  /dev/ttyUSB8  ok\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Ports without a number are chosen by their device path.\n"),
              std::string::npos);
    EXPECT_EQ(report.find("adduser"), std::string::npos);
}

TEST(PortAccess, FailuresAreTellApart) {
    EXPECT_EQ(ClassifyPortFailure({false, false, ""}, true), PortFailure::NoSuchDevice);
    EXPECT_EQ(ClassifyPortFailure({true, false, "dialout"}, true), PortFailure::PermissionDenied);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, true), PortFailure::Busy);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, false), PortFailure::Other);
    EXPECT_FALSE(ProbePort("/dev/no-such-port-here").exists);
    EXPECT_FALSE(ProbePort("").exists);
}

TEST(PortsCommand, RunsAndPrintsAListOrTheNoPortsText) {
    // The machine's own ports: either the table or, on a machine without any,
    // the advice text.
    testing::ScratchDir dir;
    const auto r = testing::RunCtl(dir, "ports");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("No.  Device") || r.out.starts_with("No serial ports found.\n"))
        << r.out;
}

}  // namespace
}  // namespace zt::ctl
