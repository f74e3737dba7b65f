// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the "Frequncy Mode" frame (the frequency-mode record, row 0) and
// the "Frequncy Range" frame (the frequency limits, row 153) of the
// optional-features window: key filters, the per-keystroke and focus-loss rules
// of the receive and offset boxes, the shift direction with its TX frequency,
// the tones with their inverted-DCS indicators, and the two limit boxes.
//
// Each rule returns what the window must do next (messages to show in order,
// the box to empty or refill, the focus to put back, a refresh); the image and
// the edges in force are changed by the rule itself.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/editor_prompt.h"
#include "model/radio_image.h"

namespace zt {

struct AppState;

// What the frame shows of the frequency-mode record.
struct VfoView {
    std::string rxText;      // Text_RX_Freq
    std::string offsetText;  // Text_Offset_Freq
    std::string txText;      // Text_tx_freq
    int direction = 0;       // Combo_Sft_d: 0 Off, 1 Plus, 2 Minus
    // Tone list positions; none when the stored type is unknown (the list keeps
    // what it showed).
    std::optional<int> decode;
    std::optional<int> encode;
    std::optional<bool> decodeInverted;  // Check_DNI
    std::optional<bool> encodeInverted;  // Check_ENI
};

struct FreqEditOutcome {
    std::vector<Prompt> prompts;         // to show, in order
    bool clearBox = false;               // empty the box the rule ran for
    std::optional<std::string> boxText;  // or give it this text
    bool refocus = false;                // put the focus back into that box
    std::optional<std::string> txText;   // new Text_tx_freq
    std::optional<int> direction;        // new Combo_Sft_d position
    bool refresh = false;                // refresh the whole window
};

// The frequency-mode part of the window's refresh, including the shift-direction
// rule run for the stored direction (which may return it to none, with a message).
[[nodiscard]] VfoView RefreshVfo(AppState& state, std::vector<Prompt>& prompts);

// Receive frequency box.
[[nodiscard]] bool RxKeyAccepted(std::string_view currentText, char32_t key);
[[nodiscard]] FreqEditOutcome RxTextChanged(std::string_view text);
[[nodiscard]] FreqEditOutcome RxFocusLost(AppState& state, std::string_view text);

// Offset box. `rxText` is what the receive box shows and `direction` the shift
// direction the list shows.
[[nodiscard]] bool OffsetKeyAccepted(std::string_view currentText, char32_t key);
[[nodiscard]] FreqEditOutcome OffsetTextChanged(AppState& state, std::string_view text,
                                                std::string_view rxText, int direction);
[[nodiscard]] FreqEditOutcome OffsetFocusLost(AppState& state, std::string_view text,
                                              std::string_view rxText, int direction);

// Shift direction chosen in Combo_Sft_d.
[[nodiscard]] FreqEditOutcome CommitShiftDirection(AppState& state, int direction,
                                                   std::string_view rxText,
                                                   std::string_view offsetText);

// A tone chosen in Combo_Decode (decode = true) or Combo_Encode; returns whether
// the inverted-DCS indicator is checked.
bool CommitVfoTone(Image& image, bool decode, int position);

// Limit boxes: digits, '.', Backspace and Enter.
[[nodiscard]] bool LimitKeyAccepted(char32_t key);
// The entry rule of the lower (Text_pvfo_d0) or upper (Text_pvfo_d1) limit box
// when it is left: the box's own text may be replaced (with a message and the
// focus back), then both limits are stored into row 153 and become the edges in
// force. The window's refresh and the limit check follow, in that order
// (LimitBoxLeft in option_editor.h runs all three).
[[nodiscard]] FreqEditOutcome LowerLimitEntry(AppState& state, std::string_view lowerText,
                                              std::string_view upperText);
[[nodiscard]] FreqEditOutcome UpperLimitEntry(AppState& state, std::string_view lowerText,
                                              std::string_view upperText);

// The limits of row 153 as the boxes show them, e.g. "400" and "470".
[[nodiscard]] std::string LowerLimitText(const Image& image);
[[nodiscard]] std::string UpperLimitText(const Image& image);

}  // namespace zt
