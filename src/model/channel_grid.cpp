// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_grid.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/channel.h"
#include "model/channel_texts.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

bool Blank(const std::string& text) { return TrimBlanks(text).empty(); }

}  // namespace

std::string GridCaption(bool chinese, int channel) {
    return std::string(kGridCaption.in(chinese)) + std::to_string(channel) + " ]";
}

GridRow ShowChannelRow(AppState& state, int c, const GridRow& before) {
    const bool chinese = state.LanguageChinese;
    Image& image = state.ChannelTable;
    GridRow row{};
    row[kGridChannel] = std::to_string(c);
    if (IsChannelEmpty(image, c)) {
        ClearChannel(image, c);
        return row;
    }
    row[kGridRx] = RxText(image, c);
    row[kGridTx] = TxText(image, c);
    const TonePair tones[] = {RxTone(image, c), TxTone(image, c)};
    for (int i = 0; i < 2; ++i) {
        const auto position = ToneToListIndex(tones[i].type, tones[i].index);
        const auto cell = static_cast<std::size_t>(kGridDecode + i);
        if (!position) {
            row[cell] = before[cell];
        } else {
            row[cell] = *position == 0 ? std::string(kToneOffText.in(chinese))
                                       : state.ToneList[static_cast<std::size_t>(*position)];
        }
    }
    const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
    row[kGridPower] = power < static_cast<int>(kPowerTexts.size())
                          ? std::string(kPowerTexts[static_cast<std::size_t>(power)].in(chinese))
                          : before[kGridPower];
    const bool wide = GetFlag(image, c, kFlags2Byte, kWideBit);
    row[kGridWidth] = std::string(kWidthTexts[wide ? 1 : 0].in(chinese));
    row[kGridName] = ReadName(image, c);
    return row;
}

GridEditor CellEditor(const GridRow& row, int column) {
    if (column == kGridRx || column == kGridTx) return GridEditor::Text;
    if (column <= kGridChannel || column >= kGridColumns || Blank(row[kGridRx])) {
        return GridEditor::None;
    }
    if (column == kGridEncode && Blank(row[kGridTx])) return GridEditor::None;
    return column == kGridName ? GridEditor::Text : GridEditor::List;
}

GridCell EnterTarget(const GridRow& row, int c, int column) {
    const int next = std::min(c + 1, kChannelCount);
    switch (column) {
        case kGridTx:
            if (Blank(row[kGridRx]) && Blank(row[kGridTx])) return {next, kGridRx};
            return {c, kGridDecode};
        case kGridDecode:
            return {c, Blank(row[kGridTx]) ? kGridPower : kGridEncode};
        case kGridName:
            return {next, kGridRx};
        default:
            return {c, column + 1};
    }
}

std::vector<std::string> ChoiceItems(const AppState& state, int column) {
    const bool chinese = state.LanguageChinese;
    std::vector<std::string> items;
    if (column == kGridDecode || column == kGridEncode) {
        items.emplace_back(kToneOffText.in(chinese));
        for (int p = 1; p <= state.ToneDcsIEnd; ++p) {
            items.emplace_back(TrimBlanks(state.ToneList[static_cast<std::size_t>(p)]));
        }
    } else if (column == kGridPower) {
        for (BiText t : kPowerTexts) items.emplace_back(t.in(chinese));
    } else if (column == kGridWidth) {
        for (BiText t : kWidthTexts) items.emplace_back(t.in(chinese));
    }
    return items;
}

void StoreChoice(Image& image, int c, int column, int position) {
    switch (column) {
        case kGridDecode:
            SetRxTone(image, c, position);
            break;
        case kGridEncode:
            SetTxTone(image, c, position);
            break;
        case kGridPower:
            SetPower(image, c, position);
            break;
        case kGridWidth:
            SetWide(image, c, position > 0);
            break;
        default:
            break;
    }
}

GridTextCommit CommitGridText(AppState& state, int c, int column, std::string_view text,
                              const GridRow& row) {
    ChannelMessage message = ChannelMessage::None;
    if (column == kGridName) {
        WriteName(state.ChannelTable, c, text);
    } else if (column == kGridRx) {
        message = CommitRxText(state, ChannelEditor::Grid, c, text).message;
    } else if (column == kGridTx) {
        message = CommitTxText(state, ChannelEditor::Grid, c, text, row[kGridRx]).message;
    }
    // Every cell is read back from the record, so a frequency shows as stored,
    // not as the commit's display text.
    return {ShowChannelRow(state, c, row), message};
}

bool TextBoxTakes(int column, std::string_view text) {
    const std::size_t length = Utf8Characters(TrimBlanks(text)).size();
    return length <= 9 && (column != kGridName || length <= 4);
}

}  // namespace zt
