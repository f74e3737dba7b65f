// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_paste_plan.h"

#include "files/channel_csv.h"
#include "files/channel_records_text.h"
#include "files/csv_import_report.h"
#include "files/csv_numbers.h"
#include "files/csv_text.h"
#include "model/band_edges.h"

namespace zt {

namespace {

// A title line or two may stand above the header, as in published lists.
constexpr int kHeaderSearchLines = 5;

constexpr BiText kNoChannelRows{
    "The clipboard holds no channel rows. Copy channels in the grid, or CSV rows with their "
    "header line (Location, Name, Frequency, ...) from a spreadsheet or a text file.",
    "剪贴板中没有信道行。请在表格中复制信道，或从电子表格或文本文件中复制带标题行（Location, "
    "Name, Frequency, ...）的 CSV 行。"};
constexpr BiText kNothingPasted{"Nothing was pasted; the channels are unchanged.",
                                "未粘贴任何信道，信道保持不变。"};

std::string ChannelRange(const std::vector<int>& channels, bool chinese) {
    const std::string first = std::to_string(channels.front());
    const std::string last = std::to_string(channels.back());
    if (channels.size() == 1) return (chinese ? "信道 " : "channel ") + first;
    return chinese ? "信道 " + first + " 至 " + last : "channels " + first + " to " + last;
}

// "channel 41" or "channels 41, 42 and 60".
BiString ChannelList(const std::vector<int>& channels) {
    std::string list;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (i > 0) list += i + 1 == channels.size() ? " and " : ", ";
        list += std::to_string(channels[i]);
    }
    std::string zh;
    for (int c : channels) zh += (zh.empty() ? "" : "、") + std::to_string(c);
    return {(channels.size() == 1 ? "channel " : "channels ") + list, "信道 " + zh};
}

// Pasted channels a write to the radio would refuse: stored all the same,
// since the clipboard form carries them exactly, but the user should know.
BiString OutsideLimitsWarning(const std::vector<int>& channels, BandEdges limits) {
    const BiString list = ChannelList(channels);
    const bool one = channels.size() == 1;
    const std::string band =
        std::to_string(limits.lowMHz) + ".." + std::to_string(limits.highMHz) + " MHz";
    std::string en = list.english;
    en[0] = 'C';
    return {
        en + (one ? " is" : " are") + " outside the frequency limits " + band +
            (one ? ": it is stored as it is, and a write to the radio refuses it until it "
                   "is changed."
                 : ": they are stored as they are, and a write to the radio refuses them "
                   "until they are changed."),
        list.chinese + " 超出频率限制 " + band + "：已按原样保存，修改之前写入对讲机时会被拒绝。"};
}

// The program's own form: every byte as it was copied. False when it does not fit.
bool PlanRecords(const Image& image, PastePlan& plan, std::vector<int>& targets) {
    const auto after = LayChannels(image, plan.first, plan.clip);
    if (!after) {
        const std::string n = std::to_string(plan.clip.size());
        const std::string fit = std::to_string(kChannelCount - plan.first + 1);
        const std::string at = std::to_string(plan.first);
        plan.refusal = {"The clipboard holds " + n + " channels; from channel " + at + " on only " +
                            fit + " fit. Nothing was pasted; select an earlier channel.",
                        "剪贴板中有 " + n + " 个信道，从信道 " + at + " 起只能放下 " + fit +
                            " 个。未粘贴任何信道，请选择更靠前的信道。"};
        return false;
    }
    plan.after = *after;
    for (int c = plan.first; c < plan.first + static_cast<int>(plan.clip.size()); ++c)
        targets.push_back(c);
    const BiString count = ChannelCountText(targets.size());
    plan.told = {"Pasted " + count.english + " into " + ChannelRange(targets, false) + ".",
                 "已粘贴 " + count.chinese + "到" + ChannelRange(targets, true) + "。"};
    const std::vector<int> outside = ChannelsOutsideLimits(plan.after, targets);
    if (!outside.empty())
        AddLines(plan.told, {OutsideLimitsWarning(outside, ReadBandEdges(image))});
    return true;
}

// CSV rows from another program, imported with the rows that do not fit skipped.
bool PlanCsv(const Image& image, const ClipboardChannels& clipboard, PastePlan& plan,
             std::vector<int>& targets) {
    const auto separator = clipboard.text ? CsvHeaderSeparator(*clipboard.text) : std::nullopt;
    if (!separator) {
        plan.refusal = BiString(kNoChannelRows);
        return false;
    }
    CsvImportOptions options;
    options.skipInvalid = true;
    options.renumberFrom = plan.first;
    options.separator = *separator;
    plan.after = image;
    const CsvImportResult result = ImportChannelCsv(*clipboard.text, plan.after, options);
    CsvImportWording wording;
    wording.refused = BiString(kNothingPasted);
    if (result.ok) {
        const BiString count = ChannelCountText(result.channels.size());
        wording.stored = {
            "Pasted " + count.english + " into " + ChannelRange(result.channels, false),
            "已粘贴 " + count.chinese + "到" + ChannelRange(result.channels, true)};
    }
    plan.told = CsvImportMessage(result, wording);
    if (!result.ok) {
        plan.refusal = plan.told;
        return false;
    }
    targets = result.channels;
    return true;
}

}  // namespace

std::optional<char> CsvHeaderSeparator(std::string_view text) {
    // Only the first lines matter; a long list is not parsed three times.
    std::size_t end = 0;
    for (int lines = 0; lines < kHeaderSearchLines; ++lines) {
        const std::size_t next = text.find('\n', end);
        if (next == std::string_view::npos) {
            end = text.size();
            break;
        }
        end = next + 1;
    }
    const std::string_view head = text.substr(0, end);
    for (const char separator : {'\t', ',', ';'}) {
        for (const CsvRecord& record : ParseCsvText(head, separator).records) {
            for (const std::string& field : record.fields) {
                if (LowerWord(field) == "frequency") return separator;
            }
        }
    }
    return std::nullopt;
}

void AddLines(BiString& message, const std::vector<BiString>& lines) {
    for (const BiString& line : lines) {
        message.english += (message.english.empty() ? "" : "\n") + line.english;
        message.chinese += (message.chinese.empty() ? "" : "\n") + line.chinese;
    }
}

PastePlan PlanPaste(const Image& image, const ChannelSelection& selection,
                    const ClipboardChannels& clipboard) {
    PastePlan plan;
    plan.first = selection.channels.empty() ? selection.current : selection.channels.front();
    if (clipboard.records) {
        if (auto clip = ParseChannelRecords(*clipboard.records)) plan.clip = std::move(*clip);
    }
    std::vector<int> targets;
    if (!(plan.clip.empty() ? PlanCsv(image, clipboard, plan, targets)
                            : PlanRecords(image, plan, targets)))
        return plan;
    plan.effect = ComparePaste(image, plan.after, targets);
    if (plan.effect.changed.empty()) {
        plan.refusal = {
            "Nothing changed: " + ChannelRange(targets, false) + " already hold what was pasted.",
            ChannelRange(targets, true) + " 已与粘贴的内容相同，未作任何更改。"};
    }
    return plan;
}

BiString ReplaceQuestion(int used) {
    const std::string n = std::to_string(used);
    return {"Replace " + n + (used == 1 ? " used channel?" : " used channels?"),
            "替换 " + n + " 个已使用的信道？"};
}

BiString ApplyPaste(Image& image, const PastePlan& plan) {
    BiString told = plan.told;
    AddLines(told, CommitPaste(image, plan.after, plan.effect, plan.first, plan.clip));
    return told;
}

}  // namespace zt
