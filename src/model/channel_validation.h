// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules that turn a typed receive or transmit frequency into a stored
// channel, shared by the channel grid and the channel dialog: the band check,
// the lower edge replacing an out-of-band entry, the display form of an accepted
// text, what a cleared field means, and the message to raise.

#include <string>
#include <string_view>

#include "model/bitext.h"

namespace zt {

struct AppState;

enum class ChannelEditor { Grid, Dialog };

enum class ChannelMessage { None, RxOutOfBand, TxOutOfBand, TxOutOfBandDialog, RxFirst };

// The message text in both languages (empty for None); the box is titled
// kOperatePrompt.
[[nodiscard]] BiText ChannelMessageText(ChannelMessage id);

struct CommitResult {
    // The text to show in the edited field. After a cleared receive field both
    // frequency fields are emptied; after RxFirst the transmit field is emptied.
    std::string shown;
    ChannelMessage message = ChannelMessage::None;
    bool channelCleared = false;  // the receive field was cleared: the channel is empty
};

// The display form of an accepted text: the leading number of the trimmed text,
// a point appended when it has none, then zeros up to five decimals (446 ->
// 446.00000, 146.5 -> 146.50000); more decimals stay as typed (146.525001).
[[nodiscard]] std::string NormaliseFreqText(std::string_view text);

// The lower edge as shown after an out-of-band entry: 400 -> 400.00000.
[[nodiscard]] std::string BandLowText(double lowMHz);

// Receive commit on channel c (1..128) against the edges in force.
CommitResult CommitRxText(AppState& state, ChannelEditor editor, int c, std::string_view text);

// Transmit commit; rxShown is the receive text the editor shows for the channel
// (empty when none). The grid refuses a transmit text without a receive
// frequency (RxFirst); the dialog never asks.
CommitResult CommitTxText(AppState& state, ChannelEditor editor, int c, std::string_view text,
                          std::string_view rxShown);

}  // namespace zt
