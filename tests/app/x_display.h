// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the program binary share: a private X server driven with
// xdotool, and the one application object of the test program.
//
// Nothing here waits for a fixed while. A loaded machine delays the program by
// seconds, so every step waits for what it needs: the server's answer, a
// window shown or gone, the keyboard focus in the window the keys are for.

#include <glib.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>
#include <functional>
#include <string>

#include "support/sim_process.h"

namespace zt::testing {

inline constexpr int kWaitMs = 30'000;  // for a window, the focus, the server

// Polls `done` until it holds or `ms` have passed, letting the test's own
// events (the accessibility bus's signals) in meanwhile.
inline bool WaitFor(const std::function<bool()>& done, int ms = kWaitMs) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents();
        // The accessibility library takes one message a turn of GLib's loop:
        // all of them, or its events lag seconds behind the program.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        QThread::msleep(50);
    }
    return true;
}

// The first line a server prints once it serves (its display number, its
// address); empty when it ends first.
inline QString FirstLine(QProcess& server) {
    WaitFor([&] {
        server.waitForReadyRead(50);
        return server.canReadLine() || server.state() == QProcess::NotRunning;
    });
    return QString::fromUtf8(server.readLine()).trimmed();
}

// A private X server with the keyboard driven through xdotool.
class Display {
  public:
    // -displayfd: the server takes a free display number and prints it once it
    // accepts clients. -noreset: by default the server resets whenever its last
    // client leaves (every xdotool call before the program connects) and
    // refuses connections while it does, which the program reports as "could
    // not connect to display".
    Display() {
        xvfb_.start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"});
        const QString number = FirstLine(xvfb_);
        if (number.isEmpty()) {
            error_ = "Xvfb gave no display number (scripts/deps installs it)";
            return;
        }
        name_ = ":" + number;
        // Our own server, by its screen size, and not another one on that number.
        QString size;
        if (!Xdo({"getdisplaygeometry"}, &size) || size != "1280 1024")
            error_ = "the X server on " + name_ + " does not answer as ours: \"" + size + "\"";
    }
    ~Display() {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
    // Why the server cannot be used, with what Xvfb said; empty when it can.
    [[nodiscard]] std::string Error() {
        if (error_.isEmpty() && !Running()) error_ = "Xvfb has ended";
        if (error_.isEmpty()) return {};
        return (error_ + "\n" + QString::fromLocal8Bit(xvfb_.readAllStandardError())).toStdString();
    }

    [[nodiscard]] const QString& Name() const { return name_; }

    // Never without our own display: an empty DISPLAY would reach whatever
    // server the environment names.
    bool Xdo(const QStringList& args, QString* out = nullptr) {
        if (name_.isEmpty()) return false;
        QProcess xdo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name_);
        xdo.setProcessEnvironment(env);
        xdo.start("xdotool", args);
        const bool ok = xdo.waitForFinished(kWaitMs) && xdo.exitStatus() == QProcess::NormalExit &&
                        xdo.exitCode() == 0;
        if (out) *out = QString::fromUtf8(xdo.readAllStandardOutput()).trimmed();
        return ok;
    }
    // Starts zt790prog on this display, in `home`, also for its settings.
    bool Start(QProcess& program, const QString& home, const QStringList& args,
               const QProcessEnvironment& extra = {}) {
        if (name_.isEmpty()) return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(extra);
        env.insert("DISPLAY", name_);
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("HOME", home);
        // Its settings and its history of radio memories go there too.
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_DATA_HOME");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home);  // where the save window opens
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(BinPath("zt790prog"), args);
        return program.waitForStarted(kWaitMs);
    }
    // The id of the first shown window whose title matches, once there is one.
    QString WaitForWindow(const QString& title) {
        QString ids;
        WaitFor([&] { return Xdo({"search", "--onlyvisible", "--name", title}, &ids); });
        return ids.section('\n', 0, 0);
    }
    bool WaitForNoWindow(const QString& title) {
        return WaitFor([&] { return !Xdo({"search", "--onlyvisible", "--name", title}); });
    }
    // Presses keys in `window` once it has the keyboard focus. A window just
    // shown takes the focus a moment later, and keys sent before go to another
    // window; keys for the same window queue in order, so no pause is needed.
    bool Keys(const QString& window, const QStringList& keys) {
        return Focus(window) && Xdo(QStringList{"key", "--delay", "80"} + keys);
    }
    bool Type(const QString& window, const QString& text) {
        return Focus(window) && Xdo({"type", "--delay", "30", text});
    }

  private:
    bool Running() const { return xvfb_.state() != QProcess::NotRunning; }
    bool Focus(const QString& window) {
        return WaitFor([&] {
            QString focus;
            if (Xdo({"getwindowfocus"}, &focus) && focus == window) return true;
            Xdo({"windowfocus", "--sync", window});
            return false;
        });
    }

    QProcess xvfb_;
    QString name_;
    QString error_;
};

inline QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The test program's display.
inline Display& Screen() {
    App();
    static Display x;
    return x;
}

}  // namespace zt::testing
