// SPDX-License-Identifier: GPL-3.0-or-later
// The connection doctor on fake machines, one per cause of a radio that does
// not answer: each gives its diagnosis and the one thing to do; and the
// braille display daemon's claim on programming cables.
#include "doctor/doctor.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "../model/table.h"
#include "doctor/braille_daemon.h"
#include "doctor/doctor_report.h"
#include "fake_system.h"

namespace zt::testing {
namespace {

namespace fs = std::filesystem;

// A kernel log record `ago` seconds before the fake machine's now (100 s after boot).
void Kmsg(FakeSystem& s, int ago, const std::string& text) {
    s.Dir("dev");
    std::ofstream(s.root / "dev/kmsg", std::ios::app)
        << "6,1," << (100 - ago) * 1000000L << ",-;" << text << "\n";
}
void Ch340(FakeSystem& s) {
    s.Usb("1-2", "1a86", "7523", {"ttyUSB0"}, "ch341");
    s.Write("dev/ttyUSB0", "");
}
const std::string kGone = "ch341-uart converter now disconnected from ttyUSB0";
const std::string kBack = "ch341-uart converter now attached to ";
void Holder(FakeSystem& s, int pid, const std::string& name) {
    s.Write("proc/" + std::to_string(pid) + "/comm", name + "\n");
    s.Link("proc/" + std::to_string(pid) + "/fd/7", "/dev/ttyUSB0");
}

const DeviceNode kOpen{true, true, "root", "dialout", 0660};
const UserGroups kAnn{"ann", {"ann", "dialout"}, {"ann", "dialout"}};

// The machines: a setup, then the port's node and the user.
const std::map<std::string, std::function<void(FakeSystem&)>> kSetups{
    {"ch340", Ch340},
    {"ftdi",
     [](FakeSystem& s) {
         s.Usb("1-2", "0403", "6001", {"ttyUSB0"}, "ftdi_sio");
         s.Write("sys/bus/usb-serial/devices/ttyUSB0/latency_timer", "2\n");
         s.Write("dev/ttyUSB0", "");
     }},
    {"pl2303",
     [](FakeSystem& s) {
         s.Usb("1-3", "067b", "23a3", {});
         Kmsg(s, 40,
              "pl2303 1-3:1.0: unknown device type, please report to linux-usb@vger.kernel.org");
     }},
    {"modemmanager", [](FakeSystem& s) { Ch340(s), Holder(s, 812, "ModemManager"); }},
    {"minicom", [](FakeSystem& s) { Ch340(s), Holder(s, 900, "minicom"); }},
    {"gone5s", [](FakeSystem& s) { Kmsg(s, 5, "ch341-uart ttyUSB0: " + kGone); }},
    {"gone80s", [](FakeSystem& s) { Kmsg(s, 80, "ch341-uart ttyUSB0: " + kGone); }},
    {"back1", [](FakeSystem& s) { Kmsg(s, 3, "usb 1-2: " + kBack + "ttyUSB1"); }},
    {"back0", [](FakeSystem& s) { Kmsg(s, 3, "usb 1-2: " + kBack + "ttyUSB0"); }},
    {"nokmsg",
     [](FakeSystem& s) {
         fs::remove(s.root / "dev/kmsg");
         s.Write("dev/ttyUSB1", "");
     }},
};
const std::map<std::string, std::pair<DeviceNode, UserGroups>> kNodes{
    {"open", {kOpen, kAnn}},
    {"rootonly", {{true, false, "root", "root", 0600}, kAnn}},
    {"readonly", {{true, false, "root", "dialout", 0640}, kAnn}},
    {"refused", {{true, false, "root", "dialout", 0660}, kAnn}},
    {"newgroup", {{true, false, "root", "dialout", 0660}, {"ann", {"ann"}, {"ann", "dialout"}}}},
};
const std::map<std::string, RadioProbeResult> kProbes{
    {"answer", {true, "", IdentifyReply::Identified, {}}},
    {"silent", {true, "", IdentifyReply::Silent, {}}},
    {"echo", {true, "", IdentifyReply::Echo, {'P', 'R', 'O', 'G', 'R', 'A', 'M', 2}}},
    {"garbled", {true, "", IdentifyReply::Garbled, {'X', 'T', '7', '9', '0', 1, 2, 3, 2, 9}}},
    {"busy", {false, "Device or resource busy", {}, {}}},
};

// One cause a line: setup, node, probe (- none), the check, its verdict and
// detail, and a piece of its advice (empty: none).
const char* const kCauses = R"(
ch340 | open | - | adapter | ok | 1a86:7523 CH340/CH341, driver ch341 |
ftdi | open | - | adapter | warning | 0403:6001 FTDI, driver ftdi_sio, latency timer 2 ms |    echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer
pl2303 | open | - | adapter | failed | 067b:23a3 PL2303 has no serial port: the kernel refused the chip | this is a counterfeit PL2303 or a type phased out
modemmanager | open | - | holders | failed | ModemManager (pid 812) | tells it to leave programming cables alone; load it, or plug the cable in again:
minicom | open | - | holders | failed | minicom (pid 900) | Close minicom (pid 900), which has the port open, and check again.
ch340 | rootonly | - | permission | failed | crw------- root root, not for you | gives USB programming cables to the dialout group. Load it, or plug the cable in again:
ch340 | readonly | - | permission | failed | crw-r----- root dialout, not for you | The port is for root only (crw-r----- root dialout).
ch340 | newgroup | - | permission | failed | crw-rw---- root dialout, not for you | log out and in again (or run: newgrp dialout).
ch340 | refused | - | permission | failed | crw-rw---- root dialout, not for you | You are in the dialout group, yet the port refuses you
gone5s | open | - | device | failed | no such serial port | The USB serial adapter /dev/ttyUSB0 vanished 5 s ago: plug the cable in again
gone80s | open | - | device | failed | no such serial port | No USB serial adapter appeared or vanished in the last minute: plug the programming cable in.
back1 | open | - | device | failed | no such serial port | A USB serial adapter appeared 3 s ago as /dev/ttyUSB1: choose that port.
back0 | open | - | device | failed | no such serial port | No USB serial adapter appeared or vanished in the last minute
nokmsg | open | - | device | failed | no such serial port |  ago as /dev/ttyUSB1: choose that port.
ch340 | open | answer | radio | ok | The radio answered: ZT790 |
ch340 | open | silent | radio | failed | no answer | No answer: switch the radio on, turn its volume up, push the cable's plug fully into the radio, and check that this is the cable's port.
ch340 | open | echo | radio | failed | your own bytes came back: the cable is not connected to a radio | Push the cable's plug fully into the radio's socket and switch the radio on
ch340 | open | garbled | radio | failed | bytes came back, but not the identification: 58 54 37 39 30 01 02 03 02 ... | another device may be on this port, or the cable echoes part of what it sends.
ch340 | open | busy | opening | failed | Device or resource busy | Another program has the port open: close it and check again.
)";

TEST(Doctor, EachCauseGivesItsDiagnosisAndWhatToDo) {
    for (const auto& [setup, nodes, probe, key, verdict, detail, advice] : Rows<7>(kCauses)) {
        SCOPED_TRACE(setup + " " + nodes + " " + probe);
        FakeSystem sys;
        sys.Write("usr/lib/udev/rules.d/60-zt790prog-cables.rules", "# cables\n");
        sys.Write("proc/uptime", "100.00 150.00\n");
        Kmsg(sys, 90, "Linux version 6.1.0");
        kSetups.at(setup)(sys);
        const auto& [node, user] = kNodes.at(nodes);
        const Host host{sys.root.string(), user, [&node](const std::string& path) {
                            DeviceNode n = node;
                            n.exists = fs::exists(path);
                            return n;
                        }};
        PortDiagnosis d = ExamineSystem(host, "/dev/ttyUSB0", "");
        if (probe != "-") RecordRadio(d, kProbes.at(probe));
        Check check = Check::Device;
        while (CheckKey(check) != key) check = static_cast<Check>(static_cast<int>(check) + 1);
        const CheckResult& r = d[check];
        EXPECT_EQ(VerdictKey(r.verdict), verdict);
        EXPECT_EQ(r.detail.english, detail);
        EXPECT_EQ(r.advice.english.empty(), advice.empty()) << r.advice.english;
        EXPECT_NE(r.advice.english.find(advice), std::string::npos) << r.advice.english;
        EXPECT_EQ(r.advice.chinese.empty(), r.advice.english.empty());
        EXPECT_EQ(d.RadioAnswered(), probe == "answer");
    }
}

// The report: cables first, a table of the checks, then what to do.
TEST(Doctor, ReportTableThenAdvice) {
    FakeSystem sys;
    Ch340(sys);
    sys.Write("dev/ttyS0", "");
    const Host host{sys.root.string(), kAnn, [](const std::string& path) {
                        return DeviceNode{fs::exists(path), true, "root", "dialout", 0660};
                    }};
    std::vector<PortDiagnosis> ports{ExamineSystem(host, "/dev/ttyS0", ""),
                                     ExamineSystem(host, "/dev/ttyUSB0", "")};
    RecordRadio(ports[1], {true, "", IdentifyReply::Identified, {}});
    OrderForDoctor(ports);
    const std::vector<std::vector<std::string>> table = DoctorTable(ports, false);
    ASSERT_EQ(table.size(), 13u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"Port", "Check", "Result", "Detail"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"/dev/ttyUSB0", "device", "ok", "present"}));
    EXPECT_EQ(table[3],
              (std::vector<std::string>{"", "permission", "ok", "crw-rw---- root dialout"}));
    EXPECT_EQ(table[6], (std::vector<std::string>{"", "radio", "ok", "The radio answered: ZT790"}));
    EXPECT_EQ(table[8], (std::vector<std::string>{"", "adapter", "note", "not a USB adapter"}));
    EXPECT_EQ(table[12], (std::vector<std::string>{"", "radio", "-", ""}));
    EXPECT_EQ(DoctorTable(ports, true)[1][1], "设备");
    EXPECT_EQ(DoctorAdvice(ports, false), "Nothing to do: the radio on /dev/ttyUSB0 is ready.\n");
    ports[0][Check::Radio] = {Verdict::Failed, {}, {"Line one.\nLine two.\n", "一\n"}};
    EXPECT_EQ(DoctorAdvice(ports, false),
              "What to do:\n/dev/ttyUSB0, radio:\n  Line one.\n  Line two.\n");
    EXPECT_EQ(DoctorAdvice(ports, true), "处理办法：\n/dev/ttyUSB0，对讲机：\n  一\n");
}

