// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bulk_edit.h"

#include <algorithm>

#include "model/band_edges.h"
#include "model/channel.h"
#include "model/channel_list.h"
#include "model/editor_text.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

constexpr BiText kNoField{"Check the box of at least one field to change.",
                          "请至少勾选一个要修改的字段。"};
constexpr BiText kOnlyEmpty{"The selected channels are empty; nothing was changed.",
                            "所选信道均为空信道，未作任何修改。"};

// "channel 3" or "channels 3, 7-9"; "信道 3, 7-9".
BiString Channels(const std::vector<int>& channels) {
    const std::string list = FormatChannelList(channels);
    return {(channels.size() == 1 ? "channel " : "channels ") + list, "信道 " + list};
}

BiString TxOutOfBand(const std::vector<int>& channels, double low, double high) {
    const BiString where = Channels(channels);
    const std::string band = ShortestNumberText(low) + "-" + ShortestNumberText(high) + " MHz";
    return {"The transmit frequency would be outside the band of " + band + " on " + where.english +
                ". Nothing was changed.",
            where.chinese + " 的发射频率将超出 " + band + " 的频段范围，未作任何修改。"};
}

BiString BadCharacters(const std::vector<std::string>& characters) {
    std::string en;
    std::string zh;
    for (const std::string& c : characters) {
        en += (en.empty() ? "\"" : ", \"") + c + "\"";
        zh += (zh.empty() ? "“" : "、“") + c + "”";
    }
    return {"A channel name cannot hold " + en +
                ": the radio shows only A-Z, 0-9, the blank and - _ + *. Nothing was changed.",
            "信道名称不能包含 " + zh + "：对讲机只能显示 A-Z、0-9、空格和 - _ + *。未作任何修改。"};
}

BiString NamesTooLong(const std::vector<int>& channels, const std::string& example) {
    const BiString where = Channels(channels);
    return {"The names would be longer than five characters on " + where.english +
                " (for example " + example + "). Nothing was changed.",
            where.chinese + " 的名称将超过五个字符（例如 " + example + "），未作任何修改。"};
}

// The characters of a pattern the radio cannot show, each once, in order.
std::vector<std::string> UnshownCharacters(std::string_view pattern) {
    std::vector<std::string> bad;
    for (std::size_t i = 0; i < pattern.size();) {
        const auto lead = static_cast<unsigned char>(pattern[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string character(pattern.substr(i, length));
        i += length;
        if (character == std::string(1, kCounterMark) || character == " ") continue;
        const std::u32string code = Utf8Characters(character);
        const bool shown = code.size() == 1 && CharToCode(code[0]) != kBlankCode;
        if (!shown && std::find(bad.begin(), bad.end(), character) == bad.end())
            bad.push_back(character);
    }
    return bad;
}

void ApplyToChannel(Image& image, int c, const BulkEdit& edit, int counter) {
    if (edit.power) SetPower(image, c, *edit.power);
    if (edit.wide) SetWide(image, c, *edit.wide);
    if (edit.decode) SetRxTone(image, c, *edit.decode);
    if (edit.encode) SetTxTone(image, c, *edit.encode);
    // "Scan Add" is the inverse of the scan-skip bit.
    if (edit.scanAdd) SetFlag(image, c, kFlags1Byte, kScanSkipBit, !*edit.scanAdd);
    if (edit.bcl) SetFlag(image, c, kFlags2Byte, kBclBit, *edit.bcl);
    if (edit.vox) SetFlag(image, c, kFlags2Byte, kVoxBit, *edit.vox);
    if (edit.txStop) SetFlag(image, c, kFlags2Byte, kTxStopBit, *edit.txStop);
    if (edit.offset) {
        StoreTxMHz(image, c, TxOf(RxUnits(image, c), edit.offset->offset, edit.offset->direction));
    }
    if (edit.name) WriteName(image, c, PatternName(edit.name->pattern, counter));
}

}  // namespace

bool BulkEdit::empty() const {
    return !power && !wide && !decode && !encode && !scanAdd && !bcl && !vox && !txStop &&
           !offset && !name;
}

std::string PatternName(std::string_view pattern, int number) {
    std::string name;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] != kCounterMark) {
            name += pattern[i++];
            continue;
        }
        std::size_t run = 0;
        while (i < pattern.size() && pattern[i] == kCounterMark) ++run, ++i;
        const std::string digits = std::to_string(number);
        name += std::string(run > digits.size() ? run - digits.size() : 0, '0') + digits;
    }
    return name;
}

BulkEditResult ApplyBulkEdit(Image& image, const std::vector<int>& selection, const BulkEdit& edit,
                             double bandLowMHz, double bandHighMHz) {
    BulkEditResult result;
    for (int c : selection) {
        if (!IsChannelEmpty(image, c)) result.channels.push_back(c);
    }
    std::sort(result.channels.begin(), result.channels.end());
    result.channels.erase(std::unique(result.channels.begin(), result.channels.end()),
                          result.channels.end());
    if (edit.empty()) {
        result.refusal = BiString(kNoField);
        return result;
    }
    if (result.channels.empty()) {
        result.refusal = BiString(kOnlyEmpty);
        return result;
    }
    // Every check before the first change: a refused request changes nothing.
    if (edit.offset) {
        std::vector<int> outside;
        for (int c : result.channels) {
            const FreqUnits tx =
                TxOf(RxUnits(image, c), edit.offset->offset, edit.offset->direction);
            if (!InBand(tx, bandLowMHz, bandHighMHz)) outside.push_back(c);
        }
        if (!outside.empty()) {
            result.refusal = TxOutOfBand(outside, bandLowMHz, bandHighMHz);
            return result;
        }
    }
    if (edit.name) {
        if (const auto bad = UnshownCharacters(edit.name->pattern); !bad.empty()) {
            result.refusal = BadCharacters(bad);
            return result;
        }
        std::vector<int> tooLong;
        std::string example;
        for (std::size_t k = 0; k < result.channels.size(); ++k) {
            const std::string name =
                PatternName(edit.name->pattern, edit.name->start + static_cast<int>(k));
            if (CharCount(TrimBlanks(name)) <= kNameLength) continue;
            if (tooLong.empty()) example = std::string(TrimBlanks(name));
            tooLong.push_back(result.channels[k]);
        }
        if (!tooLong.empty()) {
            result.refusal = NamesTooLong(tooLong, example);
            return result;
        }
    }
    const int start = edit.name ? edit.name->start : 0;
    for (std::size_t k = 0; k < result.channels.size(); ++k)
        ApplyToChannel(image, result.channels[k], edit, start + static_cast<int>(k));
    result.done = true;
    return result;
}

}  // namespace zt
