// The programming cable pulled out in the middle of a read, for real: the
// simulated radio behind a pseudo-terminal, the program on QSerialPort and
// QTimer. Closing the terminal's far end is what the system shows when a USB
// adapter goes away; the read must end within two seconds and the port must
// open again for the next read.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/startup.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "sim/pty_radio.h"
#include "sim/sim_radio.h"

namespace zt {
namespace {

// The radio on its own thread behind a pseudo-terminal, at 9600 baud when paced.
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
    // Stops the radio and closes both ends it holds: the cable is gone.
    void Pull() {
        if (!pty_) return;
        stop_ = true;
        thread_.join();
        pty_.reset();
    }
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] const SimRadio& Radio() const { return radio_; }

  private:
    SimRadio radio_;
    std::unique_ptr<PtyRadio> pty_;
    std::string path_;
    volatile bool stop_ = false;
    std::thread thread_;
};

struct Outcome : ExchangeObserver {
    void OnMessage(const LinkMessage& m) override { messages.push_back(m.kind); }
    void OnFinished(ExchangeOutcome o) override { outcome = o; }
    std::optional<ExchangeOutcome> outcome;
    std::vector<LinkMessageKind> messages;
};

bool RunEventsUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

TEST(PulledCable, ARealPortClosedMidReadEndsWithinTwoSecondsAndOpensAgain) {
    int argc = 1;
    char name[] = "reliability_qt_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication qapp(argc, argv);

    AppState app;
    StartUp(app);
    for (auto& row : app.ChannelTable) row.fill(0x5A);
    const Image before = app.ChannelTable;
    QtSerialPort port;
    QtLinkTimers timers;
    Outcome observer;
    SerialLink link(LinkMode::Read, app, port, timers, observer);

    auto radio = std::make_unique<RadioOnPty>(true);
    app.ComDevice = radio->Path();
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(RunEventsUntil([&] { return link.Vars().BlockIndex >= 20; }, 20'000));
    ASSERT_FALSE(observer.outcome.has_value());

    QElapsedTimer sincePull;
    sincePull.start();
    radio->Pull();
    ASSERT_TRUE(RunEventsUntil([&] { return observer.outcome.has_value(); }, 10'000));
    EXPECT_LT(sincePull.elapsed(), 2000);
    EXPECT_EQ(observer.outcome, ExchangeOutcome::Failed);
    EXPECT_EQ(observer.messages, std::vector{LinkMessageKind::FailConnect});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(link.InProgress());
    EXPECT_EQ(app.ChannelTable, before);

    // Plugged back in (a new terminal): the same port and link read again.
    radio = std::make_unique<RadioOnPty>(false);
    app.ComDevice = radio->Path();
    observer = Outcome{};
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(RunEventsUntil([&] { return observer.outcome.has_value(); }, 60'000));
    EXPECT_EQ(observer.outcome, ExchangeOutcome::Completed);
    for (int r = 0; r < kRadioRows; ++r) {
        ASSERT_EQ(app.ChannelTable[r], radio->Radio().Memory()[r]) << r;
    }
}

}  // namespace
}  // namespace zt