// The braille display daemon's claim on programming cables, read from udev
// rule folders, a process list and the USB devices of sysfs.
// Ubuntu's rule file, trimmed: two cables claimed, one the distribution
// commented out.
constexpr const char* kUbuntuRules =
    "SUBSYSTEM==\"usb\", KERNEL!=\"*:*\", GOTO=\"brltty_usb_begin\"\n"
    "LABEL=\"brltty_usb_begin\"\n"
    "# Device: 1A86:7523\n"
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n"
    "ENV{PRODUCT}==\"10c4/ea60/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\", GOTO=\"brltty_usb_run\"\n"
    "#ENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"at\", GOTO=\"brltty_usb_run\"\n";

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

// One case a line: the daemon (its rules, masked, running as a service), the
// cable's USB id, its tty (- none), the port that is missing (or busy, "busy
// PORT"), and the English advice (RULE: the rule file's path; MASK: how to
// remove the daemon or mask its rule).
constexpr const char* kBrailleCases = R"(
rules | 1a86 7523 | - | /dev/ttyUSB0 | The USB serial cable 1a86:7523 (USB Serial) is plugged in but has no serial port: the braille display daemon brltty has taken it.\nMASK
rules masked | 1a86 7523 | - | /dev/ttyUSB0 |
- | 1a86 7523 | - | /dev/ttyUSB0 |
rules | 1a86 7523 | ttyUSB0 | /dev/ttyUSB0 |
rules | 0403 6001 | - | /dev/ttyUSB0 |
running | 10c4 ea60 | - | /dev/ttyUSB0 | The USB serial cable 10c4:ea60 (USB Serial) is plugged in but has no serial port: the braille display daemon brltty has taken it.\nUnless you use a braille display, remove it:\n    sudo apt remove brltty\nor keep it installed but stop its service:\n    sudo systemctl disable --now brltty\nthen unplug the cable and plug it in again.\n
rules | 1a86 7523 | ttyUSB0 | busy /dev/ttyUSB0 | The serial port /dev/ttyUSB0 belongs to a USB serial cable, 1a86:7523 (USB Serial), that the braille display daemon brltty claims: brltty may have it open.\nMASK
rules | 1a86 7523 | ttyUSB0 | busy /dev/ttyS0 |
rules | 067b 2303 | ttyUSB0 | busy /dev/ttyUSB0 |
)";

