// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program says about changes not yet saved to a file or written to
// the radio: the question before it closes and the status panel's word.

#include "model/bitext.h"

namespace zt {

class MessagePresenter;

inline constexpr BiText kSaveBeforeClosing{"The channel data has changed. Save it before closing?",
                                           "信道数据已更改，关闭前是否保存？"};
inline constexpr BiText kModifiedPanel{"Modified", "已修改"};

enum class CloseAnswer { Save, Discard, Cancel };

// Asks the question, titled "Operate Prompt", with the buttons Save, Discard
// and Cancel; Escape cancels.
[[nodiscard]] CloseAnswer AskSaveBeforeClosing(MessagePresenter& presenter, bool chinese);

}  // namespace zt
