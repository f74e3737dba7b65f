// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel grid's rules that need no widgets, for every front end that draws
// the grid (the desktop window, the browser page): what each cell of a
// channel's row shows, which cells take an editor and which kind, where Enter
// moves to, the choice lists and what a choice stores, what a typed text
// stores and how long it may grow. The front end draws the texts and places
// the editors; the frequency rules are channel_validation.h's, the header and
// the choice texts channel_texts.h's.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/bitext.h"
#include "model/channel_validation.h"
#include "model/radio_image.h"

namespace zt {

struct AppState;

// Grid columns; rows are channels 1..128.
enum GridColumn : int {
    kGridChannel,
    kGridRx,
    kGridTx,
    kGridDecode,
    kGridEncode,
    kGridPower,
    kGridWidth,
    kGridName,
};
inline constexpr int kGridColumns = 8;

// The grid's caption is this, the current channel's number and " ]".
inline constexpr BiText kGridCaption{"Channel Information [ Channel - ", "信道参数编辑 [ 信道 - "};
// "Channel Information [ Channel - n ]".
[[nodiscard]] std::string GridCaption(bool chinese, int channel);

using GridRow = std::array<std::string, kGridColumns>;

// What the row of channel c shows, given what it showed before: a tone group
// or a power value the radio does not know leaves its cell as it was. An
// empty channel shows nothing but its number, and its record is tidied to all
// 255 (its name stays in the name area).
[[nodiscard]] GridRow ShowChannelRow(AppState& state, int c, const GridRow& before);

enum class GridEditor { None, Text, List };

// The editor a cell takes: a text box for the frequencies and the name, a list
// for tones, power and bandwidth. Every cell but the frequencies needs a
// receive frequency on the row, the encode tone a transmit frequency too;
// otherwise the cell simply does not open.
[[nodiscard]] GridEditor CellEditor(const GridRow& row, int column);

struct GridCell {
    int channel = 1;
    int column = kGridRx;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// Where Enter in column `column` of channel c moves, given the row as it shows
// after the commit.
[[nodiscard]] GridCell EnterTarget(const GridRow& row, int c, int column);

// The items of a list cell: the off text then the tone list, Low Mid High, or
// Narrow Wide; the list position is what StoreChoice stores.
[[nodiscard]] std::vector<std::string> ChoiceItems(const AppState& state, int column);
// Stores the item at `position` chosen in a list cell of channel c.
void StoreChoice(Image& image, int c, int column, int position);

// A text the user changed in a text box of channel c stored: the name as
// typed, a frequency by the grid's commit (CommitRxText, CommitTxText against
// the receive text `row` shows). Returns the row as it then shows and the
// message to raise (None for none). Any other column stores nothing.
struct GridTextCommit {
    GridRow row;
    ChannelMessage message = ChannelMessage::None;
};
[[nodiscard]] GridTextCommit CommitGridText(AppState& state, int c, int column,
                                            std::string_view text, const GridRow& row);

// Whether a text box holding `text` takes one more character: ten at most in
// any column, five in the name column.
[[nodiscard]] bool TextBoxTakes(int column, std::string_view text);

}  // namespace zt
