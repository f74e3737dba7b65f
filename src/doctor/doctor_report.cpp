// SPDX-License-Identifier: GPL-3.0-or-later
#include "doctor/doctor_report.h"

namespace zt {
namespace {

struct CheckInfo {
    const char* key;
    BiText name;
};
constexpr CheckInfo kCheckInfo[kChecks] = {
    {"device", {"device", "设备"}},         {"adapter", {"adapter", "适配器"}},
    {"permission", {"permission", "权限"}}, {"holders", {"held by", "占用"}},
    {"opening", {"opening", "打开"}},       {"radio", {"radio", "对讲机"}},
};

struct VerdictInfo {
    const char* key;
    BiText name;
};
constexpr VerdictInfo kVerdictInfo[] = {
    {"ok", {"ok", "正常"}},         {"note", {"note", "说明"}}, {"warning", {"warning", "注意"}},
    {"failed", {"failed", "失败"}}, {"skipped", {"-", "-"}},
};

std::string Indented(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out += "  " + text.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

}  // namespace

BiText CheckName(Check check) { return kCheckInfo[static_cast<int>(check)].name; }
const char* CheckKey(Check check) { return kCheckInfo[static_cast<int>(check)].key; }
BiText VerdictName(Verdict verdict) { return kVerdictInfo[static_cast<int>(verdict)].name; }
const char* VerdictKey(Verdict verdict) { return kVerdictInfo[static_cast<int>(verdict)].key; }

std::vector<std::vector<std::string>> DoctorTable(const std::vector<PortDiagnosis>& ports,
                                                  bool chinese) {
    static constexpr BiText kHeader[] = {
        {"Port", "端口"}, {"Check", "检查"}, {"Result", "结果"}, {"Detail", "详情"}};
    std::vector<std::vector<std::string>> rows(1);
    for (const BiText& h : kHeader) rows[0].emplace_back(h.in(chinese));
    for (const PortDiagnosis& port : ports) {
        for (std::size_t c = 0; c < kChecks; ++c) {
            const CheckResult& r = port.checks[c];
            rows.push_back({c == 0 ? port.label : "",
                            std::string(CheckName(static_cast<Check>(c)).in(chinese)),
                            std::string(VerdictName(r.verdict).in(chinese)), r.detail.in(chinese)});
        }
    }
    return rows;
}

std::string DoctorAdvice(const std::vector<PortDiagnosis>& ports, bool chinese) {
    std::string out;
    for (const PortDiagnosis& port : ports) {
        for (std::size_t c = 0; c < kChecks; ++c) {
            const std::string& advice = port.checks[c].advice.in(chinese);
            if (advice.empty()) continue;
            out += port.label + (chinese ? "，" : ", ") +
                   std::string(CheckName(static_cast<Check>(c)).in(chinese)) +
                   (chinese ? "：\n" : ":\n") + Indented(advice);
        }
    }
    if (!out.empty()) return (chinese ? "处理办法：\n" : "What to do:\n") + out;
    for (const PortDiagnosis& port : ports) {
        if (port.RadioAnswered()) {
            return chinese ? "无需处理：" + port.label + " 上的对讲机已就绪。\n"
                           : "Nothing to do: the radio on " + port.label + " is ready.\n";
        }
    }
    return {};
}

}  // namespace zt
