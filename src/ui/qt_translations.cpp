// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zt {

bool FollowLanguageInQtTexts(bool languageChinese) {
    static QTranslator* translator = nullptr;
    if (!languageChinese) {
        if (translator) QCoreApplication::removeTranslator(translator);
        return true;
    }
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete translator;
            translator = nullptr;
            return false;
        }
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace zt
