// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_validation.h"

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/number_text.h"

namespace zt {

namespace {

// The messages of the channel editors; every box is titled kOperatePrompt.
constexpr BiText kRxOutOfBandText{"Over the range of receive frequency .", "接收频率超出范围 ！"};
constexpr BiText kTxOutOfBandText{"Over the range of transmit frequency .", "发射频率超出范围 ！"};
constexpr BiText kTxOutOfBandDialogText{"Over the range of Transmit frequency .",
                                        "发射频率超出范围 ！"};
constexpr BiText kRxFirstText{"Please input the receive frequency in advance.",
                              "请先输入接收频率 ！"};

}  // namespace

BiText ChannelMessageText(ChannelMessage id) {
    switch (id) {
        case ChannelMessage::RxOutOfBand:
            return kRxOutOfBandText;
        case ChannelMessage::TxOutOfBand:
            return kTxOutOfBandText;
        case ChannelMessage::TxOutOfBandDialog:
            return kTxOutOfBandDialogText;
        case ChannelMessage::RxFirst:
            return kRxFirstText;
        case ChannelMessage::None:
            break;
    }
    return {};
}

std::string NormaliseFreqText(std::string_view text) {
    // Built from the number the text names, so that blanks, a leading zero or
    // trailing letters can never shift the digits when the text is stored.
    const LeadingDigits number = ScanLeadingNumber(text);
    std::string shown = std::string(number.whole) + "." + std::string(number.fraction);
    if (number.fraction.size() < 5) shown.append(5 - number.fraction.size(), '0');
    return shown;
}

std::string BandLowText(double lowMHz) { return NormaliseFreqText(ShortestNumberText(lowMHz)); }

CommitResult CommitRxText(AppState& state, ChannelEditor editor, int c, std::string_view text) {
    Image& image = state.ChannelTable;
    CommitResult result;
    if (TrimBlanks(text).empty()) {
        // The user cleared the field: the channel is emptied.
        ClearChannel(image, c);
        if (editor == ChannelEditor::Dialog) ClearName(image, c);
        result.channelCleared = true;
        return result;
    }
    if (InBand(state, TextToUnits(text))) {
        result.shown = NormaliseFreqText(text);
    } else {
        result.message = ChannelMessage::RxOutOfBand;
        result.shown = BandLowText(state.BandLowMHz);
    }

    if (!IsChannelEmpty(image, c)) {
        // The transmit frequency stays where it was; offset and direction follow.
        const FreqUnits tx = TxUnits(image, c);
        StoreRxText(image, c, result.shown);
        StoreTxMHz(image, c, tx);
    } else {
        StoreRxText(image, c, result.shown);
        for (int b = kTxOffsetByte; b < kTxOffsetByte + 4; ++b) {
            image[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)] = 0;
        }
        if (editor == ChannelEditor::Grid) {
            ApplyGridDefaults(image, c);
        } else {
            ApplyDialogDefaults(image, c);
        }
    }
    return result;
}

CommitResult CommitTxText(AppState& state, ChannelEditor editor, int c, std::string_view text,
                          std::string_view rxShown) {
    Image& image = state.ChannelTable;
    CommitResult result;
    const bool blank = TrimBlanks(text).empty();
    if (TrimBlanks(rxShown).empty() || IsChannelEmpty(image, c)) {
        // Without a receive frequency there is nothing a transmit frequency could
        // be an offset from; nothing is stored.
        if (editor == ChannelEditor::Grid && !blank) result.message = ChannelMessage::RxFirst;
        return result;
    }
    if (blank) {
        // A cleared transmit field makes the channel simplex.
        for (int b = kTxOffsetByte; b < kTxOffsetByte + 4; ++b) {
            image[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)] = 0;
        }
        image[static_cast<std::size_t>(c)][kFlags1Byte] &=
            static_cast<std::uint8_t>(~kDirectionMask);
        result.shown = TxText(image, c);
        return result;
    }
    if (InBand(state, TextToUnits(text))) {
        result.shown = NormaliseFreqText(text);
    } else {
        result.message = editor == ChannelEditor::Grid ? ChannelMessage::TxOutOfBand
                                                       : ChannelMessage::TxOutOfBandDialog;
        result.shown = BandLowText(state.BandLowMHz);
    }
    StoreTxMHz(image, c, TextToUnits(result.shown));
    return result;
}

}  // namespace zt
