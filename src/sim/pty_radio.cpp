// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pty_radio.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zt {

namespace {
// 9600 baud, 8N1: ten bits a byte.
constexpr std::chrono::microseconds kByteTime{1'000'000 * 10 / 9600};
}  // namespace

PtyRadio::~PtyRadio() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

std::string PtyRadio::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return {};
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return {};
    }
    std::string path = name;
    // Holding the other end open keeps the terminal alive between the program's
    // openings, and raw mode keeps the line from echoing or translating bytes
    // before the program sets it up.
    slave_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return {};
    }
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    return path;
}

void PtyRadio::Take(std::uint8_t byte, Clock::time_point now, const PtyRadioOptions& options) {
    if (options.pace) {
        // The byte is only complete at the radio one byte time after the previous one.
        inFree_ = std::max(now, inFree_) + kByteTime;
        now = inFree_;
    }
    if (line_) {
        const auto t = LineTime(now);
        Put(line_->FromProgram(byte, t, options.pace ? kByteTime.count() : 0));
        if (!line_->Plugged(t)) {
            in_.clear();  // what was on the wire is lost
            out_.clear();
        }
    } else if (options.pace) {
        in_.push_back({now, byte});
    } else {
        Answer(byte, now, options);
    }
}

void PtyRadio::Answer(std::uint8_t byte, Clock::time_point now, const PtyRadioOptions& options) {
    const auto reply = radio_.Receive(byte);
    if (!reply) return;
    Clock::time_point at = std::max(now, outFree_) + std::chrono::milliseconds(reply->delayMs);
    for (const std::uint8_t b : reply->bytes) {
        if (options.pace) at += kByteTime;
        if (line_) {
            Put(line_->FromRadio(b, LineTime(at)));
        } else {
            out_.push_back({at, b});
        }
    }
    outFree_ = at;
}

void PtyRadio::Put(const std::vector<LineFaults::Delivery>& deliveries) {
    for (const auto& d : deliveries) {
        auto& queue = d.direction == Direction::ToRadio ? in_ : out_;
        const Timed t{origin_ + std::chrono::microseconds(d.at), d.byte};
        // Late bytes hold back those behind them, but an echo may come before them.
        queue.insert(std::upper_bound(queue.begin(), queue.end(), t,
                                      [](const Timed& a, const Timed& b) { return a.at < b.at; }),
                     t);
    }
}

LineFaults::Micros PtyRadio::LineTime(Clock::time_point t) const {
    return std::chrono::duration_cast<std::chrono::microseconds>(t - origin_).count();
}

bool PtyRadio::Flush(Clock::time_point now, std::string& error) {
    std::vector<std::uint8_t> due;
    for (const Timed& t : out_) {
        if (t.at > now) break;
        due.push_back(t.byte);
    }
    if (due.empty()) return true;
    const ssize_t n = ::write(master_, due.data(), due.size());
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) return true;
        error = std::string("write to the pseudo-terminal failed: ") + std::strerror(errno);
        return false;
    }
    out_.erase(out_.begin(), out_.begin() + n);
    return true;
}

bool PtyRadio::Run(const PtyRadioOptions& options, const volatile bool& stop, std::string& error) {
    std::uint8_t buffer[512];
    int sessionsSeen = radio_.SessionsCompleted();
    origin_ = Clock::now();
    if (!options.line.empty()) line_.emplace(options.line);
    while (!stop) {
        auto now = Clock::now();
        while (!in_.empty() && in_.front().at <= now) {
            // Answer from the moment the byte was complete, not from when this
            // loop woke up, so a late wake-up does not stretch the exchange.
            const Timed t = in_.front();
            in_.pop_front();
            Answer(t.byte, t.at, options);
        }
        if (radio_.CablePulled() || (line_ && line_->PulledForGood())) {
            // Both ends go: the program's side of the terminal fails as a
            // vanished USB adapter does.
            ::close(slave_);
            ::close(master_);
            slave_ = master_ = -1;
            return true;
        }
        if (!Flush(now, error)) return false;
        for (; sessionsSeen < radio_.SessionsCompleted(); ++sessionsSeen) {
            if (options.onSessionEnd) options.onSessionEnd(sessionsSeen + 1);
        }
        if (options.sessions > 0 && radio_.SessionsCompleted() >= options.sessions &&
            out_.empty()) {
            return true;
        }
        // Sleep until the next byte is due, or at most 100 ms so a stop request
        // is seen.
        auto wake = now + std::chrono::milliseconds(100);
        if (!in_.empty()) wake = std::min(wake, in_.front().at);
        if (!out_.empty()) wake = std::min(wake, out_.front().at);
        const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(wake - now);
        timespec ts{static_cast<time_t>(wait.count() / 1'000'000),
                    static_cast<long>(wait.count() % 1'000'000) * 1000};
        pollfd pfd{master_, POLLIN, 0};
        const int ready = ::ppoll(&pfd, 1, &ts, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;
            error = std::string("poll failed: ") + std::strerror(errno);
            return false;
        }
        if (ready == 0 || (pfd.revents & POLLIN) == 0) continue;
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR || errno == EIO) continue;
            error = std::string("read from the pseudo-terminal failed: ") + std::strerror(errno);
            return false;
        }
        now = Clock::now();
        for (ssize_t i = 0; i < n; ++i) Take(buffer[i], now, options);
    }
    return true;
}

}  // namespace zt
