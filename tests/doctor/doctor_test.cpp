// SPDX-License-Identifier: GPL-3.0-or-later
// The connection doctor on fake machines, one per cause of a radio that does
// not answer: each gives its diagnosis and the one thing to do.
#include "doctor/doctor.h"

#include <gtest/gtest.h>

#include <optional>

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
void Holder(FakeSystem& s, int pid, const std::string& name) {
    s.Write("proc/" + std::to_string(pid) + "/comm", name + "\n");
    s.Link("proc/" + std::to_string(pid) + "/fd/7", "/dev/ttyUSB0");
}

const DeviceNode kOpen{true, true, "root", "dialout", 0660};
const UserGroups kAnn{"ann", {"ann", "dialout"}, {"ann", "dialout"}};
const UserGroups kAnnNotLoggedIn{"ann", {"ann"}, {"ann", "dialout"}};

struct Cause {
    const char* what;
    void (*setup)(FakeSystem&);
    DeviceNode node;  // `exists` follows the fake /dev
    UserGroups user;
    std::optional<RadioProbeResult> probe;
    Check check;
    Verdict verdict;
    const char* detail;
    const char* advice;  // a line of the advice; "" for none
};

const Cause kCauses[] = {
    {"a CH340 cable",
     Ch340,
     kOpen,
     kAnn,
     {},
     Check::Adapter,
     Verdict::Ok,
     "1a86:7523 CH340/CH341, driver ch341",
     ""},
    {"FTDI latency 16 ms",
     [](FakeSystem& s) {
         s.Usb("1-2", "0403", "6001", {"ttyUSB0"}, "ftdi_sio");
         s.Write("sys/bus/usb-serial/devices/ttyUSB0/latency_timer", "16\n");
         s.Write("dev/ttyUSB0", "");
     },
     kOpen,
     kAnn,
     {},
     Check::Adapter,
     Verdict::Warning,
     "0403:6001 FTDI, driver ftdi_sio, latency timer 16 ms",
     "    echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer\n"},
    {"PL2303 counterfeit",
     [](FakeSystem& s) {
         s.Usb("1-3", "067b", "23a3", {});
         Kmsg(s, 40,
              "pl2303 1-3:1.0: unknown device type, please report to linux-usb@vger.kernel.org");
     },
     kOpen,
     kAnn,
     {},
     Check::Adapter,
     Verdict::Failed,
     "067b:23a3 PL2303 has no serial port: the kernel refused the chip",
     "this is a counterfeit PL2303 or a type phased out"},
    {"held by ModemManager",
     [](FakeSystem& s) { Ch340(s), Holder(s, 812, "ModemManager"); },
     kOpen,
     kAnn,
     {},
     Check::Holders,
     Verdict::Failed,
     "ModemManager (pid 812)",
     "tells it to leave programming cables alone; load it, or plug the cable in again:"},
    {"held by another program",
     [](FakeSystem& s) { Ch340(s), Holder(s, 900, "minicom"); },
     kOpen,
     kAnn,
     {},
     Check::Holders,
     Verdict::Failed,
     "minicom (pid 900)",
     "Close minicom (pid 900), which has the port open, and check again.\n"},
    {"root only",
     Ch340,
     {true, false, "root", "root", 0600},
     kAnn,
     {},
     Check::Permission,
     Verdict::Failed,
     "crw------- root root, not for you",
     "gives USB programming cables to the dialout group. Load it, or plug the cable in again:\n"
     "    sudo udevadm control --reload && sudo udevadm trigger\n"},
    {"dialout, no new login yet",
     Ch340,
     {true, false, "root", "dialout", 0660},
     kAnnNotLoggedIn,
     {},
     Check::Permission,
     Verdict::Failed,
     "crw-rw---- root dialout, not for you",
     "log out and in again (or run: newgrp dialout).\n"},
    {"unplugged",
     [](FakeSystem& s) {
         Kmsg(s, 5, "ch341-uart ttyUSB0: ch341-uart converter now disconnected from ttyUSB0");
     },
     kOpen,
     kAnn,
     {},
     Check::Device,
     Verdict::Failed,
     "no such serial port",
     "The USB serial adapter /dev/ttyUSB0 vanished 5 s ago: plug the cable in again"},
    {"unplugged long ago",
     [](FakeSystem& s) {
         Kmsg(s, 80, "ch341-uart ttyUSB0: ch341-uart converter now disconnected from ttyUSB0");
     },
     kOpen,
     kAnn,
     {},
     Check::Device,
     Verdict::Failed,
     "no such serial port",
     "No USB serial adapter appeared or vanished in the last minute: plug the programming cable "
     "in.\n"},
    {"back as ttyUSB1",
     [](FakeSystem& s) { Kmsg(s, 3, "usb 1-2: ch341-uart converter now attached to ttyUSB1"); },
     kOpen,
     kAnn,
     {},
     Check::Device,
     Verdict::Failed,
     "no such serial port",
     "A USB serial adapter appeared 3 s ago as /dev/ttyUSB1: choose that port.\n"},
    {"no kernel log: the device list",
     [](FakeSystem& s) {
         fs::remove(s.root / "dev/kmsg");
         s.Write("dev/ttyUSB1", "");
     },
     kOpen,
     kAnn,
     {},
     Check::Device,
     Verdict::Failed,
     "no such serial port",
     " ago as /dev/ttyUSB1: choose that port.\n"},
    {"radio answered", Ch340, kOpen, kAnn,
     RadioProbeResult{true, "", IdentifyReply::Identified, {}}, Check::Radio, Verdict::Ok,
     "The radio answered: ZT790", ""},
    {"radio silent", Ch340, kOpen, kAnn, RadioProbeResult{true, "", IdentifyReply::Silent, {}},
     Check::Radio, Verdict::Failed, "no answer",
     "No answer: switch the radio on, turn its volume up, push the cable's plug fully into the "
     "radio, and check that this is the cable's port.\n"},
    {"cable echo", Ch340, kOpen, kAnn,
     RadioProbeResult{true, "", IdentifyReply::Echo, {'P', 'R', 'O', 'G', 'R', 'A', 'M', 2}},
     Check::Radio, Verdict::Failed,
     "your own bytes came back: the cable is not connected to a radio",
     "Push the cable's plug fully into the radio's socket and switch the radio on"},
    {"garbled", Ch340, kOpen, kAnn,
     RadioProbeResult{true, "", IdentifyReply::Garbled, {'X', 'T', '7', '9', '0', 1, 2, 3, 2, 9}},
     Check::Radio, Verdict::Failed,
     "bytes came back, but not the identification: 58 54 37 39 30 01 02 03 02 ...",
     "another device may be on this port, or the cable echoes part of what it sends."},
    {"busy", Ch340, kOpen, kAnn, RadioProbeResult{false, "Device or resource busy", {}, {}},
     Check::Opening, Verdict::Failed, "Device or resource busy",
     "Another program has the port open: close it and check again.\n"},
};

