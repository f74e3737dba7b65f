// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message an editor rule wants shown: its text in both languages and the title
// of its box. The rules only return it; the window shows it (after the handler
// that produced it has returned, so a box never re-enters a focus handler).

#include <string>
#include <string_view>

#include "model/bitext.h"

namespace zt {

struct Prompt {
    std::string english;
    std::string chinese;
    BiText title = kOperatePrompt;

    [[nodiscard]] std::string_view text(bool languageChinese) const {
        return languageChinese ? chinese : english;
    }
    [[nodiscard]] bool operator==(const Prompt& o) const {
        return english == o.english && chinese == o.chinese && title.english == o.title.english &&
               title.chinese == o.title.chinese;
    }
};

[[nodiscard]] inline Prompt MakePrompt(const BiText& text, const BiText& title = kOperatePrompt) {
    return Prompt{std::string(text.english), std::string(text.chinese), title};
}

}  // namespace zt
