// SPDX-License-Identifier: GPL-3.0-or-later
// Tab walks every window in reading order: from each control to the next one
// below it, to its right on the same line, or to the top of a column further
// right; never back up to the left, never leftwards along a line.
#include <algorithm>

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

}  // namespace
}  // namespace zt::test
