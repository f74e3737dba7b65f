// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl doctor [--port PORT] [--json]
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>

#include "cli/ctl_common.h"
#include "cli/text_table.h"
#include "doctor/doctor_report.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "qtio/serial_ports.h"

namespace zt::ctl {

namespace {

constexpr char kFooter[] = R"(
Checks, for each port in turn: the device exists (else which USB serial adapter
came or went lately), the USB adapter and its driver, owner, group and mode,
the processes that hold it open, that it opens at 9600 8N1, and one
identification exchange with the radio (nothing is written). Without --port
every serial port is checked, the likely programming cables first.

Exit status:
  0   a radio answered
  1   no radio answered
  2   bad options)";

// A safety net: the probe ends by its own reply time-out within about a second.
constexpr int kProbeLimitMs = 10'000;

struct DoctorArgs {
    std::string port;
    bool json = false;
};

QJsonObject PortJson(const PortDiagnosis& d) {
    QJsonArray checks;
    for (std::size_t c = 0; c < kChecks; ++c) {
        const CheckResult& r = d.checks[c];
        checks.append(QJsonObject{{"check", CheckKey(static_cast<Check>(c))},
                                  {"result", VerdictKey(r.verdict)},
                                  {"detail", QString::fromStdString(r.detail.english)},
                                  {"advice", QString::fromStdString(r.advice.english)}});
    }
    return {{"port", QString::fromStdString(d.label)},
            {"device", QString::fromStdString(d.device)},
            {"radioAnswered", d.RadioAnswered()},
            {"checks", checks}};
}

int RunDoctor(const DoctorArgs& args) {
    // What to check: (device, label); a number that names no port keeps its label.
    std::vector<std::pair<std::string, std::string>> targets;
    if (!args.port.empty()) {
        int number = 1;
        std::string device;
        std::string error;
        if (!ParsePortText(args.port, number, device, error)) {
            std::cerr << "zt790ctl: --port: " << error << "\n";
            return kUsage;
        }
        const ResolvedPort resolved = ResolvePortChoice(number, device);
        targets.emplace_back(resolved.ok ? resolved.device : "",
                             resolved.ok ? "" : "port " + std::to_string(number));
    } else {
        for (const SerialPortEntry& p : AvailableSerialPorts()) targets.emplace_back(p.device, "");
        if (targets.empty()) targets.emplace_back("", "no serial port");
    }

    const Host host = ThisMachine();
    std::vector<PortDiagnosis> ports;
    for (const auto& [device, label] : targets) {
        PortDiagnosis d = ExamineSystem(host, device, label);
        if (d.WorthOpening()) {
            QtSerialPort port;
            QtLinkTimers timers;
            RadioProbe probe(port, timers, device, {});
            probe.Start();
            RunUntil([&probe] { return probe.Done(); }, kProbeLimitMs);
            RecordRadio(d, probe.Result());
        }
        ports.push_back(std::move(d));
    }
    OrderForDoctor(ports);

    if (args.json) {
        QJsonArray list;
        for (const PortDiagnosis& d : ports) list.append(PortJson(d));
        const QJsonObject all{{"radioAnswered", AnyRadioAnswered(ports)}, {"ports", list}};
        std::cout << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
    } else {
        std::cout << TextTable(DoctorTable(ports, false));
        if (const std::string advice = DoctorAdvice(ports, false); !advice.empty())
            std::cout << "\n" << advice;
    }
    return AnyRadioAnswered(ports) ? kOk : kNoAnswer;
}

}  // namespace

void AddDoctorCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<DoctorArgs>();
    CLI::App* cmd = app.add_subcommand(
        "doctor", "Find out why the radio does not answer, and say what fixes it");
    cmd->add_option("-p,--port", args->port,
                    "Serial port: a device path, or a number 1..8; without it, every port");
    cmd->add_flag("--json", args->json, "Print the checks as JSON, for scripts");
    cmd->footer(kFooter);
    cmd->callback([args, &run] { run = [args] { return RunDoctor(*args); }; });
}

}  // namespace zt::ctl
