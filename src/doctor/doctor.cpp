// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/doctor.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "doctor/braille_daemon.h"
#include "doctor/holders.h"
#include "doctor/kernel_log.h"
#include "doctor/permission.h"
#include "doctor/usb_adapter.h"

namespace zt {

namespace fs = std::filesystem;

namespace {

// How recent "lately" is for an adapter that came or went.
constexpr int kRecentSeconds = 60;

const std::string kReload = "    sudo udevadm control --reload && sudo udevadm trigger\n";

std::string Seconds(int n) { return std::to_string(n) + " s"; }

// The serial ports USB adapters have now (/dev/ttyUSB*, /dev/ttyACM*), with
// how long ago each node was made: the kernel log's stand-in.
std::vector<AdapterEvent> DeviceList(const Host& host) {
    std::vector<AdapterEvent> ttys;
    std::error_code ec;
    const std::time_t now = std::time(nullptr);
    for (const auto& entry : fs::directory_iterator(host.Path("/dev"), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("ttyUSB") && !name.starts_with("ttyACM")) continue;
        struct stat st {};
        if (::stat(entry.path().c_str(), &st) != 0) continue;
        ttys.push_back({true, name, static_cast<int>(std::max<std::time_t>(0, now - st.st_ctime))});
    }
    std::sort(ttys.begin(), ttys.end(), [](const AdapterEvent& a, const AdapterEvent& b) {
        return a.ageSeconds < b.ageSeconds;
    });
    return ttys;
}

// Check 1 failed: what came or went lately says where the cable is.
BiString MissingAdvice(const Host& host, const KernelLog& log, const std::string& tty) {
    const std::vector<AdapterEvent> events =
        log.readable ? RecentAdapterEvents(log, kRecentSeconds) : DeviceList(host);
    for (const AdapterEvent& e : events) {
        if (e.ageSeconds > kRecentSeconds) break;
        if (e.attached && e.tty != tty) {
            return {"A USB serial adapter appeared " + Seconds(e.ageSeconds) + " ago as /dev/" +
                        e.tty + ": choose that port.\n",
                    "一个 USB 串口适配器在 " + Seconds(e.ageSeconds) + " 前出现，设备为 /dev/" +
                        e.tty + "：请选择该端口。\n"};
        }
        if (!e.attached) {
            return {"The USB serial adapter /dev/" + e.tty + " vanished " + Seconds(e.ageSeconds) +
                        " ago: plug the cable in again, firmly, and wait a few seconds.\n",
                    "USB 串口适配器 /dev/" + e.tty + " 在 " + Seconds(e.ageSeconds) +
                        " 前消失了：请重新插好编程线，稍等几秒。\n"};
        }
    }
    std::string ports;
    for (const AdapterEvent& e : log.readable ? DeviceList(host) : events)
        ports += (ports.empty() ? "" : ", ") + std::string("/dev/") + e.tty;
    if (!ports.empty()) {
        return {"The USB serial ports here are " + ports + ": choose the cable's.\n",
                "本机的 USB 串口有 " + ports + "：请选择编程线的那个。\n"};
    }
    return {
        "No USB serial adapter appeared or vanished in the last minute: plug the programming "
        "cable in.\n",
        "最近一分钟内没有 USB 串口适配器出现或消失：请插上编程线。\n"};
}

std::string AdapterText(const UsbDevice& d, const ChipFamily* family) {
    std::string text = UsbIdText(d.id);
    text += family              ? " " + std::string(family->name)
            : d.product.empty() ? ""
                                : " (" + d.product + ")";
    return text;
}

// Check 2 when the port is missing: a cable chip plugged in without a port.
CheckResult PortlessAdapter(const std::vector<UsbDevice>& usb, const BrailleDaemon& daemon,
                            const KernelLog& log) {
    for (const UsbDevice& d : usb) {
        const ChipFamily* family = FamilyOf(d);
        if (!family || !d.ttys.empty() || daemon.Claims(d.id)) continue;
        const std::string what = AdapterText(d, family);
        if (std::string_view(family->driver) == "pl2303") {
            const bool said = KernelRefusedPl2303(log, d.path);
            return {Verdict::Failed,
                    {what + " has no serial port" + (said ? ": the kernel refused the chip" : ""),
                     what + " 没有串口" + (said ? "：内核拒绝了该芯片" : "")},
                    {std::string(said ? "The kernel says \"unknown device type\": "
                                      : "The pl2303 driver did not take it (sudo dmesg | grep "
                                        "pl2303 says why); most likely ") +
                         "this is a counterfeit PL2303 or a type phased out, which the driver "
                         "refuses. Use a cable with a genuine chip (FTDI, CP210x or CH340).\n",
                     std::string(said ? "内核报告“unknown device type”："
                                      : "pl2303 驱动没有接管它（sudo dmesg | grep pl2303 "
                                        "可以看到原因）；") +
                         "这很可能是仿冒的或已停产的 PL2303 "
                         "芯片，驱动拒绝使用它。请换用芯片正品的编程线"
                         "（FTDI、CP210x 或 CH340）。\n"}};
        }
        if (d.driver.empty()) {
            return {
                Verdict::Failed,
                {what + " has no driver", what + " 没有驱动"},
                {"No kernel driver took the adapter: load it, then plug the cable in again:\n"
                 "    sudo modprobe " +
                     std::string(family->driver) + "\n",
                 "没有内核驱动接管该适配器：请加载驱动，然后重新插入编程线：\n    sudo modprobe " +
                     std::string(family->driver) + "\n"}};
        }
    }
    return {};
}

CheckResult AdapterCheck(const Host& host, const UsbDevice* d, const std::string& tty,
                         const std::string& rule) {
    if (!d) return {Verdict::Note, {"not a USB adapter", "不是 USB 适配器"}, {}};
    const ChipFamily* family = FamilyOf(*d);
    const std::string driver = d->driver.empty() ? "" : ", driver " + d->driver;
    CheckResult r{Verdict::Ok,
                  {AdapterText(*d, family) + driver,
                   AdapterText(*d, family) + (d->driver.empty() ? "" : "，驱动 " + d->driver)},
                  {}};
    const std::optional<int> latency = LatencyTimerMs(host, tty);
    if (family && std::string_view(family->driver) == "ftdi_sio" && latency && *latency > 1) {
        const std::string ms = std::to_string(*latency);
        const std::string now =
            "    echo 1 | sudo tee /sys/bus/usb-serial/devices/" + tty + "/latency_timer\n";
        const std::string where = rule.empty() ? std::string(kCablesRuleName) : rule;
        r.verdict = Verdict::Warning;
        r.detail.english += ", latency timer " + ms + " ms";
        r.detail.chinese += "，延迟定时器 " + ms + " ms";
        r.advice = {"The FTDI latency timer is " + ms +
                        " ms: each answer of the radio waits that long in the adapter. 1 ms is "
                        "better; zt790prog's udev rule " +
                        where + " sets it when the cable is plugged in. To set it now:\n" + now,
                    "FTDI 延迟定时器为 " + ms +
                        " ms：对讲机的每个应答都要在适配器中等这么久。1 ms 更好；zt790prog 的 udev "
                        "规则 " +
                        where + " 会在插入编程线时设置它。立即设置：\n" + now};
    }
    return r;
}

CheckResult HoldersCheck(const HolderScan& scan, const BrailleDaemon& daemon,
                         const std::vector<UsbDevice>& usb, const std::string& node,
                         const std::string& rule) {
    // The simulated radio keeps its own terminal open; it is the radio, not in the way.
    if (scan.holders.size() == 1 && scan.holders[0].name == "zt790sim") {
        const std::string who = "zt790sim (pid " + std::to_string(scan.holders[0].pid) + ")";
        return {Verdict::Note, {who + ", the simulated radio", who + "，模拟对讲机"}, {}};
    }
    if (scan.holders.empty()) {
        return {Verdict::Ok,
                scan.hidden > 0 ? BiString{"none seen", "未发现"} : BiString{"none", "无"},
                {}};
    }
    CheckResult r{Verdict::Failed, {}, {}};
    for (const Holder& h : scan.holders) {
        const std::string who = h.name + " (pid " + std::to_string(h.pid) + ")";
        r.detail.english += (r.detail.english.empty() ? "" : ", ") + who;
        r.detail.chinese += (r.detail.chinese.empty() ? "" : "，") + who;
    }
    const Holder& h = scan.holders.front();
    if (h.name == "ModemManager") {
        const std::string ruleText = rule.empty() ? std::string(kCablesRuleName) : rule;
        r.advice = {"ModemManager is probing the port with modem commands. zt790prog's udev rule " +
                        ruleText + " tells it to leave programming cables alone" +
                        (rule.empty() ? " (the zt790prog package installs it)" : "") +
                        "; load it, or plug the cable in again:\n" + kReload,
                    "ModemManager 正在用调制解调器命令探测该端口。zt790prog 的 udev 规则 " +
                        ruleText + " 让它不碰编程线" +
                        (rule.empty() ? "（zt790prog 软件包会安装它）" : "") +
                        "；请加载它，或者重新插入编程线：\n" + kReload};
    } else if (h.name.starts_with("brltty")) {
        r.advice = BrailleDaemonAdvice(daemon, usb, PortTrouble::Busy, node);
        if (r.advice.empty()) {
            r.advice = {
                "The braille display daemon brltty has the port open. Unless you use a "
                "braille display, remove it:\n    sudo apt remove brltty\n",
                "盲文显示守护程序 brltty 打开着该端口。如果不使用盲文显示器，请卸载它：\n"
                "    sudo apt remove brltty\n"};
        }
    } else {
        const std::string who = h.name + " (pid " + std::to_string(h.pid) + ")";
        r.advice = {"Close " + who + ", which has the port open, and check again.\n",
                    "请关闭打开着该端口的 " + who + "，然后再检查一次。\n"};
    }
    return r;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes, std::size_t most) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < most; ++i) {
        char two[4];
        std::snprintf(two, sizeof two, "%02X", bytes[i]);
        text += (i ? " " : "") + std::string(two);
    }
    return bytes.size() > most ? text + " ..." : text;
}

}  // namespace

