// SPDX-License-Identifier: GPL-3.0-or-later
// Every window at the main window's start-up size (two thirds of the screen) on
// a 1366x768, a 1600x1000 and a 1920x1080 screen; ctest runs this program once
// per screen size, on an offscreen screen of that size. An editor's frame lies
// inside the main window's work area, a dialog on the screen, and every control
// of every window is in view or can be scrolled into view.
#include <QScreen>
#include <QScrollArea>

#include "ui/window_table.h"
#include "ui_test_support.h"

inline QString Describe(const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); }
inline QString Describe(const QRect& r) {
    return QString("%1,%2 ").arg(r.x()).arg(r.y()) + Describe(r.size());
}
inline void PrintTo(const QRect& r, std::ostream* os) { *os << Describe(r).toStdString(); }

namespace zt::test {
namespace {

// Empty when all of `control` can be seen inside `top`, or scrolled into view
// there; otherwise what cuts it off. A layout given less room than its controls
// need squeezes them below their smallest size before it cuts them off.
QString CutOff(const QWidget* control, const QWidget* top) {
    const QSize least = control->minimumSizeHint();
    if (control->width() < least.width() || control->height() < least.height())
        return "squeezed to " + Describe(control->size()) + " below " + Describe(least);
    QRect r = control->rect();
    for (const QWidget* w = control; w != top; w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent) return "not inside the window";
        r.translate(w->pos());
        const auto* scroller = parent->parentWidget()
                                   ? qobject_cast<const QScrollArea*>(parent->parentWidget())
                                   : nullptr;
        if (scroller && parent == scroller->viewport()) {
            // `w` is the scrolled content: the part the viewport shows now can
            // move over all of it.
            r = parent->rect();
            continue;
        }
        if (!parent->rect().contains(r)) {
            return QString("cut off by %1 %2: ")
                       .arg(parent->metaObject()->className(), parent->objectName()) +
                   Describe(r) + " outside " + Describe(parent->size());
        }
    }
    return {};
}

const QSize kScreens[] = {{1366, 768}, {1600, 1000}, {1920, 1080}};

class ScreenSizes : public MainWindowTest {
  protected:
    void SetUp() override {
        screen = app().primaryScreen()->size();
        if (std::find(std::begin(kScreens), std::end(kScreens), screen) == std::end(kScreens))
            GTEST_SKIP() << "ctest runs these once per screen size";
        MainWindowTest::SetUp();
        simRadio = &radio;
    }

    QRect workArea() const { return main->mdiArea()->viewport()->rect(); }

    // Why window `id` is not usable as it is now on screen; empty when it is.
    QString unusable(WindowId id) {
        QWidget* w = main->window(id);
        if (!w) return "did not open";
        QStringList faults;
        const QWidget* top = w;
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
            top = frame;
            if (!workArea().contains(frame->geometry()))
                faults << "frame " + Describe(frame->geometry()) + " outside the work area " +
                              Describe(workArea());
        } else if (!w->screen()->availableGeometry().contains(w->frameGeometry())) {
            faults << "window " + Describe(w->frameGeometry()) + " outside the screen";
        }
        // The controls a user works with: those the window named (Qt's own
        // inner widgets are named qt_... or not at all) and that are showing.
        for (QWidget* control : w->findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || !control->isVisibleTo(top)) continue;
            if (const QString cut = CutOff(control, top); !cut.isEmpty())
                faults << name + " " + cut;
        }
        return faults.join("; ");
    }

    QSize screen;
    SimRadio radio{BlankImage()};
};

TEST_F(ScreenSizes, MainWindowTakesTwoThirdsAndTheGridItsWholeWorkAreaButtonsIncluded) {
    EXPECT_EQ(main->size(), QSize(static_cast<int>(screen.width() / 1.5),
                                  static_cast<int>(screen.height() / 1.5)));
    // At start-up, before anything else ran: the grid is sized with the status
    // bar already showing its texts.
    auto* frame = qobject_cast<QMdiSubWindow*>(main->channelGrid()->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), workArea());
    EXPECT_EQ(unusable(WindowId::Chann), "");
}

TEST_F(ScreenSizes, EveryWindowFitsAndEveryControlCanBeReached) {
    for (bool chinese : {false, true}) {
        state->LanguageChinese = chinese;
        for (const WindowSpec& w : Windows()) {
            const WindowId id = w.id;
            main->reopen(id);
            settle();
            if (id == WindowId::Doctor) {
                // One port's six checks, each in full view.
                clock.RunFor(Ms(100));
                settle();
                auto* checks = main->window(id)->findChild<QTableWidget*>("Grid_checks");
                ASSERT_EQ(checks->rowCount(), 6);
                EXPECT_LE(checks->rowViewportPosition(5) + checks->rowHeight(5),
                          checks->viewport()->height());
            }
            EXPECT_EQ(unusable(id), "") << static_cast<int>(id) << (chinese ? " in Chinese" : "");
            if (id != WindowId::Chann) main->unload(id);
            settle();
        }
    }
}

// Where the documented size and place fit the work area, they are kept (the
// broadcast FM window: half the width, 1/1.3 of the height, centred, a tenth of
// the free height from the top; the message window: half, 1/2.8, a quarter).
TEST_F(ScreenSizes, DocumentedSizesStayWhereTheyFit) {
    const QSize area = workArea().size();
    const struct {
        WindowId id;
        double widthDivisor, heightDivisor, topShare;
    } windows[] = {{WindowId::Test, 2, 1.3, 10}, {WindowId::Message, 2, 2.8, 4}};
    for (const auto& w : windows) {
        main->reopen(w.id);
        settle();
        const QWidget* frame = main->window(w.id)->parentWidget();
        const int width = static_cast<int>(area.width() / w.widthDivisor);
        const int height = static_cast<int>(area.height() / w.heightDivisor);
        EXPECT_EQ(frame->geometry(),
                  QRect((area.width() - width) / 2,
                        static_cast<int>((area.height() - height) / w.topShare), width, height))
            << static_cast<int>(w.id);
    }
}

}  // namespace
}  // namespace zt::test
