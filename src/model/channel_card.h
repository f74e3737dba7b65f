// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a printed channel card says: a header (title, model and band, file,
// date, number of channels) and one row per used channel with the texts of its
// columns, in either language. Drawing it on paper or into a PDF is the card
// library's (src/card); this part decides every text on it.

#include <array>
#include <string>
#include <vector>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

enum CardColumn {
    CardNumber,
    CardName,
    CardRx,
    CardTx,
    CardDecode,
    CardEncode,
    CardPower,
    CardWidth,
    CardTxStop,
    kCardColumns
};

struct CardRequest {
    std::vector<int> channels;  // the channels to list; empty: every channel
    std::string title;          // empty: "Channel Card"
    std::string fileName;       // the channel file the image came from; "" when none
    std::string date;           // as the front end writes today's date
    bool chinese = false;
};

using CardRow = std::array<std::string, kCardColumns>;

struct ChannelCard {
    bool chinese = false;
    std::string title;
    // "Model: ZT790 C1.0 UHF (400-470 MHz)", "File: club.chann", "Date: ...",
    // "Channels: 16", in that order; the file only when there is one.
    std::vector<std::string> facts;
    CardRow headings;
    std::vector<CardRow> rows;
};

inline constexpr BiText kCardTitle{"Channel Card", "信道卡"};
inline constexpr BiText kCardNoChannels{"There is no used channel to put on the card.",
                                        "没有可列入信道卡的已用信道。"};
// The mark of a channel that may not transmit.
inline constexpr const char* kReceiveOnlyMark = "●";

// The card of the used channels among the requested ones, in channel order.
// Transmit shows as the offset's sign and size in MHz (+5.000, -0.600) when the
// offset is a repeater offset (10 MHz or less, in whole 5 kHz), as the transmit
// frequency itself for any other split, and not at all on a simplex channel;
// tones that are off, and a power the editors do not offer, show nothing.
[[nodiscard]] ChannelCard MakeChannelCard(const Image& image, const CardRequest& request);

// The page footer: "Page 1 of 2", "第 1 页，共 2 页".
[[nodiscard]] std::string CardPageText(int page, int pages, bool chinese);

}  // namespace zt
