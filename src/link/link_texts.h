// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captions and messages the serial exchanges show, in both languages,
// exactly as the radio's users know them (odd spacing and punctuation included).

#include <string>

#include "model/bitext.h"

namespace zt {

// A label or message text, possibly carrying a number, in both languages.
using LinkText = BiString;

enum class LinkMessageKind {
    PortError,     // opening the port failed
    Busy,          // start pressed while an exchange runs
    DontClose,     // cancel pressed while an exchange runs
    FailConnect,   // no answer after the last retry
    ReadComplete,  // a read finished
    LimitCheck,    // a write stopped by a frequency-limit check
};

// A message box: exclamation icon, OK button.
struct LinkMessage {
    LinkMessageKind kind;
    LinkText text;
    BiText title;
};

namespace link_text {

inline constexpr BiText kPortError{
    "Communication port is error, please setting right communication port . ！",
    "通讯端口打开错误，请正确设置通讯端口 ！"};
inline constexpr BiText kBusy{"Read-write operating with transceiver .",
                              "正在与对讲机进行读写操作 ！"};
inline constexpr BiText kDontClose{"Read-write operating，don't close the window. ,",
                                   "正在进行读写操作,请勿关窗口 ！,"};
inline constexpr BiText kFailConnect{"Fail connect with transceiver.", "与对讲机联络失败 ！"};
inline constexpr BiText kReadComplete{"Complete reading the data from transceiver.",
                                      "从对讲机中读取数据完毕 ！"};

inline constexpr BiText kConnecting{"Connecting with transceiver. ", "正在与对讲机联络 ！"};
inline constexpr BiText kCommunicationFault{"Communication fault.", "与对讲机通讯故障 ！"};
inline constexpr BiText kReadDone{"Read Data in gear. ", "数据读出正常 ！"};
inline constexpr BiText kWriteDone{"Complete writing Data ", "数据写入完毕 ！"};

}  // namespace link_text

[[nodiscard]] LinkText ToLinkText(const BiText& text);
// "Reading N Data Block"
[[nodiscard]] LinkText ReadingBlockText(int n);
// "Writing  N  Data Block"
[[nodiscard]] LinkText WritingBlockText(int n);
// A message titled "Operate prompt".
[[nodiscard]] LinkMessage PromptMessage(LinkMessageKind kind, const BiText& text);

}  // namespace zt
