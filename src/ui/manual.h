// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user manual: Markdown in English and Chinese (docs/manual), built into the
// program. A section starts with an anchor line, <a id="NAME"></a>, right before
// its heading; the anchors are the same in both languages, so a window names its
// section once.

#include <QString>
#include <map>

namespace zt {

// The manual's Markdown text in the language.
[[nodiscard]] QString ManualMarkdown(bool chinese);

// For each anchor of a manual, the heading it names: the number of the first
// heading after the anchor line, counting the manual's headings from 0 in order
// (headings inside fenced code do not count).
[[nodiscard]] std::map<QString, int> ManualSections(const QString& markdown);

}  // namespace zt
