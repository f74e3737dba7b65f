// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/option_editor.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/editor_text.h"
#include "model/limits.h"
#include "model/number_text.h"

namespace zt {

namespace {

constexpr std::array<OptionListControl, kOptionListCount> kLists{{
    {"Combo_Sql", "Label_sql", {"Squelch Level", "静噪等级"}, kSquelchLevel, kSquelchItems},
    {"Combo_Scan", "Label_Scan", {"Scans", "扫描方式"}, kScanMode, kScanModeItems},
    {"Combo_Mdf",
     "Label_mdf",
     {"Channel Disp Way", "信道显示方式"},
     kChannelDisplay,
     kChannelDisplayItems},
    {"Combo_Lamp", "Label_lamp", {"Back Light", "背光灯"}, kBackLight, kBackLightItems},
    {"Combo_Pon_Mode",
     "Label_Pon_Mode",
     {"MsgMode", "开机显示模式"},
     kPowerOnMode,
     kPowerOnModeItems},
    {"Combo_TOT",
     "Label_tot",
     {"Time Out Timer[Min]", "超时定时器[分钟]"},
     kTimeOutTimer,
     kTimeOutTimerItems},
    {"Combo_APO", "Label_APO", {"APO[Hour]", "自动关机[小时]"}, kAutoPowerOff, kAutoPowerOffItems},
    {"Combo_VOX_lever",
     "Label_vox_Lever",
     {"VOV Gain Level", "声控等级"},
     kVoxGainLevel,
     kVoxGainLevelItems},
    {"Combo_VOX_Delay_Time",
     "Label_VOX_Delay_Time",
     {"VOX Delay Time[S]", "声控延迟[秒]"},
     kVoxDelayTime,
     kVoxDelayTimeItems},
    {"Combo_KL_Mode",
     "Label_KL_Mode",
     {"KeyLock Mode", "按键锁定模式"},
     kKeyLockMode,
     kKeyLockModeItems},
    {"Combo_TXP", "Label_TXP", {"TX Power", "发射功率"}, kVfoTxPower, kTxPowerItems},
    {"Combo_Step", "Label_Step", {"Step(KHZ)", "步进频率(KHZ)"}, kVfoStep, kStepItems},
    {"Combo_WN", "Label_WN", {"Wide / Narrow", "宽带/窄带"}, kVfoWide, kWideNarrowItems},
}};

constexpr std::array<OptionCheckControl, kOptionCheckCount> kChecks{{
    {"Check_Menu", {"Manual set-up", "手动设置"}, kManualSetupOff, true},
    {"Check_ROGER", {"Roger", "结束通话提示音"}, kRoger, false},
    {"Check_VOX_ReceStop",
     {"VOX Inhibit on Receive", "接收时禁止声控"},
     kVoxInhibitOnReceive,
     false},
    {"Check_FM_STRX", {"Receiver When Radio Working", "收音时允许接收"}, kReceiveWhileRadio, false},
    {"Check_Save", {"Save", "电池省电"}, kBatterySave, false},
    {"Check_Pon_PWD", {"Radio Password", "对讲机密码"}, kRadioPassword, false},
    {"Check_Beep", {"Beep", "哔音"}, kBeep, false},
    {"Check_VOX_SW", {"VOX", "声控"}, kVfoVox, false},
    {"Check_Bcl", {"BCL", "繁忙锁定"}, kVfoBcl, false},
    {"Check_TxStop", {"TX Stop", "禁止发射"}, kVfoTxStop, false},
    {"Check_Only_Chann", {"Only Channel Mode", "仅工作在信道模式"}, kOnlyChannelMode, false},
}};

constexpr int kPowerOnMsg = 2;  // "MSG"

bool IsDigit(char32_t key) { return key >= U'0' && key <= U'9'; }

}  // namespace

const OptionListControl& ListControl(OptionList list) { return kLists[static_cast<int>(list)]; }
const OptionCheckControl& CheckControl(OptionCheck check) {
    return kChecks[static_cast<int>(check)];
}

OptionView RefreshOptions(AppState& state, const OptionBoxTexts& shown) {
    Image& image = state.ChannelTable;
    OptionView v;

    // 1. The limits, which become the edges in force.
    RecomputeBandEdges(state);
    v.lowerLimit = LowerLimitText(image);
    v.upperLimit = UpperLimitText(image);

    // The radio sets VOX inhibit on receive by itself; the window always starts
    // it cleared (the write preparation clears it too).
    WriteFlag(image, kVoxInhibitOnReceive, false);

    for (int i = 0; i < kOptionListCount; ++i)
        v.lists[i] = ShownPosition(ReadField(image, kLists[i].field), kLists[i].items.size());
    for (int i = 0; i < kOptionCheckCount; ++i)
        v.checks[i] = ReadFlag(image, kChecks[i].field) != kChecks[i].inverted;
    v.channelMode = ReadFlag(image, kChannelWorkMode);

    // A text box runs its text rule only when the refresh changes its text.
    v.password = ReadPassword(image);
    if (v.password != shown.password) CommitPassword(image, v.password);
    v.passwordEnabled = v.check(OptionCheck::PonPwd);
    v.message = ReadPowerOnMessage(image);
    if (v.message != shown.message) CommitPowerOnMessage(image, v.message);
    v.messageEnabled = v.list(OptionList::PonMode) == kPowerOnMsg;

    v.vfo = RefreshVfo(state, v.prompts);

    if (v.check(OptionCheck::OnlyChann)) {
        v.channelMode = true;
        v.workModeEnabled = false;
    }
    WriteFlag(image, kOptionByte10Bit0, false);
    return v;
}

LimitChange LimitBoxLeft(AppState& state, LimitBox box, std::string_view lowerText,
                         std::string_view upperText, const OptionBoxTexts& shown) {
    LimitChange change;
    FreqEditOutcome& out = change.outcome;
    out = box == LimitBox::Lower ? LowerLimitEntry(state, lowerText, upperText)
                                 : UpperLimitEntry(state, lowerText, upperText);
    change.view = RefreshOptions(state, shown);
    out.prompts.insert(out.prompts.end(), change.view.prompts.begin(), change.view.prompts.end());
    change.view.prompts.clear();
    const LimitCheckResult check = CheckLimits(state.ChannelTable);
    if (!check.passed)
        out.prompts.push_back(Prompt{check.message.english, check.message.chinese, kOperatePrompt});
    return change;
}

void CommitOptionList(Image& image, OptionList list, int position) {
    const OptionListControl& c = ListControl(list);
    position = std::clamp(position, 0, static_cast<int>(c.items.size()) - 1);
    WriteField(image, c.field, position);
}

void CommitOptionCheck(Image& image, OptionCheck check, bool checked) {
    const OptionCheckControl& c = CheckControl(check);
    if (check == OptionCheck::OnlyChann && checked) CommitWorkMode(image, true);
    WriteFlag(image, c.field, checked != c.inverted);
}

void CommitWorkMode(Image& image, bool channelMode) {
    WriteFlag(image, kChannelWorkMode, channelMode);
}

bool PasswordKeyAccepted(std::string_view currentText, char32_t key) {
    if (key == kKeyBackspace) return true;
    if (!IsDigit(key)) return false;
    return CharCount(TrimBlanks(currentText)) <= 3;
}

void CommitPassword(Image& image, std::string_view text) { WritePassword(image, text); }

std::optional<Prompt> PasswordFocusLost(std::string_view text) {
    if (CharCount(text) == kPasswordLength) return std::nullopt;
    return MakePrompt(kPasswordLengthMessage, kOperatePromptCapital);
}

std::optional<char32_t> MessageKeyFilter(std::string_view currentText, char32_t key) {
    if (key == kKeyBackspace) return key;
    if (key >= U'a' && key <= U'z') key = key - U'a' + U'A';
    const bool allowed =
        (key >= U'A' && key <= U'Z') || IsDigit(key) || key == U'-' || key == U'_' || key == U'*';
    if (!allowed) return std::nullopt;
    if (CharCount(TrimBlanks(currentText)) > 4) return std::nullopt;
    return key;
}

void CommitPowerOnMessage(Image& image, std::string_view text) { WritePowerOnMessage(image, text); }

}  // namespace zt
