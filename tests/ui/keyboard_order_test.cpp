// SPDX-License-Identifier: GPL-3.0-or-later
// Tab walks every window in reading order: from each control to the next one
// below it, to its right on the same line, or to the top of a column further
// right; never back up to the left, never leftwards along a line. The menus
// open with Alt and their letter in both languages.
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <set>
#include <tuple>

#include "ui/access_keys.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/csv_import_dialog.h"
#include "ui/help_window.h"
#include "ui/window_table.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using KeyboardOrder = MainWindowTest;

TEST_F(KeyboardOrder, TabFollowsTheReadingOrderInEveryWindow) {
    main->setAdvanced(true);
    // The windows of the window table, then the dialogs the menus run and the manual.
    BulkEditDialog fields(false, {1, 2}, 1, main.get());
    CsvImportDialog csv("club.csv", false, main.get());
    main->showHelp("main-window");
    std::vector<QWidget*> others{&fields, &csv, main->helpWindow()};
    for (std::size_t n = 0; n < Windows().size() + others.size(); ++n) {
        const bool table = n < Windows().size();
        const WindowSpec& spec = Windows()[table ? n : 0];
        if (table) main->reopen(spec.id);
        settle();
        QWidget* w = table ? main->window(spec.id) : others[n - Windows().size()];
        ASSERT_NE(w, nullptr) << n;
        w->show();
        std::vector<QWidget*> chain;  // as Tab visits the window's controls
        for (QWidget* c = w->nextInFocusChain(); c != w; c = c->nextInFocusChain()) {
            if (!w->isAncestorOf(c) || !c->isVisibleTo(w) || !(c->focusPolicy() & Qt::TabFocus))
                continue;
            if (std::find(chain.begin(), chain.end(), c) != chain.end()) break;  // round once
            chain.push_back(c);
        }
        EXPECT_GT(chain.size(), 0U) << w->objectName().toStdString();
        const auto at = [w](QWidget* c) { return QRect(c->mapTo(w, QPoint()), c->size()); };
        // Tab goes round: the round starts at the left of the top line.
        QWidget* top = *std::min_element(chain.begin(), chain.end(), [&](QWidget* a, QWidget* b) {
            return at(a).top() < at(b).top();
        });
        QWidget* start = top;
        for (QWidget* c : chain) {
            if (at(c).top() < at(top).bottom() && at(c).left() < at(start).left()) start = c;
        }
        std::rotate(chain.begin(), std::find(chain.begin(), chain.end(), start), chain.end());
        for (std::size_t i = 1; i < chain.size(); ++i) {
            const QRect a = at(chain[i - 1]);
            const QRect b = at(chain[i]);
            const bool upLeft = b.bottom() < a.top() && b.left() < a.right();
            const bool sameLine = b.top() < a.bottom() && b.bottom() > a.top();
            EXPECT_FALSE(upLeft || (sameLine && b.right() <= a.left()))
                << w->objectName().toStdString() << ": " << chain[i - 1]->objectName().toStdString()
                << " then " << chain[i]->objectName().toStdString();
        }
        // Pressed from the first control, Tab reaches every enabled one: a
        // grid's cells keep no one in.
        QApplication::setActiveWindow(w->window());
        (*std::find_if(chain.begin(), chain.end(), [](QWidget* c) {
            return c->isEnabled();
        }))->setFocus(Qt::TabFocusReason);
        std::set<QWidget*> reached;
        for (std::size_t i = 0; i < chain.size() + 2 && QApplication::focusWidget(); ++i) {
            for (QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget())
                reached.insert(f);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            settle();
        }
        for (QWidget* c : chain) {
            // Of a group of option buttons, Tab stops at the chosen one.
            const auto* option = qobject_cast<QRadioButton*>(c);
            EXPECT_TRUE(!c->isEnabled() || reached.count(c) || (option && !option->isChecked()))
                << w->objectName().toStdString() << ": " << c->objectName().toStdString();
        }
        presenter.take();
        if (table) main->unload(spec.id);
        settle();
    }
}

// Each item of a menu has a letter of its own; Alt and a letter open a menu
// or run an item of the menu bar, a letter runs an item of an open menu, in
// English (the caption's mnemonic) and in Chinese (the same keys, the caption
// unchanged).
TEST_F(KeyboardOrder, MenusOpenWithTheirAccessKeysInBothLanguages) {
    main->setAdvanced(true);
    QList<QAction*> bar = main->menuBar()->actions();
    for (QAction* menu : bar + QList<QAction*>{nullptr}) {
        std::set<char> keys;  // of each menu's items, then of the menu bar's
        for (QAction* a :
             menu ? (menu->menu() ? menu->menu()->actions() : QList<QAction*>{}) : bar) {
            const char key = AccessKey(a->objectName().toLatin1().constData());
            EXPECT_TRUE(!a->isVisible() || a->isSeparator() || (key && keys.insert(key).second))
                << a->objectName().toStdString();
        }
    }
    // Alt and the first letter, then the second in the open menu; what shows.
    const std::tuple<bool, const char*, const char*> cases[] = {
        {false, "f", "File"},   {true, "f", "File"},   {false, "eo", "Option"},
        {true, "eo", "Option"}, {false, "c", "Setup"}, {true, "c", "Setup"},
        {false, "lc", "中文"}};
    for (const auto& [chinese, keys, expected] : cases) {
        SCOPED_TRACE(std::string(chinese ? "zh " : "en ") + keys);
        main->switchLanguage(chinese);
        QApplication::setActiveWindow(main.get());
        QTest::keyClick(main.get(), keys[0], Qt::AltModifier);
        if (keys[1]) QTest::keyClick(QApplication::activePopupWidget(), keys[1]);
        settle();
        QWidget* popup = QApplication::activePopupWidget();
        const QString shown = popup                               ? popup->objectName()
                              : main->window(WindowId::Option)    ? "Option"
                              : main->window(WindowId::Setup)     ? "Setup"
                              : state->LanguageChinese != chinese ? "中文"
                                                                  : "";
        EXPECT_EQ(shown, QString::fromUtf8(expected));
        if (popup) popup->close();
        for (WindowId id : {WindowId::Option, WindowId::Setup}) main->unload(id);
    }
    // The text shown is the caption: Qt draws the mnemonic as an underline.
    EXPECT_EQ(main->action("File_saveas")->text(), "另存为");
    main->switchLanguage(false);
    EXPECT_EQ(main->action("File_saveas")->text(), "Save &As");
}

}  // namespace
}  // namespace zt::test