TEST(Doctor, EachCauseGivesItsDiagnosisAndWhatToDo) {
    for (const Cause& c : kCauses) {
        SCOPED_TRACE(c.what);
        FakeSystem sys;
        sys.Write("usr/lib/udev/rules.d/60-zt790prog-cables.rules", "# cables\n");
        sys.Write("proc/uptime", "100.00 150.00\n");
        Kmsg(sys, 90, "Linux version 6.1.0");
        c.setup(sys);
        const Host host{sys.root.string(), c.user, [&c](const std::string& path) {
                            DeviceNode node = c.node;
                            node.exists = fs::exists(path);
                            return node;
                        }};
        PortDiagnosis d = ExamineSystem(host, "/dev/ttyUSB0", "");
        if (c.probe) RecordRadio(d, *c.probe);
        const CheckResult& r = d[c.check];
        EXPECT_EQ(VerdictKey(r.verdict), std::string(VerdictKey(c.verdict)));
        EXPECT_EQ(r.detail.english, c.detail);
        EXPECT_EQ(r.advice.english.empty(), *c.advice == 0) << r.advice.english;
        EXPECT_NE(r.advice.english.find(c.advice), std::string::npos) << r.advice.english;
        EXPECT_EQ(r.advice.chinese.empty(), r.advice.english.empty());
        EXPECT_EQ(d.RadioAnswered(), c.check == Check::Radio && c.verdict == Verdict::Ok);
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

}  // namespace
}  // namespace zt::testing
