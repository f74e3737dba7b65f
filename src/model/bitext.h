#pragma once
// A caption or message in both interface languages. Every text the program shows
// lives in a table of these, next to the feature that shows it.

#include <string_view>

namespace zt {

struct BiText {
    std::string_view english;
    std::string_view chinese;

    [[nodiscard]] constexpr std::string_view in(bool languageChinese) const {
        return languageChinese ? chinese : english;
    }
};

// Titles of the program's message boxes.
inline constexpr BiText kOperatePrompt{"Operate prompt", "操作提示"};
inline constexpr BiText kOperatePromptCapital{"Operate Prompt", "操作提示"};

}  // namespace zt