bool PortDiagnosis::WorthOpening() const {
    return (*this)[Check::Device].verdict == Verdict::Ok &&
           (*this)[Check::Permission].verdict == Verdict::Ok;
}

bool PortDiagnosis::RadioAnswered() const { return (*this)[Check::Radio].verdict == Verdict::Ok; }

PortDiagnosis ExamineSystem(const Host& host, const std::string& device, const std::string& label) {
    PortDiagnosis d;
    d.device = device;
    d.label = label.empty() ? device : label;
    const SystemPaths paths = SystemPathsUnder(host.root);
    const std::vector<UsbDevice> usb = ListUsbDevices(paths.usbDevices);
    const BrailleDaemon daemon = DetectBrailleDaemon(paths);
    const std::string rule = InstalledCablesRule(paths);
    // A link such as /dev/serial/by-id/... names the tty it points to.
    std::error_code ec;
    std::string node = device;
    if (!device.empty()) {
        const std::string real = fs::weakly_canonical(host.Path(device), ec).string();
        if (!ec && real.starts_with(host.root)) node = real.substr(host.root.size());
    }
    const std::string tty = fs::path(node).filename().string();
    const DeviceNode n = device.empty() ? DeviceNode{} : host.node(host.Path(device));

    if (!n.exists) {
        const KernelLog log = ReadKernelLog(host);
        BiString advice = BrailleDaemonAdvice(daemon, usb, PortTrouble::Missing, "");
        if (advice.empty()) advice = MissingAdvice(host, log, tty);
        d[Check::Device] = {Verdict::Failed, {"no such serial port", "没有该串口"}, advice};
        d[Check::Adapter] = PortlessAdapter(usb, daemon, log);
        return d;
    }
    d[Check::Device] = {Verdict::Ok, {"present", "存在"}, {}};
    const UsbDevice* adapter = DeviceOfTty(usb, tty);
    d.likelyCable = adapter && FamilyOf(*adapter);
    d[Check::Adapter] = AdapterCheck(host, adapter, tty, rule);
    if (n.accessible) {
        d[Check::Permission] = {Verdict::Ok, {NodeText(n), NodeText(n)}, {}};
    } else {
        d[Check::Permission] = {Verdict::Failed,
                                {NodeText(n) + ", not for you", NodeText(n) + "，你无权使用"},
                                PermissionAdvice(n, host.user, rule)};
    }
    const HolderScan scan = FindHolders(host, device);
    d.holdersHidden = scan.hidden > 0;
    d[Check::Holders] = HoldersCheck(scan, daemon, usb, node, rule);
    return d;
}

