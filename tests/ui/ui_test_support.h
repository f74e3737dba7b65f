// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the widget tests share: one application object for the whole test
// program, a presenter that records messages instead of showing them, and a
// started main window with the moves a user makes on it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <vector>

#include "files/channel_file.h"
#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"
#include "ui/channel_file_window.h"
#include "ui/channel_grid_window.h"
#include "ui/image_recorder.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zt::test {

using Texts = std::vector<QString>;
using Col = ChannelGridWindow::Column;

// Keeps the event loop running for a while in real time, so real modal boxes
// (closed by a timer) and deferred messages get their turn.
inline void RunEventLoopFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may already be gone when static objects
    // are torn down at exit.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Puts a channel in use at `rx` MHz with the grid's defaults.
inline void UseChannel(Image& image, int channel, const std::string& rx) {
    StoreRxText(image, channel, rx);
    ApplyGridDefaults(image, channel);
}

struct ShownMessage {
    QString text;
    QString title;
    QString detail = {};  // the secondary text below the message, if any
};

class RecordingPresenter final : public MessagePresenter {
  public:
    std::vector<ShownMessage> messages;
    // The buttons pressed for the next questions, in order; a question without
    // one is closed with Escape. Questions are recorded as messages, their
    // buttons after the text in brackets.
    std::deque<int> answers;
    // The texts shown so far, and forget them.
    Texts take() {
        Texts texts;
        for (const ShownMessage& m : messages) texts.push_back(m.text);
        messages.clear();
        return texts;
    }

  protected:
    void present(const QString& text, const QString& title) override {
        messages.push_back({text, title});
    }
    int presentQuestion(const QString& text, const QString& title, const QStringList& buttons,
                        int escape) override {
        messages.push_back({text + " [" + buttons.join('|') + "]", title});
        if (answers.empty()) return escape;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void presentWithDetail(const QString& text, const QString& title,
                           const QString& detail) override {
        messages.push_back({text, title, detail});
    }
};

// A main window after start-up, on the offscreen platform. Its serial windows
// talk to the in-process `simRadio` (none: nothing answers) on a virtual clock,
// which moves only when a test runs it.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        main = std::make_unique<MainWindow>(*state, boxes());
        main->linkDevices = [this] {
            auto port = std::make_unique<SimPort>(clock, simRadio);
            port->FailOpen(failOpen);
            lastPort = port.get();
            return LinkDevices{std::move(port), std::make_unique<VirtualTimers>(clock), portAdvice};
        };
        main->load();
        QApplication::setActiveWindow(main.get());
        settle();
    }
    void TearDown() override {
        main.reset();
        settle();
    }
    // Where the main window's messages go.
    virtual MessagePresenter& boxes() { return presenter; }

    // Runs the queued calls and deferred deletions pending now.
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Lets the program's loop wait once, as between two user actions: what
    // changed in the image since becomes one undo step.
    static void rest() {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // The named control of a window, failing the test when it is missing.
    template <class T>
    T* child(QWidget* window, const char* name) {
        T* w = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Starts from an image: shown, nothing to undo, unmodified.
    void start(const Image& image) {
        state->ChannelTable = image;
        main->imageReplaced();
        main->recorder().reset();
    }
    // Writes a file into the test's folder; its path.
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString saveImage(const QString& name, const Image& image) {
        EXPECT_TRUE(SaveChannelFile(dir.filePath(name).toStdString(), image).ok);
        return dir.filePath(name);
    }
    // Runs a menu command and lets what it queued run.
    void command(const char* name) {
        main->action(name)->trigger();
        settle();
    }
    // Runs a menu command and returns the window it opened, if it is a T.
    template <class T = QWidget>
    T* open(const char* name, WindowId id) {
        command(name);
        T* w = qobject_cast<T*>(main->window(id));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Clicks a window's named button and lets what it queued run.
    void press(QWidget* window, const char* name) {
        child<QAbstractButton>(window, name)->click();
        settle();
    }
    // Clicks a cell of the channel grid; channels count from 1.
    void clickCell(int channel, int column, Qt::KeyboardModifiers modifiers = {}) {
        QTableWidget* table = main->channelGrid()->grid();
        QTableWidgetItem* item = table->item(channel - 1, column);
        table->scrollToItem(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers,
                          table->visualItemRect(item).center());
    }
    // Confirms the open channel file window `id` on a name in the test's
    // folder; what it said.
    Texts confirmFile(WindowId id, const QString& name) {
        auto* w = qobject_cast<ChannelFileWindow*>(main->window(id));
        EXPECT_NE(w, nullptr) << static_cast<int>(id);
        if (!w) return {};
        w->setDirectory(dir.path());
        child<QLineEdit>(w, "Text1")->setText(name);
        press(w, "Command_enter");
        return presenter.take();
    }
    // A key pressed where the focus is.
    void key(int k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : main.get(), static_cast<Qt::Key>(k), modifiers);
        settle();
    }
    // Types into a cell of the grid and presses Enter.
    void enter(int channel, int column, const QString& text) {
        clickCell(channel, column);
        type(main->channelGrid()->textEditor(), text);
        key(Qt::Key_Return);
    }
    QString gridText(int channel, int column) {
        return main->channelGrid()->grid()->item(channel - 1, column)->text().trimmed();
    }
    // The box leaves its focus the way Tab to the next control does.
    static void leave(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
    // Replaces a box's text as typing does.
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    VirtualClock clock;
    SimRadio* simRadio = nullptr;
    bool failOpen = false;
    SimPort* lastPort = nullptr;  // of the serial window opened last
    PortAdvice portAdvice;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    RecordingPresenter presenter;
    std::unique_ptr<MainWindow> main;
    QTemporaryDir dir;
};

}  // namespace zt::test
