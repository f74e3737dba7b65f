// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/access_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <cstring>

namespace zt {

namespace {

struct ItemKey {
    const char* item;
    char key;
};

// By menu, in menu order; no two items of one menu share a letter.
constexpr ItemKey kKeys[] = {
    // The menu bar.
    {"File", 'F'},
    {"proc_type", 'M'},
    {"Edit", 'E'},
    {"Program", 'P'},
    {"Adjust", 'A'},
    {"proc_setup", 'C'},
    {"Language_Setup", 'L'},
    {"Menu_About", 'B'},
    {"Menu_exit", 'X'},
    // File.
    {"File_New", 'N'},
    {"File_Open", 'O'},
    {"File_save", 'S'},
    {"File_saveas", 'A'},
    {"File_importcsv", 'I'},
    {"File_exportcsv", 'E'},
    {"File_printcard", 'P'},
    {"File_exportcard", 'C'},
    {"File_history", 'H'},
    {"File_exit", 'X'},
    // Edit.
    {"Channel_edit", 'H'},
    {"Optional_edit", 'O'},
    {"key_edit", 'K'},
    {"Scan_edit", 'S'},
    {"Test_edit", 'D'},
    {"Message_edit", 'M'},
    {"Edit_undo", 'U'},
    {"Edit_redo", 'R'},
    {"Edit_cut", 'T'},
    {"Edit_copy", 'C'},
    {"Edit_paste", 'P'},
    {"Edit_empty", 'E'},
    {"Edit_selectall", 'A'},
    {"Edit_moveup", 'V'},
    {"Edit_movedown", 'W'},
    {"Edit_insert", 'I'},
    {"Edit_delete", 'L'},
    {"Edit_sortrx", 'X'},
    {"Edit_sortname", 'N'},
    {"Edit_setfields", 'F'},
    // Program, Adjust, Language.
    {"Prog_read", 'R'},
    {"Prog_write", 'W'},
    {"Adj_Txp", 'P'},
    {"Language_chn", 'C'},
    {"Language_eng", 'E'},
};

bool HasMnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return true;
        ++i;  // "&&" is an ampersand shown
    }
    return false;
}

// A letter typed in an open menu reaches the menu first; Qt's own mnemonics
// have had their turn when it comes here unhandled.
class MenuLetters final : public QObject {
  public:
    explicit MenuLetters(QMenu* menu) : QObject(menu), menu_(menu) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != menu_ || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::AltModifier) != Qt::NoModifier || key->text().size() != 1)
            return false;
        const QChar letter = key->text().at(0).toUpper();
        for (QAction* a : menu_->actions()) {
            if (!a->isVisible() || !a->isEnabled() || a->isSeparator() || HasMnemonic(a->text()))
                continue;
            if (letter != QChar::fromLatin1(AccessKey(a->objectName().toLatin1().constData())))
                continue;
            // As if chosen with the arrow keys and Enter: the menus close, the item runs.
            menu_->setActiveAction(a);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(menu_, &enter);
            return true;
        }
        return false;
    }

  private:
    QMenu* menu_;
};

}  // namespace

char AccessKey(const char* itemName) {
    for (const ItemKey& k : kKeys) {
        if (std::strcmp(k.item, itemName) == 0) return k.key;
    }
    return 0;
}

QString WithAccessKey(const QString& caption, char key) {
    QString text = caption;
    text.replace('&', "&&");
    if (key == 0) return text;
    // The letter that starts a word ("Save &As"), else its first occurrence.
    const QChar letter = QChar::fromLatin1(key).toUpper();
    qsizetype at = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].toUpper() != letter) continue;
        if (at < 0) at = i;
        if (i == 0 || text[i - 1] == ' ') {
            at = i;
            break;
        }
    }
    if (at >= 0) text.insert(at, '&');
    return text;
}

QString ShownText(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

void SetMenuBarCaption(QAction* item, const QString& caption, char key, bool chinese) {
    item->setText(chinese ? caption : WithAccessKey(caption, key));
    // The English caption's mnemonic is the same key: a shortcut beside it
    // would make the key ambiguous.
    item->setShortcut(
        chinese && key ? QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key)))
                       : QKeySequence());
}

void HandleAccessKeys(QMenu* menu) { menu->installEventFilter(new MenuLetters(menu)); }

}  // namespace zt