void RecordRadio(PortDiagnosis& d, const RadioProbeResult& probe) {
    if (!probe.opened) {
        BiString advice{
            "The port would not open: check that it is the programming cable's serial "
            "port.\n",
            "端口无法打开：请检查它是否是编程线的串口。\n"};
        if (ReasonSaysBusy(probe.openError)) {
            advice = d.holdersHidden && d[Check::Holders].verdict == Verdict::Ok
                         ? BiString{"Another program has the port open; to see which, check as "
                                    "root:\n    sudo zt790ctl doctor --port " +
                                        d.device + "\n",
                                    "另一个程序打开着该端口；要查看是哪个程序，请以 root 身份检查：\n"
                                    "    sudo zt790ctl doctor --port " +
                                        d.device + "\n"}
                         : BiString{"Another program has the port open: close it and check again.\n",
                                    "另一个程序打开着该端口：请关闭它，然后再检查一次。\n"};
        }
        d[Check::Opening] = {Verdict::Failed, {probe.openError, probe.openError}, advice};
        return;
    }
    d[Check::Opening] = {Verdict::Ok, {"9600 8N1", "9600 8N1"}, {}};
    switch (probe.reply) {
        case IdentifyReply::Identified:
            d[Check::Radio] = {
                Verdict::Ok, {"The radio answered: ZT790", "对讲机已应答：ZT790"}, {}};
            break;
        case IdentifyReply::Echo:
            d[Check::Radio] = {
                Verdict::Failed,
                {"your own bytes came back: the cable is not connected to a radio",
                 "发出的字节原样返回：编程线没有连接到对讲机"},
                {"Push the cable's plug fully into the radio's socket and switch the radio on: "
                 "this "
                 "cable sends back what it sends while no radio is on the other end.\n",
                 "请把编程线的插头完全插入对讲机的插孔，并打开对讲机：没有连接对讲机时，这条编程线"
                 "会把发出"
                 "的内容原样送回。\n"}};
            break;
        case IdentifyReply::Garbled: {
            const std::string bytes = HexBytes(probe.heard, 9);
            d[Check::Radio] = {
                Verdict::Failed,
                {"bytes came back, but not the identification: " + bytes,
                 "收到了字节，但不是对讲机的识别码：" + bytes},
                {"Bytes came back, but not the radio's identification: another device may be on "
                 "this port, or the cable echoes part of what it sends. Check that this is the "
                 "programming cable's port and that the radio is a ZT790 or MV4L.\n",
                 "收到了字节，但不是对讲机的识别码：该端口上可能是别的设备，或者编程线回送了部分发"
                 "出的内容。"
                 "请检查这是否是编程线的端口，以及对讲机是否为 ZT790 或 MV4L。\n"}};
            break;
        }
        case IdentifyReply::Silent:
        case IdentifyReply::Pending:
            d[Check::Radio] = {
                Verdict::Failed,
                {"no answer", "无应答"},
                {"No answer: switch the radio on, turn its volume up, push the "
                 "cable's plug fully into the radio, and check that this is the "
                 "cable's port.\n",
                 "无应答：请打开对讲机，调大音量，把编程线插头完全插入对讲机，并检查这是否是"
                 "编程线的端口。\n"}};
            break;
    }
}

void OrderForDoctor(std::vector<PortDiagnosis>& ports) {
    std::stable_partition(ports.begin(), ports.end(),
                          [](const PortDiagnosis& p) { return p.likelyCable; });
}

bool AnyRadioAnswered(const std::vector<PortDiagnosis>& ports) {
    return std::any_of(ports.begin(), ports.end(),
                       [](const PortDiagnosis& p) { return p.RadioAnswered(); });
}

}  // namespace zt
