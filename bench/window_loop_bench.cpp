// SPDX-License-Identifier: GPL-3.0-or-later
// How long the desktop program's event loop can stall while its read and write
// windows talk to a radio: a full read and a full write of 128 used channels
// from the main window against zt790sim pacing at 9600 baud over a
// pseudo-terminal, with the channel grid open. A 1 ms precise timer ticks all
// the while; the longest gap between two ticks is the longest stall. The goal
// is 16 ms, one frame of a 60 Hz screen.
//
// Run it under the platform the program uses (xvfb-run for X11, or
// QT_QPA_PLATFORM=offscreen).
//
// Usage: bench_window_loop [path/to/zt790sim]   (default: next to this program)

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "files/channel_file.h"
#include "model/app_state.h"
#include "paced_radio.h"
#include "ui/comm_window.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace {

class Messages final : public zt::MessagePresenter {
  public:
    QStringList texts;

  protected:
    void present(const QString& text, const QString&) override { texts << text; }
};

// The processor time this thread has used, to tell its own work from waiting.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Two views of a stall. The wall clock: the longest gap between the ticks of a
// 1 ms timer, which on a loaded machine also counts the time other processes
// had the processor. The program's own share: the longest stretch of processor
// time the user-interface thread spent between two waits of its event loop.
class StallWatch {
  public:
    StallWatch() {
        tick_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            const qint64 gap = clock_.nsecsElapsed();
            if (gap > 16'000'000 && std::getenv("ZT_BENCH_TRACE"))
                std::fprintf(stderr, "gap %.1f ms at %.3f s\n", gap / 1e6,
                             total_.nsecsElapsed() / 1e9);
            longestGap_ = std::max(longestGap_, gap);
            clock_.restart();
        });
        // The thread's processor time does not advance while the loop waits,
        // so from one wait to the next it counts one turn of the loop.
        block_ = QObject::connect(
            QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [this] {
                const double now = ThreadCpuMs();
                if (lastWait_ >= 0 && now - lastWait_ > 5 && std::getenv("ZT_BENCH_TRACE"))
                    std::fprintf(stderr, "busy %.1f ms at %.3f s\n", now - lastWait_,
                                 total_.nsecsElapsed() / 1e9);
                if (lastWait_ >= 0) longestBusy_ = std::max(longestBusy_, now - lastWait_);
                lastWait_ = now;
            });
        clock_.start();
        total_.start();
        tick_.start(1);
    }
    ~StallWatch() { QObject::disconnect(block_); }
    StallWatch(const StallWatch&) = delete;
    StallWatch& operator=(const StallWatch&) = delete;
    [[nodiscard]] double longestGapMs() const { return static_cast<double>(longestGap_) / 1e6; }
    [[nodiscard]] double longestBusyMs() const { return longestBusy_; }

  private:
    QTimer tick_;
    QElapsedTimer clock_;
    QElapsedTimer total_;
    qint64 longestGap_ = 0;
    double lastWait_ = -1;
    double longestBusy_ = 0;
    QMetaObject::Connection block_;
};

struct Outcome {
    bool ok = false;
    double seconds = 0;
    double gapMs = 0;
    double busyMs = 0;
};

// Opens the exchange window, presses its start button and runs the program's
// loop until the window has closed itself (or a message says it failed).
Outcome Exchange(zt::MainWindow& main, Messages& messages, const char* command, zt::WindowId id,
                 const char* button, const char* done) {
    messages.texts.clear();
    main.action(command)->trigger();
    auto* window = qobject_cast<zt::CommWindow*>(main.window(id));
    if (!window) return {};
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!main.window(id) || !messages.texts.isEmpty()) loop.quit();
    });
    poll.start(5);
    bool timedOut = false;
    QTimer::singleShot(120'000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    StallWatch watch;
    window->findChild<QPushButton*>(button)->click();
    loop.exec();
    // Until the window has gone: the grid shows the new image meanwhile.
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    const QStringList expected = done ? QStringList{QString::fromUtf8(done)} : QStringList{};
    return {!timedOut && messages.texts == expected && (done || !main.window(id)),
            clock.nsecsElapsed() / 1e9, watch.longestGapMs(), watch.longestBusyMs()};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QTemporaryDir dir;
    QProcess sim;
    const QString device = bench::StartFullRadio(sim, dir, argc, argv);
    if (device.isEmpty()) return 1;

    zt::AppState state;
    Messages messages;
    zt::MainWindow main(state, messages);
    main.load();
    state.ComDevice = device.toStdString();
    // The plain write: its safeguards' own benchmark is bench_safe_write.
    state.WriteKeepsBackup = state.WriteReadsBack = false;

    int failures = 0;
    const struct {
        const char* name;
        const char* command;
        zt::WindowId id;
        const char* button;
        const char* done;
    } runs[] = {
        {"read", "Prog_read", zt::WindowId::CommRead, "Command_read",
         "Complete reading the data from transceiver."},
        // A write ends without a message: its window closes itself.
        {"write", "Prog_write", zt::WindowId::CommWrite, "Command_Write", nullptr},
    };
    for (const auto& r : runs) {
        const Outcome o = Exchange(main, messages, r.command, r.id, r.button, r.done);
        if (!o.ok) {
            std::printf("%-5s  failed: %s\n", r.name,
                        messages.texts.join(" / ").toLocal8Bit().constData());
            ++failures;
            continue;
        }
        std::printf(
            "%-5s  %6.2f s  longest stall: %5.1f ms wall clock, %5.1f ms of the program's "
            "own processor time%s\n",
            r.name, o.seconds, o.gapMs, o.busyMs, o.busyMs <= 16 ? "" : "  above the 16 ms goal");
        if (o.busyMs > 16) ++failures;
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return failures == 0 ? 0 : 1;
}
