// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the standard buttons of message boxes, the context menu of a
// text box) in the program's language.

namespace zt {

// Chinese installs Qt's Simplified Chinese translations from the folder Qt keeps
// them in (Debian package qt6-translations-l10n); English removes them again.
// Returns false when Chinese was asked for and the translations are missing:
// the buttons then stay in English.
bool FollowLanguageInQtTexts(bool languageChinese);

}  // namespace zt
