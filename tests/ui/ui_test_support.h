#pragma once
// What the widget tests share: one application object for the whole test
// program, a presenter that records messages instead of showing them, and a
// started main window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <vector>

#include "model/app_state.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace zt::test {

// Keeps the event loop running for a while in real time, so real modal boxes
// (closed by a timer) and deferred messages get their turn.
inline void RunEventLoopFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QApplication& app();

struct ShownMessage {
    QString text;
    QString title;
};

class RecordingPresenter final : public MessagePresenter {
  public:
    std::vector<ShownMessage> messages;
    // The texts shown so far, and forget them.
    std::vector<QString> take();

  protected:
    void present(const QString& text, const QString& title) override {
        messages.push_back({text, title});
    }
};

// A main window after start-up, on the offscreen platform.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the queued calls and deferred deletions pending now.
    static void settle();
    // The named control of a window, failing the test when it is missing.
    template <class T>
    T* child(QWidget* window, const char* name) {
        T* w = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    RecordingPresenter presenter;
    std::unique_ptr<MainWindow> main;
};

}  // namespace zt::test
