// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_card.h"

#include "model/band_edges.h"
#include "model/catalogue.h"
#include "model/channel.h"
#include "model/channel_texts.h"
#include "model/number_text.h"
#include "model/tone_codec.h"

namespace zt {

namespace {

// Repeater offsets stay below this and fall on a 5 kHz raster; anything else
// is a split, shown as the transmit frequency.
constexpr FreqUnits kLargestOffset = 10 * kUnitsPerMHz;
constexpr FreqUnits kOffsetRaster = 500;

std::string TransmitText(const Image& image, int c) {
    const FreqUnits shift = TxUnits(image, c) - RxUnits(image, c);
    if (shift == 0) return {};
    const FreqUnits size = shift < 0 ? -shift : shift;
    if (size > kLargestOffset || size % kOffsetRaster != 0) return TxText(image, c);
    std::string text = MHzText(size);  // five decimals; three are enough for most offsets
    while (text.size() > text.find('.') + 4 && text.back() == '0') text.pop_back();
    return (shift > 0 ? "+" : "-") + text;
}

std::string ToneText(TonePair tone) {
    static const auto kList = MakeToneList();
    const auto position = ToneToListIndex(tone.type, tone.index);
    if (!position || *position == 0) return {};
    return std::string(TrimBlanks(kList[static_cast<std::size_t>(*position)]));
}

CardRow Row(const Image& image, int c, bool chinese) {
    CardRow row;
    row[CardNumber] = std::to_string(c);
    row[CardName] = ReadName(image, c);
    row[CardRx] = RxText(image, c);
    row[CardTx] = TransmitText(image, c);
    row[CardDecode] = ToneText(RxTone(image, c));
    row[CardEncode] = ToneText(TxTone(image, c));
    const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
    if (power < static_cast<int>(kPowerTexts.size()))
        row[CardPower] = kPowerTexts[static_cast<std::size_t>(power)].in(chinese);
    row[CardWidth] = kWidthTexts[GetFlag(image, c, kFlags2Byte, kWideBit) ? 1 : 0].in(chinese);
    if (GetFlag(image, c, kFlags2Byte, kTxStopBit)) row[CardTxStop] = kReceiveOnlyMark;
    return row;
}

}  // namespace

ChannelCard MakeChannelCard(const Image& image, const CardRequest& request) {
    const bool zh = request.chinese;
    ChannelCard card;
    card.chinese = zh;
    card.title = request.title.empty() ? std::string(kCardTitle.in(zh)) : request.title;
    std::vector<bool> wanted(kChannelCount + 1, request.channels.empty());
    for (int c : request.channels) wanted.at(static_cast<std::size_t>(c)) = true;
    for (int c = 1; c <= kChannelCount; ++c) {
        if (wanted[static_cast<std::size_t>(c)] && !IsChannelEmpty(image, c))
            card.rows.push_back(Row(image, c, zh));
    }
    const std::string colon = zh ? "：" : ": ";
    card.facts.push_back((zh ? "型号" : "Model") + colon + ModelAndBandText(ReadBandEdges(image)));
    if (!request.fileName.empty())
        card.facts.push_back((zh ? "文件" : "File") + colon + request.fileName);
    card.facts.push_back((zh ? "日期" : "Date") + colon + request.date);
    card.facts.push_back((zh ? "信道数" : "Channels") + colon + std::to_string(card.rows.size()));
    const std::vector<std::string> grid = GridColumnTitles(zh);
    card.headings = {grid[0], grid[7], grid[1],
                     grid[2], grid[3], grid[4],
                     grid[5], grid[6], std::string(kTxStopCaption.in(zh))};
    return card;
}

std::string CardPageText(int page, int pages, bool chinese) {
    const std::string p = std::to_string(page);
    const std::string n = std::to_string(pages);
    return chinese ? "第 " + p + " 页，共 " + n + " 页" : "Page " + p + " of " + n;
}

}  // namespace zt
