// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_import_report.h"

namespace zt {

namespace {

std::string Counted(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The band of a refused frequency: "400..470 MHz".
std::string Band(const CsvReason& r) { return r.b + ".." + r.c + " MHz"; }

BiString SeparatorName(const std::string& separator) {
    if (separator == ",") return {"commas", "逗号"};
    if (separator == ";") return {"semicolons", "分号"};
    if (separator == "\t") return {"tabs", "制表符"};
    return {Quoted(separator), Quoted(separator)};
}

// "\nline 3: reason" for each line, the skipped ones marked, then how many
// more there are.
void AppendLines(BiString& message, const std::vector<CsvLineMessage>& lines, bool skipped) {
    for (std::size_t i = 0; i < lines.size() && i < kShownCsvLines; ++i) {
        const CsvLineMessage& m = lines[i];
        const BiString text = CsvReasonsText(m.reasons);
        if (m.line > 0) {
            const std::string n = std::to_string(m.line);
            message.english += "\nline " + n + (skipped ? " skipped: " : ": ") + text.english;
            message.chinese += "\n第 " + n + (skipped ? " 行（已跳过）：" : " 行：") + text.chinese;
        } else {
            message.english += "\n" + text.english;
            message.chinese += "\n" + text.chinese;
        }
    }
    if (lines.size() > kShownCsvLines) {
        const std::string more = std::to_string(lines.size() - kShownCsvLines);
        message.english += "\n... " + more + " more";
        message.chinese += "\n…… 另有 " + more + " 条";
    }
}

}  // namespace

BiString CsvReasonText(const CsvReason& r) {
    using C = CsvReasonCode;
    const std::string a = Quoted(r.a);
    switch (r.code) {
        case C::MoreFields:
            return {"more fields than the header names", "字段比标题行所列的多"};
        case C::NoChannelLeft:
            if (r.a == "128")
                return {"no channel left for this row: the rows fill channel 128",
                        "此行没有可用的信道：各行已占满信道 128"};
            return {"no channel left for this row: the rows fill channels " + r.a + " to 128",
                    "此行没有可用的信道：各行已占满信道 " + r.a + " 至 128"};
        case C::NoLocation:
            return {"no channel number in Location", "Location 中没有信道号"};
        case C::LocationNotNumber:
            return {"Location " + a + " is not a channel number", "Location " + a + " 不是信道号"};
        case C::ChannelOutOfRange:
            return {"channel " + r.a + " is not between 1 and 128",
                    "信道 " + r.a + " 不在 1 至 128 之间"};
        case C::ChannelTaken:
            return {"channel " + r.a + " is already set on line " + r.b,
                    "信道 " + r.a + " 已由第 " + r.b + " 行设置"};
        case C::NoFrequency:
            return {"no receive frequency in Frequency", "Frequency 中没有接收频率"};
        case C::FrequencyNotNumber:
            return {"Frequency " + a + " is not a frequency in MHz to 10 Hz (such as 446.00625)",
                    "Frequency " + a + " 不是精确到 10 Hz 的 MHz 频率（例如 446.00625）"};
        case C::RxOutOfBand:
            return {"receive frequency " + r.a + " MHz is outside the band " + Band(r),
                    "接收频率 " + r.a + " MHz 超出频段 " + Band(r)};
        case C::OffsetNotOffset:
            return {"Offset " + a + " is not an offset in MHz to 10 Hz",
                    "Offset " + a + " 不是精确到 10 Hz 的 MHz 频差"};
        case C::OffsetNotTransmit:
            return {"Offset " + a + " is not a transmit frequency in MHz to 10 Hz",
                    "Offset " + a + " 不是精确到 10 Hz 的 MHz 发射频率"};
        case C::TxBelowZero:
            return {"transmit frequency below 0 is outside the band " + Band(r),
                    "发射频率低于 0，超出频段 " + Band(r)};
        case C::TxOutOfBand:
            return {"transmit frequency " + r.a + " MHz is outside the band " + Band(r),
                    "发射频率 " + r.a + " MHz 超出频段 " + Band(r)};
        case C::DuplexUnknown:
            return {"Duplex " + a + " is not one of +, -, split, off or empty",
                    "Duplex " + a + " 不是 +、-、split、off 或空"};
        case C::ModeUnknown:
            return {"Mode " + a + " is not FM (wide) or NFM (narrow)",
                    "Mode " + a + " 不是 FM（宽带）或 NFM（窄带）"};
        case C::SkipUnknown:
            return {"Skip " + a + " is not S, P or empty", "Skip " + a + " 不是 S、P 或空"};
        case C::PowerUnknown:
            return {"Power " + a + " is not Low, Mid, High or a power in watts",
                    "Power " + a + " 不是 Low、Mid、High 或以瓦为单位的功率"};
        case C::ToneModeUnknown:
            return {"Tone " + a + " is not a squelch mode this radio can store",
                    "Tone " + a + " 不是本机可存储的静噪方式"};
        case C::CrossModeUnknown:
            return {"CrossMode " + a + " is not one this radio can store",
                    "CrossMode " + a + " 不是本机可存储的方式"};
        case C::PolarityBad:
            return {"DtcsPolarity " + a + " is not two letters N or R",
                    "DtcsPolarity " + a + " 不是两个字母 N 或 R"};
        case C::CtcssUnknown:
            return {r.a + " " + Quoted(r.b) + " is not a CTCSS tone this radio has",
                    r.a + " " + Quoted(r.b) + " 不是本机具有的 CTCSS 亚音"};
        case C::DcsUnknown:
            return {r.a + " " + Quoted(r.b) + " is not a DCS code this radio has",
                    r.a + " " + Quoted(r.b) + " 不是本机具有的 DCS 数字码"};
        case C::DcsMissing:
            return {"no DCS code in " + r.a, r.a + " 中没有 DCS 数字码"};
        case C::RenumberFromOutOfRange:
            return {"the first channel to number from is not between 1 and 128",
                    "起始编号的信道不在 1 至 128 之间"};
        case C::QuoteNotClosed:
            return {"a quoted field is not closed", "带引号的字段没有结束引号"};
        case C::FileEmpty:
            return {"the file is empty: no header line", "文件为空：没有标题行"};
        case C::Utf16Broken:
            return {"the file is UTF-16 text with a broken character at byte " + r.a +
                        "; save it again as UTF-8 or UTF-16",
                    "文件是 UTF-16 文本，第 " + r.a +
                        " 字节处的字符已损坏；请重新保存为 UTF-8 或 UTF-16"};
        case C::NoFrequencyColumn: {
            BiString text{"the header line names no Frequency column", "标题行中没有 Frequency 列"};
            if (!r.a.empty()) {
                const BiString seen = SeparatorName(r.a);
                const BiString used = SeparatorName(r.b);
                text.english += " (its fields seem separated by " + seen.english + ", not by " +
                                used.english + ")";
                text.chinese +=
                    "（其字段似乎以" + seen.chinese + "分隔，而不是以" + used.chinese + "分隔）";
            }
            return text;
        }
        case C::NoLocationColumn:
            return {"the header line names no Location column", "标题行中没有 Location 列"};
        case C::NoRows:
            return {"no channel rows in the file", "文件中没有信道行"};
        case C::NameStoredAs:
            return {"name " + a + " stored as " + Quoted(r.b),
                    "名称 " + a + " 存为 " + Quoted(r.b)};
        case C::NamesChanged:
            return {r.a + (r.a == "1" ? " name" : " names") +
                        " changed to fit the radio (five characters of A-Z, 0-9, blank, - _ + *)",
                    r.a + " 个名称已改为本机可用的名称（五个字符：A-Z、0-9、空格、- _ + *）"};
        case C::NamesAlike:
            return {"name " + a + " differs from " + Quoted(r.b) + " on line " + r.c +
                        " only in case, accents or punctuation",
                    "名称 " + a + " 与第 " + r.c + " 行的 " + Quoted(r.b) +
                        " 只在大小写、重音或标点上不同"};
        case C::OffsetBySign:
            return {"Offset " + a + " with Duplex " + Quoted(r.b) + " read by its sign: transmit " +
                        r.c + " MHz",
                    "Duplex " + Quoted(r.b) + " 的 Offset " + a + " 按其符号读取：发射 " + r.c +
                        " MHz"};
        case C::PowerBelowLow:
            return {"power " + r.a + " W is below Low (" + r.b +
                        " W), the least the radio transmits: stored as Low",
                    "功率 " + r.a + " W 低于 Low（" + r.b + " W），即本机的最小发射功率：存为 Low"};
        case C::PowersAsLevels:
            return {
                "powers in watts stored as the highest level not above them (" + r.a + "): " + r.b,
                "以瓦为单位的功率存为不高于它的最高档（" + r.a + "）：" + r.b};
    }
    return {};
}

BiString CsvReasonsText(const std::vector<CsvReason>& reasons) {
    BiString text;
    for (const CsvReason& r : reasons) {
        const BiString one = CsvReasonText(r);
        text.english += (text.english.empty() ? "" : "; ") + one.english;
        text.chinese += (text.chinese.empty() ? "" : "；") + one.chinese;
    }
    return text;
}

BiString ChannelCountText(std::size_t channels) {
    return {Counted(channels, "channel"), std::to_string(channels) + " 个信道"};
}

BiString CsvImportTally(const CsvImportResult& result) {
    BiString tally;
    if (!result.problems.empty()) {
        const std::size_t n = result.problems.size();
        tally.english += "; " + Counted(n, "row") + " skipped";
        tally.chinese += "；跳过 " + std::to_string(n) + " 行";
    }
    if (!result.emptied.empty()) {
        const std::size_t n = result.emptied.size();
        tally.english += "; " + Counted(n, "other channel") + " emptied";
        tally.chinese += "；清空其他 " + std::to_string(n) + " 个信道";
    }
    return tally;
}

CsvImportWording FileImportWording(const std::string& name, std::size_t channels,
                                   const BiString& renumberHint) {
    const BiString count = ChannelCountText(channels);
    return {
        {"Imported " + count.english + " from " + name, "已从 " + name + " 导入 " + count.chinese},
        {name + " was not imported; the channels are unchanged.", name + " 未导入，信道保持不变。"},
        renumberHint};
}

BiString CsvImportMessage(const CsvImportResult& result, const CsvImportWording& wording) {
    BiString message;
    if (result.ok) {
        const BiString tally = CsvImportTally(result);
        message.english = wording.stored.english + tally.english + ".";
        message.chinese = wording.stored.chinese + tally.chinese + "。";
    } else {
        message = wording.refused;
    }
    // Skipped rows are marked as such; a refusal's rows are why nothing changed.
    AppendLines(message, result.problems, result.ok);
    if (result.renumberingWouldHelp && !wording.renumberHint.empty()) {
        message.english += "\n" + wording.renumberHint.english;
        message.chinese += "\n" + wording.renumberHint.chinese;
    }
    if (result.ok) AppendLines(message, result.notes, false);
    return message;
}

}  // namespace zt
