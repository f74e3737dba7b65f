// SPDX-License-Identifier: GPL-3.0-or-later
// The braille display daemon's claim on programming cables, read from a fake
// system: udev rule folders, a process list and the USB devices of sysfs.
#include "doctor/braille_daemon.h"

#include <gtest/gtest.h>

#include "fake_system.h"

namespace zt {
namespace {

// Ubuntu's rule file, trimmed: two cables claimed, one the distribution
// commented out.
constexpr const char* kUbuntuRules =
    "SUBSYSTEM==\"usb\", KERNEL!=\"*:*\", GOTO=\"brltty_usb_begin\"\n"
    "LABEL=\"brltty_usb_begin\"\n"
    "# Device: 1A86:7523\n"
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n"
    "ENV{PRODUCT}==\"10c4/ea60/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\", GOTO=\"brltty_usb_run\"\n"
    "#ENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"at\", GOTO=\"brltty_usb_run\"\n";

using testing::FakeSystem;

TEST(BrailleDaemon, RulesInForceMaskedRulesAndTheRunningDaemon) {
    FakeSystem sys;
    EXPECT_FALSE(DetectBrailleDaemon(sys.paths).Installed());

    sys.Rules("usr/lib/udev/rules.d", kUbuntuRules);
    BrailleDaemon d = DetectBrailleDaemon(sys.paths);
    EXPECT_EQ(d.ruleFiles,
              std::vector<std::string>{sys.paths.udevRuleDirs[3] + "/85-brltty.rules"});
    EXPECT_EQ(d.claimed, (std::vector<UsbId>{{0x1a86, 0x7523}, {0x10c4, 0xea60}}));

    // A file of the same name in an earlier folder replaces it: here one that
    // names the CP210x only, the other spelling.
    sys.Rules("run/udev/rules.d",
              "SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"EA60\", "
              "RUN+=\"/bin/true\"\n");
    d = DetectBrailleDaemon(sys.paths);
    EXPECT_EQ(d.claimed, (std::vector<UsbId>{{0x10c4, 0xea60}}));

    sys.Mask();
    d = DetectBrailleDaemon(sys.paths);
    EXPECT_TRUE(d.Installed());
    EXPECT_TRUE(d.ruleFiles.empty());
    EXPECT_EQ(d.maskedRuleFiles.size(), 1u);
    EXPECT_TRUE(d.claimed.empty());

    // Running as a service without rules, it looks for the generic chips.
    sys.Write("proc/812/comm", "brltty\n");
    d = DetectBrailleDaemon(sys.paths);
    EXPECT_EQ(d.processes, std::vector<int>{812});
    EXPECT_EQ(d.claimed,
              (std::vector<UsbId>{
                  {0x1a86, 0x7523}, {0x10c4, 0xea60}, {0x10c4, 0xea80}, {0x0403, 0x6001}}));
}

TEST(BrailleDaemon, AdviceOnlyWhenAClaimedCableIsMissingOrBusy) {
    const std::string masking =
        "Unless you use a braille display, remove it:\n"
        "    sudo apt remove brltty\n"
        "or keep it and mask its udev rule (RULE):\n"
        "    sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules\n"
        "    sudo udevadm control --reload-rules\n"
        "then unplug the cable and plug it in again.\n";
    const struct {
        const char* what;
        bool rules, masked, running;
        const char *vendor, *product;
        bool hasTty;
        PortTrouble trouble;
        const char* device;
        std::string advice;  // English; RULE stands for the rule file's path
    } cases[] = {
        {"CH340 taken by the rules", true, false, false, "1a86", "7523", false,
         PortTrouble::Missing, "",
         "The USB serial cable 1a86:7523 (USB Serial) is plugged in but has no serial port: the "
         "braille display daemon brltty has taken it.\n" +
             masking},
        {"rules masked", true, true, false, "1a86", "7523", false, PortTrouble::Missing, "", ""},
        {"no daemon", false, false, false, "1a86", "7523", false, PortTrouble::Missing, "", ""},
        {"the cable has its port", true, false, false, "1a86", "7523", true, PortTrouble::Missing,
         "", ""},
        {"FTDI commented out", true, false, false, "0403", "6001", false, PortTrouble::Missing, "",
         ""},
        {"the service took a CP210x", false, false, true, "10c4", "ea60", false,
         PortTrouble::Missing, "",
         "The USB serial cable 10c4:ea60 (USB Serial) is plugged in but has no serial port: the "
         "braille display daemon brltty has taken it.\n"
         "Unless you use a braille display, remove it:\n"
         "    sudo apt remove brltty\n"
         "or keep it installed but stop its service:\n"
         "    sudo systemctl disable --now brltty\n"
         "then unplug the cable and plug it in again.\n"},
        {"busy CH340", true, false, false, "1a86", "7523", true, PortTrouble::Busy, "/dev/ttyUSB0",
         "The serial port /dev/ttyUSB0 belongs to a USB serial cable, 1a86:7523 (USB Serial), "
         "that the braille display daemon brltty claims: brltty may have it open.\n" +
             masking},
        {"another port busy", true, false, false, "1a86", "7523", true, PortTrouble::Busy,
         "/dev/ttyS0", ""},
        {"busy, not claimed", true, false, false, "067b", "2303", true, PortTrouble::Busy,
         "/dev/ttyUSB0", ""},
    };
    for (const auto& c : cases) {
        FakeSystem sys;
        if (c.rules) sys.Rules("usr/lib/udev/rules.d", kUbuntuRules);
        if (c.masked) sys.Mask();
        if (c.running) sys.Write("proc/812/comm", "brltty\n");
        sys.Usb("1-1", "1d6b", "0002", {});  // a hub: never a cable
        sys.Usb("1-2", c.vendor, c.product,
                c.hasTty ? std::initializer_list<std::string>{"ttyUSB0"}
                         : std::initializer_list<std::string>{});
        std::string expected = c.advice;
        if (const auto at = expected.find("RULE"); at != std::string::npos)
            expected.replace(at, 4, sys.paths.udevRuleDirs[3] + "/85-brltty.rules");
        const BiString advice = BrailleDaemonAdvice(c.trouble, c.device, sys.paths);
        EXPECT_EQ(advice.english, expected) << c.what;
        EXPECT_EQ(advice.chinese.empty(), expected.empty()) << c.what;
    }
}

TEST(BrailleDaemon, UsbDevicesWithTheirPorts) {
    FakeSystem sys;
    sys.Usb("1-2", "1a86", "7523", {"ttyUSB0"});
    sys.Usb("1-3", "2341", "0043", {"tty"});
    sys.Dir("sys/bus/usb/devices/1-3/1-3:1.0/tty/ttyACM0");
    sys.Usb("1-4", "10c4", "ea60", {});
    const std::vector<UsbDevice> usb = ListUsbDevices(sys.paths.usbDevices);
    ASSERT_EQ(usb.size(), 3u);
    EXPECT_EQ(UsbIdText(usb[0].id), "10c4:ea60");
    EXPECT_TRUE(usb[0].ttys.empty());
    EXPECT_EQ(usb[1].ttys, std::vector<std::string>{"ttyUSB0"});
    EXPECT_EQ(usb[1].product, "USB Serial");
    EXPECT_EQ(usb[2].ttys, std::vector<std::string>{"ttyACM0"});
}

}  // namespace
}  // namespace zt
