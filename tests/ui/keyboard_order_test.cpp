// SPDX-License-Identifier: GPL-3.0-or-later
// Tab walks every window in reading order: from each control to the next one
// below it, to its right on the same line, or to the top of a column further
// right; never back up to the left, never leftwards along a line. The menus
// open with Alt and their letter in both languages.
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <set>

#include "ui/access_keys.h"
#include "ui/window_table.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using KeyboardOrder = MainWindowTest;

TEST_F(KeyboardOrder, TabFollowsTheReadingOrderInEveryWindow) {
    main->setAdvanced(true);
    for (const WindowSpec& spec : Windows()) {
        main->reopen(spec.id);
        settle();
        QWidget* w = main->window(spec.id);
        ASSERT_NE(w, nullptr) << int(spec.id);
        std::vector<QWidget*> chain;  // as Tab visits the window's controls
        for (QWidget* c = w->nextInFocusChain(); c != w; c = c->nextInFocusChain()) {
            if (!w->isAncestorOf(c) || !c->isVisibleTo(w) || !(c->focusPolicy() & Qt::TabFocus))
                continue;
            if (std::find(chain.begin(), chain.end(), c) != chain.end()) break;  // round once
            chain.push_back(c);
        }
        EXPECT_GT(chain.size(), 0U) << w->objectName().toStdString();
        const auto at = [w](QWidget* c) { return QRect(c->mapTo(w, QPoint()), c->size()); };
        // Tab goes round: the round starts at the control at the top left.
        std::rotate(chain.begin(),
                    std::min_element(chain.begin(), chain.end(),
                                     [&](QWidget* a, QWidget* b) {
                                         return std::pair(at(a).top(), at(a).left()) <
                                                std::pair(at(b).top(), at(b).left());
                                     }),
                    chain.end());
        for (std::size_t i = 1; i < chain.size(); ++i) {
            const QRect a = at(chain[i - 1]);
            const QRect b = at(chain[i]);
            const bool upLeft = b.bottom() < a.top() && b.left() < a.right();
            const bool sameLine = b.top() < a.bottom() && b.bottom() > a.top();
            EXPECT_FALSE(upLeft || (sameLine && b.right() <= a.left()))
                << w->objectName().toStdString() << ": " << chain[i - 1]->objectName().toStdString()
                << " then " << chain[i]->objectName().toStdString();
        }
        main->unload(spec.id);
        settle();
    }
}

// Each item of a menu has a letter of its own; Alt and a letter open a menu
// or run an item of the menu bar, a letter runs an item of an open menu, in
// English (the caption's mnemonic) and in Chinese (the same keys, the caption
// unchanged).
TEST_F(KeyboardOrder, MenusOpenWithTheirAccessKeysInBothLanguages) {
    main->setAdvanced(true);
    std::vector<QWidget*> menus{main->menuBar()};
    for (QAction* a : main->menuBar()->actions()) {
        if (a->menu()) menus.push_back(a->menu());
    }
    for (QWidget* menu : menus) {
        std::set<char> keys;
        for (QAction* a : menu->actions()) {
            if (!a->isVisible() || a->isSeparator()) continue;
            const char key = AccessKey(a->objectName().toLatin1().constData());
            EXPECT_TRUE(key != 0 && keys.insert(key).second) << a->objectName().toStdString();
        }
    }
    struct Case {
        bool chinese;
        Qt::Key menu;  // with Alt
        Qt::Key item;  // 0: the menu is open
        const char* shown;
    };
    const Case cases[] = {
        {false, Qt::Key_F, Qt::Key(0), "File"},  {true, Qt::Key_F, Qt::Key(0), "File"},
        {false, Qt::Key_E, Qt::Key_O, "Option"}, {true, Qt::Key_E, Qt::Key_O, "Option"},
        {false, Qt::Key_C, Qt::Key(0), "Setup"}, {true, Qt::Key_C, Qt::Key(0), "Setup"},
        {false, Qt::Key_L, Qt::Key_C, "中文"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.chinese ? "zh " : "en ") + char(c.menu) +
                     (c.item ? std::string(1, char(c.item)) : ""));
        main->switchLanguage(c.chinese);
        QApplication::setActiveWindow(main.get());
        QTest::keyClick(main.get(), c.menu, Qt::AltModifier);
        if (c.item) QTest::keyClick(QApplication::activePopupWidget(), c.item);
        settle();
        QWidget* popup = QApplication::activePopupWidget();
        const QString shown = popup                                 ? popup->objectName()
                              : main->window(WindowId::Option)      ? "Option"
                              : main->window(WindowId::Setup)       ? "Setup"
                              : state->LanguageChinese != c.chinese ? "中文"
                                                                    : "";
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
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
