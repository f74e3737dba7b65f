// SPDX-License-Identifier: GPL-3.0-or-later
// Times a write from the desktop program's write window with both safeguards
// on (a backup of the radio first, a read-back after the write) against
// zt790sim pacing at 9600 baud, from the Write button until the window says
// the write is complete and read back. Prints it as a ratio to the floor of a
// read, a write and a read (10.72 + 8.89 + 10.72 s: every byte on the wire at
// 960 bytes a second plus the 15 ms pause before every frame the program
// sends). The goal is 1.05 or below.
//
// As a user works: the radio is read first, and that read counts as the first
// of the backup's two agreeing reads. The same write without an earlier read
// (a fresh history) reads the radio twice for the backup; its figure is
// printed against that floor too.
//
// Run it under the platform the program uses (xvfb-run for X11, or
// QT_QPA_PLATFORM=offscreen).
//
// Usage: bench_safe_write [path/to/zt790sim]   (default: next to this program)

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "files/channel_file.h"
#include "model/app_state.h"
#include "paced_radio.h"
#include "ui/comm_window.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace {

constexpr double kReadFloorS = 10.72;
constexpr double kWriteFloorS = 8.89;
constexpr double kGoal = 1.05;

class Messages final : public zt::MessagePresenter {
  public:
    QStringList texts;

  protected:
    void present(const QString& text, const QString&) override { texts << text; }
};

// Runs the loop until `done` holds or two minutes have passed.
bool RunUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    QTimer poll;  // wakes the loop to look; it sleeps otherwise
    poll.start(5);
    QEventLoop loop;
    while (!done()) {
        if (clock.elapsed() > 120'000) return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Opens the window, presses its start button and returns the seconds until
// `finished` holds for its status label; negative when it failed.
double Run(zt::MainWindow& main, const char* command, zt::WindowId id, const char* button,
           const std::function<bool(const QString&)>& finished) {
    main.action(command)->trigger();
    auto* window = qobject_cast<zt::CommWindow*>(main.window(id));
    if (!window) return -1;
    auto* label = window->findChild<QLabel*>("Label_tr_count");
    auto* bar = window->findChild<QProgressBar*>("ProgressBar1");
    QElapsedTimer clock;
    clock.start();
    window->findChild<QPushButton*>(button)->click();
    // ZT_BENCH_TRACE=1 prints when each phase begins.
    const bool trace = std::getenv("ZT_BENCH_TRACE") != nullptr;
    QString phase;
    const bool ok = RunUntil([&] {
        if (!main.window(id)) return true;
        if (trace && bar->format() != phase) {
            phase = bar->format();
            std::fprintf(stderr, "%7.3f s  %s\n", clock.nsecsElapsed() / 1e9,
                         phase.toLocal8Bit().constData());
        }
        return finished(label->text());
    });
    const double seconds = clock.nsecsElapsed() / 1e9;
    RunUntil([&] { return !main.window(id); });
    return ok ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QTemporaryDir dir;
    QProcess sim;
    const QString device = bench::StartFullRadio(sim, dir, argc, argv);
    if (device.isEmpty()) return 1;

    int failures = 0;
    for (const bool readFirst : {true, false}) {
        zt::AppState state;
        Messages messages;
        zt::MainWindow main(state, messages);
        main.load();
        state.ComDevice = device.toStdString();
        state.HistoryFolder =
            dir.filePath(readFirst ? "history-read" : "history-none").toStdString();
        state.WriteKeepsBackup = state.WriteReadsBack = true;
        if (readFirst) {
            const double read = Run(main, "Prog_read", zt::WindowId::CommRead, "Command_read",
                                    [&](const QString&) { return !messages.texts.isEmpty(); });
            if (read < 0) {
                std::printf("the read failed\n");
                ++failures;
                continue;
            }
            if (std::getenv("ZT_BENCH_TRACE")) std::fprintf(stderr, "read: %.3f s\n", read);
            messages.texts.clear();
        }
        // An edit, so the write changes the radio.
        zt::StoreRxText(state.ChannelTable, 1, "446.00625");
        const double seconds =
            Run(main, "Prog_write", zt::WindowId::CommWrite, "Command_Write",
                [](const QString& text) { return text.contains("Read back and compared"); });
        if (seconds < 0 || !messages.texts.isEmpty()) {
            std::printf("the write failed: %s\n", messages.texts.join(" / ").toLocal8Bit().data());
            ++failures;
            continue;
        }
        const double floor = 2 * kReadFloorS + kWriteFloorS;
        if (readFirst) {
            std::printf(
                "write with both safeguards, after a read: %6.2f s  ratio %.3f to %.2f s%s\n",
                seconds, seconds / floor, floor,
                seconds / floor <= kGoal ? "" : "  above the goal");
            if (seconds / floor > kGoal) ++failures;
        } else {
            const double own = floor + kReadFloorS;
            std::printf(
                "write with both safeguards, no earlier read: %6.2f s  ratio %.3f to %.2f s, %.3f "
                "to its own floor of two reads, a write and a read (%.2f s)\n",
                seconds, seconds / floor, floor, seconds / own, own);
        }
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return failures == 0 ? 0 : 1;
}
