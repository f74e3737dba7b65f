// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pseudo-terminal in front of the radio's: the program opens Path(), every
// byte passes on both ways, and the bytes the program sent are kept, so a test
// waits for what the program has done instead of waiting a while.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

#include "x_display.h"

namespace zt::testing {

class SerialTap {
  public:
    explicit SerialTap(const QString& radio) {
        radio_ = ::open(radio.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        program_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (radio_ < 0 || program_ < 0 || ::grantpt(program_) != 0 || ::unlockpt(program_) != 0)
            return;
        path_ = QString::fromLocal8Bit(::ptsname(program_));
        // Held open, so the terminal stays raw and never hangs up between the
        // program's sessions.
        held_ = ::open(::ptsname(program_), O_RDWR | O_NOCTTY);
        for (int fd : {radio_, held_}) {
            termios tio{};
            ::tcgetattr(fd, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(fd, TCSANOW, &tio);
        }
        pump_ = std::thread([this] { Pump(); });
    }
    ~SerialTap() {
        stop_ = true;
        if (pump_.joinable()) pump_.join();
        for (int fd : {radio_, program_, held_})
            if (fd >= 0) ::close(fd);
    }
    SerialTap(const SerialTap&) = delete;
    SerialTap& operator=(const SerialTap&) = delete;

    [[nodiscard]] const QString& Path() const { return path_; }
    // How many bytes the program has sent so far.
    qsizetype SentCount() {
        const std::lock_guard lock(mutex_);
        return sent_.size();
    }
    // Waits until the program has sent `bytes` after the first `from` bytes.
    bool WaitForSent(const QByteArray& bytes, qsizetype from) {
        return WaitFor([&] {
            const std::lock_guard lock(mutex_);
            return sent_.indexOf(bytes, from) >= 0;
        });
    }

  private:
    void Pump() {
        pollfd ends[] = {{program_, POLLIN, 0}, {radio_, POLLIN, 0}};
        char buffer[256];
        while (!stop_) {
            if (::poll(ends, 2, 20) <= 0) continue;
            if (ends[0].revents & POLLIN) {
                const ssize_t n = ::read(program_, buffer, sizeof buffer);
                if (n > 0 && ::write(radio_, buffer, static_cast<size_t>(n)) == n) {
                    const std::lock_guard lock(mutex_);
                    sent_.append(buffer, n);
                }
            }
            if (ends[1].revents & POLLIN) {
                const ssize_t n = ::read(radio_, buffer, sizeof buffer);
                if (n > 0) (void)::write(program_, buffer, static_cast<size_t>(n));
            }
            if ((ends[0].revents | ends[1].revents) & (POLLHUP | POLLERR)) ::usleep(20'000);
        }
    }

    int radio_ = -1;
    int program_ = -1;
    int held_ = -1;
    QString path_;
    std::mutex mutex_;
    QByteArray sent_;
    std::atomic<bool> stop_ = false;
    std::thread pump_;
};

}  // namespace zt::testing
