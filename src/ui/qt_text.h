// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the model's UTF-8 texts and Qt strings.

#include <QString>
#include <QStringList>
#include <span>
#include <string>
#include <string_view>

#include "model/bitext.h"

namespace zt {

[[nodiscard]] inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] inline QString qs(BiText text, bool languageChinese) {
    return qs(text.in(languageChinese));
}

// A list of captions (buttons, column headers) in one language.
[[nodiscard]] inline QStringList qs(std::span<const BiText> texts, bool languageChinese) {
    QStringList list;
    for (const BiText& t : texts) list << qs(t, languageChinese);
    return list;
}

[[nodiscard]] inline std::string utf8(const QString& text) { return text.toStdString(); }

}  // namespace zt
