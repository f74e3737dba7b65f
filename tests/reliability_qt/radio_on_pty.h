#pragma once
// The simulated radio on its own thread behind a pseudo-terminal, for tests
// that run the program's real serial port and timers against it; and the one
// application object of the test program.

#include <QApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "sim/pty_radio.h"
#include "sim/sim_radio.h"

namespace zt {

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "reliability_qt_tests";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);  // outlives Qt's own globals
    return *app;
}

// At 9600 baud when paced, as fast as the terminal goes otherwise.
class RadioOnPty {
  public:
    explicit RadioOnPty(bool pace) : pty_(std::make_unique<PtyRadio>(radio_)) {
        std::string error;
        path_ = pty_->Open(error);
        EXPECT_FALSE(path_.empty()) << error;
        thread_ = std::thread([this, pace] {
            std::string error;
            PtyRadioOptions options;
            options.pace = pace;
            pty_->Run(options, stop_, error);
        });
    }
    ~RadioOnPty() { Pull(); }
    RadioOnPty(const RadioOnPty&) = delete;
    RadioOnPty& operator=(const RadioOnPty&) = delete;

    // Stops the radio and closes both ends it holds: the cable is gone.
    void Pull() {
        if (!pty_) return;
        stop_ = true;
        thread_.join();
        pty_.reset();
    }
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] SimRadio& Radio() { return radio_; }

  private:
    SimRadio radio_;
    std::unique_ptr<PtyRadio> pty_;
    std::string path_;
    volatile bool stop_ = false;
    std::thread thread_;
};

inline bool RunEventsUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace zt
