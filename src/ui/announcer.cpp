// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace zt {

namespace {

constexpr const char* kObjectName = "announcement";
constexpr const char* kBoxName = "announcements";
// The last few stay, so a screen reader that reads a text a moment after it
// appeared still finds it when more have followed.
constexpr qsizetype kKept = 4;

QAccessibleInterface* notificationRole(const QString& className, QObject* object) {
    if (className != QLatin1String("QWidget") || object->objectName() != QLatin1String(kObjectName))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

void announce(QWidget* from, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    static const bool installed = [] {
        QAccessible::installFactory(&notificationRole);
        return true;
    }();
    (void)installed;
    // The notes sit in a box of their own, invisible and out of the way (it
    // draws nothing and takes no click or key): one shown straight in the
    // window would have the window lay itself out in the middle of the change
    // it speaks of.
    QWidget* window = from->window();
    auto* box = window->findChild<QWidget*>(kBoxName, Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new QWidget(window);
        box->setObjectName(kBoxName);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setGeometry(0, 0, 1, 1);
        box->show();
    }
    const QList<QWidget*> earlier = box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i + kKept <= earlier.size(); ++i) delete earlier[i];
    auto* note = new QWidget(box);
    note->setObjectName(kObjectName);
    note->setGeometry(0, 0, 1, 1);
    note->setAccessibleName(text.trimmed());
    note->show();
}

QStringList announcements(const QWidget* window) {
    QStringList texts;
    for (const QWidget* note : window->findChildren<const QWidget*>(kObjectName))
        texts << note->accessibleName();
    return texts;
}

}  // namespace zt
