// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the program binary share: a private X server driven with
// xdotool, and the one application object of the test program.

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>

namespace zt::testing {

inline constexpr int kStepMs = 600;  // time for the program to act on a key

// Runs a command with the display set; its standard output, trimmed.
inline QString Run(const QString& display, const QString& program, const QStringList& args,
                   bool* ok = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool done = p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit;
    if (ok) *ok = done && p.exitCode() == 0;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// A private X server with the keyboard driven through xdotool.
class Display {
  public:
    Display() {
        xvfb_.start("Xvfb",
                    {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(5000)) return;
        while (!xvfb_.canReadLine() && xvfb_.waitForReadyRead(10000)) {
        }
        const QString number = QString::fromUtf8(xvfb_.readLine()).trimmed();
        if (number.isEmpty()) return;
        name_ = ":" + number;
        // Ready once a client gets an answer from it.
        for (int waited = 0; waited < 10000 && !Xdo({"getdisplaygeometry"}); waited += 100) {
            QThread::msleep(100);
        }
    }
    ~Display() {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
    [[nodiscard]] const QString& Name() const { return name_; }

    bool Xdo(const QStringList& args, QString* out = nullptr) {
        bool ok = false;
        const QString text = Run(name_, "xdotool", args, &ok);
        if (out) *out = text;
        return ok;
    }
    // Waits up to 15 s for a window whose title matches to be shown (its id) or
    // gone (an empty text, with `gone` true on success).
    QString WaitForWindow(const QString& title, bool* gone = nullptr) {
        for (int waited = 0; waited <= 15000; waited += 100) {
            QString ids;
            Xdo({"search", "--onlyvisible", "--name", title}, &ids);
            if (gone ? ids.isEmpty() : !ids.isEmpty()) {
                if (gone) *gone = true;
                return ids.section('\n', 0, 0);
            }
            QThread::msleep(100);
        }
        return {};
    }
    bool WaitForNoWindow(const QString& title) {
        bool gone = false;
        WaitForWindow(title, &gone);
        return gone;
    }
    bool Focus(const QString& window) { return Xdo({"windowfocus", "--sync", window}); }
    bool Keys(const QStringList& keys) {
        const bool ok = Xdo(QStringList{"key", "--delay", "80"} + keys);
        QThread::msleep(kStepMs);
        return ok;
    }
    bool Type(const QString& text) {
        const bool ok = Xdo({"type", "--delay", "30", text});
        QThread::msleep(kStepMs);
        return ok;
    }

  private:
    QProcess xvfb_;
    QString name_;
};

inline QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

}  // namespace zt::testing
