// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scan information: priority mode and channel, two look-back times, the revert
// channel, and the dropout-delay and TX-dwell times. The nine-byte scan record
// lives in row 213, bytes 0..8: a row the radio is written with and that nothing
// else uses, so it overlaps no channel record.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/bitext.h"
#include "model/editor_prompt.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr int kScanRecordRow = 213;
inline constexpr int kScanPriorityModeByte = 0;
inline constexpr int kScanPriorityChannelByte = 1;
inline constexpr int kScanLookBackAByte = 2;
inline constexpr int kScanLookBackBByte = 3;
inline constexpr int kScanRevertByte = 4;
inline constexpr int kScanDropoutByte = 5;  // low byte; 6 high
inline constexpr int kScanTxDwellByte = 7;  // low byte; 8 high

inline constexpr int kScanLookBackItems = 91;  // .500 s .. 5.00 s in 0.05 s steps
inline constexpr int kScanMaxSeconds = 300;    // dropout delay and TX dwell lists
inline constexpr int kScanFirstPriorityChannel = 1;
inline constexpr int kScanLastPriorityChannel = 16;

enum class PriorityMode { None = 0, Fixed = 1, Selected = 2 };

inline constexpr std::array<BiText, 3> kPriorityModeItems{{
    {"None", "无"},
    {"Fixed", "固定"},
    {"Selected", "选定"},
}};

// The four revert choices; byte 4 holds the index into this table.
inline constexpr std::array<BiText, 4> kRevertChoices{{
    {"Selected", "选定"},
    {"Selected+Talk Back", "选定+当前通话"},
    {"Priority", "优先"},
    {"Priority+Talk Back", "优先+当前通话"},
}};

struct ScanCaptions {
    BiText window{"Scan Information", "扫描信息"};
    BiText priority{"Priority", "优先"};
    BiText priorityChannel{"Priority Channel", "优先信道"};
    BiText lookBackA{"Look Back Time A(s)", "回扫时间 A(秒)"};
    BiText lookBackB{"Look Back Time B(s)", "回扫时间 B(秒)"};
    BiText revert{"Revert Channel", "返回信道"};
    BiText dropout{"Dropout Delay Time (s)", "扫描接收恢复延迟时间(秒)"};
    BiText txDwell{"TX Dwell Time (s)", "扫描发射恢复延迟时间(秒)"};
    BiText close{"Close", "关闭"};
    BiText help{"Help", "帮助"};
};
inline constexpr ScanCaptions kScanCaptions{};

// The priority channel typed in fixed mode lies outside 1..16.
inline constexpr BiText kPriorityChannelRange{"Priority channel must be between 1 and 16.",
                                              "优先信道号在 1 - 16 之间 ！"};

// Texts of the look-back list: .500, .550, ... .950, 1.00, 1.05, ... 5.00.
[[nodiscard]] std::vector<std::string> LookBackTexts();
// Texts of the dropout-delay and TX-dwell lists: "0" .. "300".
[[nodiscard]] std::vector<std::string> ScanSecondsTexts();
// The revert choices (indexes into kRevertChoices) offered in a priority mode, and
// the byte value of the first of them.
[[nodiscard]] std::vector<int> RevertChoicesFor(PriorityMode mode);

struct ScanView {
    PriorityMode mode = PriorityMode::None;
    std::string priorityChannel;  // "1".."16" or empty
    int lookBackA = 0;            // list positions
    int lookBackB = 0;
    std::vector<int> revertChoices;  // the revert list for the mode
    int revert = 0;                  // position in that list
    int dropout = 0;                 // seconds, 0..300
    int txDwell = 0;
    bool priorityChannelEnabled = false;
    bool lookBackEnabled = false;
};

// Image to controls. Stored values outside their lists show clamped; the image
// is not touched.
[[nodiscard]] ScanView RefreshScan(const Image& image);

// Commit rules, control to image. A list with an empty selection counts as its
// first position.
void CommitPriorityMode(Image& image, int position);  // also stores the revert choice shown
void CommitLookBack(Image& image, int byte, int position);
void CommitRevert(Image& image, int position);
void CommitScanSeconds(Image& image, int lowByte, int seconds);
// The priority-channel text changed. Only in fixed mode does it store; a value
// outside 1..16 (an empty text included) gives the range message, and the window
// then empties the box.
[[nodiscard]] std::optional<Prompt> CommitPriorityChannel(Image& image, std::string_view text);

// Key filter of the priority-channel box: digits only (not even Backspace), and
// nothing more once the box holds two characters.
[[nodiscard]] bool PriorityChannelKeyAccepted(std::string_view currentText, char32_t key);

}  // namespace zt