TEST(BrailleDaemon, AdviceOnlyWhenAClaimedCableIsMissingOrBusy) {
    const std::string masking =
        "Unless you use a braille display, remove it:\n"
        "    sudo apt remove brltty\n"
        "or keep it and mask its udev rule (RULE):\n"
        "    sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules\n"
        "    sudo udevadm control --reload-rules\n"
        "then unplug the cable and plug it in again.\n";
    for (const auto& [daemon, id, tty, port, advice] : Rows<5>(kBrailleCases)) {
        SCOPED_TRACE(daemon + " " + id + " " + tty + " " + port);
        FakeSystem sys;
        if (daemon.starts_with("rules")) sys.Rules("usr/lib/udev/rules.d", kUbuntuRules);
        if (daemon.ends_with("masked")) sys.Mask();
        if (daemon == "running") sys.Write("proc/812/comm", "brltty\n");
        sys.Usb("1-1", "1d6b", "0002", {});  // a hub: never a cable
        sys.Usb("1-2", id.substr(0, 4).c_str(), id.substr(5).c_str(),
                tty == "-" ? std::initializer_list<std::string>{}
                           : std::initializer_list<std::string>{tty});
        std::string expected = advice;
        if (const auto at = expected.find("MASK"); at != std::string::npos)
            expected.replace(at, 4, masking);
        if (const auto at = expected.find("RULE"); at != std::string::npos)
            expected.replace(at, 4, sys.paths.udevRuleDirs[3] + "/85-brltty.rules");
        const bool busy = port.starts_with("busy ");
        const BiString said = BrailleDaemonAdvice(busy ? PortTrouble::Busy : PortTrouble::Missing,
                                                  busy ? port.substr(5) : "", sys.paths);
        EXPECT_EQ(said.english, expected);
        EXPECT_EQ(said.chinese.empty(), expected.empty());
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
}  // namespace zt::testing
