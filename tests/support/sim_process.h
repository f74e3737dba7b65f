// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs zt790sim and zt790ctl as separate processes for end-to-end tests.

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zt::testing {

// The programs sit in the build's bin folder: ZT_BIN_DIR when set, otherwise
// the folder of the running test program (which is built there too).
inline QString BinPath(const char* program) {
    if (const char* dir = std::getenv("ZT_BIN_DIR"); dir != nullptr && *dir != 0) {
        return QString::fromUtf8(dir) + "/" + program;
    }
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string dir = ec ? std::string(".") : self.parent_path().string();
    return QString::fromStdString(dir) + "/" + program;
}

// zt790sim in the background; its pseudo-terminal path is Device().
class SimProcess {
  public:
    explicit SimProcess(const QStringList& args = {}) {
        process_.setProgram(BinPath("zt790sim"));
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(5000)) return;
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const QString& Device() const { return device_; }
    // Ends the radio (SIGTERM) and waits for it; returns its exit code.
    int Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(5000);
        }
        return process_.exitCode();
    }
    // Waits until the radio reports its `n`th finished exchange.
    bool WaitForExchange(int n, int ms) {
        const QByteArray line = QByteArray("exchange ") + QByteArray::number(n) + " done";
        QDeadlineTimer deadline(ms);
        while (!output_.contains(line)) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning) return false;
            process_.waitForReadyRead(50);
            output_ += process_.readAllStandardOutput();
        }
        return true;
    }

  private:
    QProcess process_;
    QString device_;
    QByteArray output_;  // what the radio printed after its device path
};

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `env`: the program's environment; the test's own when empty.
inline RunResult RunProgram(const char* program, const QStringList& args, int timeoutMs = 60000,
                            const QProcessEnvironment& env = {}) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(BinPath(program), args);
    RunResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

}  // namespace zt::testing
