// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/manual.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace zt {

QString ManualMarkdown(bool chinese) {
    QFile file(chinese ? QStringLiteral(":/manual/zh.md") : QStringLiteral(":/manual/en.md"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

std::map<QString, int> ManualSections(const QString& markdown) {
    static const QRegularExpression anchor(QStringLiteral(R"re(^\s*<a id="([^"]+)"></a>\s*$)re"));
    static const QRegularExpression heading(QStringLiteral(R"(^ {0,3}#{1,6}(\s|$))"));
    static const QRegularExpression fence(QStringLiteral(R"(^ {0,3}(```|~~~))"));
    std::map<QString, int> sections;
    QStringList waiting;  // anchors whose heading has not come yet
    int headings = 0;
    bool inFence = false;
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        if (fence.match(line).hasMatch()) {
            inFence = !inFence;
            continue;
        }
        if (inFence) continue;
        if (const QRegularExpressionMatch m = anchor.match(line); m.hasMatch()) {
            waiting << m.captured(1);
        } else if (heading.match(line).hasMatch()) {
            for (const QString& name : waiting) sections.emplace(name, headings);
            waiting.clear();
            ++headings;
        }
    }
    return sections;
}

}  // namespace zt
