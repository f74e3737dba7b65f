// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/unsaved_changes.h"

#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// In the order of CloseAnswer.
constexpr BiText kCloseButtons[] = {{"Save", "保存"}, {"Discard", "不保存"}, {"Cancel", "取消"}};

}  // namespace

CloseAnswer AskSaveBeforeClosing(MessagePresenter& presenter, bool chinese) {
    const int answer =
        presenter.ask(qs(kSaveBeforeClosing, chinese), qs(kOperatePromptCapital, chinese),
                      qs(kCloseButtons, chinese), static_cast<int>(CloseAnswer::Cancel));
    return static_cast<CloseAnswer>(answer);
}

}  // namespace zt
