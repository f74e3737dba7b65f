// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link_texts.h"

namespace zt {

LinkText ToLinkText(const BiText& text) { return LinkText(text); }

LinkText ReadingBlockText(int n) {
    const std::string number = std::to_string(n);
    return LinkText{"Reading " + number + " Data Block", "正在读取 " + number + " 数据块"};
}

LinkText WritingBlockText(int n) {
    const std::string number = std::to_string(n);
    return LinkText{"Writing  " + number + "  Data Block", "正在写入  " + number + "  数据块"};
}

LinkMessage PromptMessage(LinkMessageKind kind, const BiText& text) {
    return LinkMessage{kind, ToLinkText(text), kOperatePrompt};
}

}  // namespace zt
