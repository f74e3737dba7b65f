// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption or message in both interface languages. Every text the program shows
// lives in a table of these, next to the feature that shows it.

#include <string>
#include <string_view>
#include <utility>

namespace zt {

struct BiText {
    std::string_view english;
    std::string_view chinese;

    [[nodiscard]] constexpr std::string_view in(bool languageChinese) const {
        return languageChinese ? chinese : english;
    }
    friend constexpr bool operator==(const BiText&, const BiText&) = default;
};

// A message built at run time (it carries a number or a path), in both languages.
struct BiString {
    std::string english;
    std::string chinese;

    BiString() = default;
    BiString(std::string en, std::string zh) : english(std::move(en)), chinese(std::move(zh)) {}
    explicit BiString(BiText t) : english(t.english), chinese(t.chinese) {}

    [[nodiscard]] const std::string& in(bool languageChinese) const {
        return languageChinese ? chinese : english;
    }
    [[nodiscard]] bool empty() const { return english.empty() && chinese.empty(); }
    friend bool operator==(const BiString&, const BiString&) = default;
};

// Titles of the program's message boxes.
inline constexpr BiText kOperatePrompt{"Operate prompt", "操作提示"};
inline constexpr BiText kOperatePromptCapital{"Operate Prompt", "操作提示"};

}  // namespace zt
