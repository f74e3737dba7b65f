// SPDX-License-Identifier: GPL-3.0-or-later
// Every change becomes one undo step when the event loop comes to rest.

#include <QAbstractEventDispatcher>
#include <QThread>

#include "ui_test_support.h"

namespace zt {
namespace {

class Recorder : public ::testing::Test {
  protected:
    void SetUp() override {
        state.ChannelTable = BlankImage();
        recorder.reset();
    }
    // Lets a posted action run in an event loop that then comes to rest once,
    // as the program's own loop does between events. The loop ends at that
    // rest (after the recorder has seen it), never on a clock, so a slow
    // machine cannot end it before the action has run or before it rests.
    static void runAction(const std::function<void()>& action) {
        bool done = false;
        QTimer::singleShot(0, [&] {
            action();
            done = true;
        });
        QEventLoop loop;
        const QMetaObject::Connection rest =
            QObject::connect(QAbstractEventDispatcher::instance(),
                             &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                                 if (done && QThread::currentThread()->loopLevel() == 1)
                                     loop.quit();
                             });
        loop.exec();
        QObject::disconnect(rest);
    }
    void set(int channel, int value) {
        state.ChannelTable[static_cast<std::size_t>(channel)][14] =
            static_cast<std::uint8_t>(value);
    }
    [[nodiscard]] std::size_t steps() const { return recorder.history().undoSteps(); }

    QApplication& app = test::app();  // the recorder listens to its event loop
    AppState state;
    ImageRecorder recorder{state};
};

TEST_F(Recorder, OneActionIsOneStep) {
    runAction([&] {
        set(1, 1);
        set(2, 2);
    });
    EXPECT_EQ(steps(), 1u);
    EXPECT_TRUE(recorder.modified());
    // A message box halfway through an action is not rest.
    runAction([&] {
        set(1, 3);
        QEventLoop box;
        QTimer::singleShot(10, &box, &QEventLoop::quit);
        box.exec();
        set(2, 4);
    });
    EXPECT_EQ(steps(), 2u);
    // Coming to rest without a change records nothing.
    runAction([] {});
    EXPECT_EQ(steps(), 2u);
}

TEST_F(Recorder, ShowingTheImageRecordsNothing) {
    runAction([&] { recorder.quietly([&] { set(1, 9); }); });
    EXPECT_EQ(steps(), 0u);
    EXPECT_FALSE(recorder.modified());
}

TEST_F(Recorder, UndoAndRedoShowTheRestoredImage) {
    int changes = 0;
    QObject::connect(&recorder, &ImageRecorder::changed, [&] { ++changes; });
    runAction([&] { set(1, 1); });
    set(1, 2);  // still pending when undo is chosen
    std::vector<int> shown;
    const auto refresh = [&] { shown.push_back(state.ChannelTable[1][14]); };
    EXPECT_TRUE(recorder.undo(refresh));
    EXPECT_TRUE(recorder.undo(refresh));
    EXPECT_FALSE(recorder.undo(refresh));
    EXPECT_TRUE(recorder.redo(refresh));
    EXPECT_EQ(shown, (std::vector<int>{1, 255, 1}));
    EXPECT_TRUE(recorder.modified());
    recorder.markSaved();
    EXPECT_FALSE(recorder.modified());
    EXPECT_GE(changes, 5);
}

}  // namespace
}  // namespace zt
