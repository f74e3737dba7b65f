// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional-features window's rules, without the window: a refresh that turns
// the option rows (208, 209), the frequency-mode record (row 0) and the
// frequency limits (row 153) into control states, and one commit rule per control
// that writes the control's state back at once. The frequency entries of the
// "Frequncy Mode" and "Frequncy Range" frames are in freq_mode_editor.h.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/bitext.h"
#include "model/editor_prompt.h"
#include "model/freq_mode_editor.h"
#include "model/options.h"

namespace zt {

struct AppState;

// The lists of the window (the tone and shift-direction lists are in
// freq_mode_editor.h).
enum class OptionList {
    Sql,           // Combo_Sql
    Scan,          // Combo_Scan
    Mdf,           // Combo_Mdf
    Lamp,          // Combo_Lamp
    PonMode,       // Combo_Pon_Mode
    Tot,           // Combo_TOT
    Apo,           // Combo_APO
    VoxLevel,      // Combo_VOX_lever
    VoxDelayTime,  // Combo_VOX_Delay_Time
    KlMode,        // Combo_KL_Mode
    Txp,           // Combo_TXP
    Step,          // Combo_Step
    Wn,            // Combo_WN
};
inline constexpr int kOptionListCount = 13;

// The check boxes of the window.
enum class OptionCheck {
    Menu,         // Check_Menu ("Manual set-up", checked when the bit is 0)
    Roger,        // Check_ROGER
    VoxReceStop,  // Check_VOX_ReceStop
    FmStrx,       // Check_FM_STRX
    Save,         // Check_Save
    PonPwd,       // Check_Pon_PWD
    Beep,         // Check_Beep
    VoxSw,        // Check_VOX_SW
    Bcl,          // Check_Bcl
    TxStop,       // Check_TxStop
    OnlyChann,    // Check_Only_Chann
};
inline constexpr int kOptionCheckCount = 11;

struct OptionListControl {
    std::string_view control;  // the combo box
    std::string_view label;    // its label
    BiText caption;
    BitField field;
    std::span<const BiText> items;
};
struct OptionCheckControl {
    std::string_view control;
    BiText caption;
    BitField field;
    bool inverted;  // checked stores 0
};
[[nodiscard]] const OptionListControl& ListControl(OptionList list);
[[nodiscard]] const OptionCheckControl& CheckControl(OptionCheck check);

// Captions of the window that belong to no list or check box.
struct OptionCaptions {
    BiText window{"Optional Features", "可选参数"};
    BiText voxFrame{"VOX", "声控设置"};
    BiText workModeFrame{"Work Mode", "工作模式"};
    BiText optionFreq{"Frequncy", "频率模式"};
    BiText optionChann{"Channel", " 信道模式"};
    BiText powerOnFrame{"Power On", "开机"};
    BiText ponMsg{"PowerOn MSG", "开机显示字符"};
    BiText ponPwd{"Password Pin", "密码设置"};
    BiText freqModeFrame{"Frequncy Mode", "频率模式"};
    BiText decode{"Decode", "解码"};
    BiText encode{"Encode", "编码"};
    BiText rxFreq{"RX Frequncy(MHZ)", "接收频率(MHZ)"};
    BiText duplex{"Duplex", "频差方向"};
    BiText offsetFreq{"Offset Frequncy(MHZ) ", "频差频率(MHZ)"};
    BiText rangeFrame{"Frequncy Range", "工作频率范围"};
    BiText rangeFrom{"From", "从"};
    BiText rangeTo{"to", "到"};
    BiText close{"Close", "关闭"};
    BiText help{"Help", "帮助"};
};
inline constexpr OptionCaptions kOptionCaptions{};

inline constexpr BiText kPasswordLengthMessage{"Password length is 4 digit.",
                                               "效验码的有效长度为 4 位 ！"};

struct OptionView {
    std::array<int, kOptionListCount> lists{};
    std::array<bool, kOptionCheckCount> checks{};
    bool channelMode = false;     // Option_chann selected (else Option_freq)
    bool workModeEnabled = true;  // both work-mode buttons
    std::string password;
    bool passwordEnabled = false;  // Text_Pon_PWD
    std::string message;
    bool messageEnabled = false;  // Text_Pon_Msg
    std::string lowerLimit;       // Text_pvfo_d0
    std::string upperLimit;       // Text_pvfo_d1
    VfoView vfo;
    // Messages the refresh raised (the shift-direction rule), to show in order.
    std::vector<Prompt> prompts;

    [[nodiscard]] int list(OptionList l) const { return lists[static_cast<int>(l)]; }
    [[nodiscard]] bool check(OptionCheck c) const { return checks[static_cast<int>(c)]; }
};

// What the password and power-on message boxes show before a refresh: empty
// before the window's first one.
struct OptionBoxTexts {
    std::string password;
    std::string message;
};

// Image to controls. Besides taking the limits of row 153 over as the edges in
// force, it changes the image in exactly these ways, each on purpose:
// - option byte 1 bit 4 (VOX inhibit on receive) and byte 10 bit 0 are cleared;
// - a box whose text the refresh changes runs its text rule, as typing would:
//   the password or message is written back (gaps of empty positions closed,
//   what is not a digit or character dropped). A box that already shows its
//   text, or shows none, changes nothing: bytes it cannot show survive;
// - the stored shift direction runs the shift-direction rule: a direction whose
//   TX frequency is outside the band returns to none, with the TX message.
[[nodiscard]] OptionView RefreshOptions(AppState& state, const OptionBoxTexts& shown = {});

// Leaving a limit box, in the order the user sees it: the box's entry rule
// (LowerLimitEntry / UpperLimitEntry) stores the limits, the window is refreshed
// with them (which may return the shift direction to none), and only then are
// the frequency-mode record and the channels checked against them.
enum class LimitBox { Lower, Upper };
struct LimitChange {
    // The entry's box text and focus; prompts in order: the entry's, the
    // refresh's, the limit check's. The refresh itself is already in `view`.
    FreqEditOutcome outcome;
    OptionView view;  // its own prompts are moved into outcome.prompts
};
[[nodiscard]] LimitChange LimitBoxLeft(AppState& state, LimitBox box, std::string_view lowerText,
                                       std::string_view upperText, const OptionBoxTexts& shown);

// Commit rules. A list stores its position into its bit field (the key-lock list
// keeps the vice-band bit 7; the power-on list enables the message box for MSG).
void CommitOptionList(Image& image, OptionList list, int position);
void CommitOptionCheck(Image& image, OptionCheck check, bool checked);
// Option_chann (true) or Option_freq (false) selected.
void CommitWorkMode(Image& image, bool channelMode);

// Password box. Keys: digits while fewer than four characters, and Backspace.
[[nodiscard]] bool PasswordKeyAccepted(std::string_view currentText, char32_t key);
// Every change: bytes 0..3 become the digits typed, 255 after them.
void CommitPassword(Image& image, std::string_view text);
// Leaving the box with other than four characters: the message, and the focus
// goes back into the box (the text stays as typed).
[[nodiscard]] std::optional<Prompt> PasswordFocusLost(std::string_view text);

// Power-on message box. Keys: A-Z, 0-9, '-', '_', '*' while fewer than five
// characters (a-z become capitals), and Backspace. Returns the character to put
// into the box, or nothing when the key is discarded.
[[nodiscard]] std::optional<char32_t> MessageKeyFilter(std::string_view currentText, char32_t key);
// Every change: bytes 4..8 become the character codes of the trimmed text.
void CommitPowerOnMessage(Image& image, std::string_view text);

}  // namespace zt
