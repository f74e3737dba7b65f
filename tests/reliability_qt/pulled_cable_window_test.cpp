// SPDX-License-Identifier: GPL-3.0-or-later
// The cable pulled out during a read started from the program's read window,
// over the real serial port and timers: the window reports the failure within
// two seconds, the event loop never stalls meanwhile, the image is untouched,
// and the same window reads again once a radio is back (the first twenty blocks
// of the new radio are enough to show it; whole reads have their own tests).
// Closing the terminal's far end is what the system shows when a USB adapter
// goes away.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "model/app_state.h"
#include "model/blank_image.h"
#include "sim/pty_radio.h"
#include "sim/sim_radio.h"
#include "ui/comm_window.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace zt {
namespace {

// The simulated radio on its own thread behind a pseudo-terminal, at 9600 baud
// when paced. Pull() stops it and closes both ends it holds: the cable is gone.
class RadioOnPty {
  public:
    RadioOnPty(bool pace, const Image& memory) : radio_(memory) {
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
    std::unique_ptr<PtyRadio> pty_ = std::make_unique<PtyRadio>(radio_);
    std::string path_;
    volatile bool stop_ = false;
    std::thread thread_;
};

// Runs the event loop until `done` holds or `limitMs` have passed; the longest
// pause between two turns of the loop meanwhile goes to `longestPauseMs`.
bool RunEventsUntil(const std::function<bool()>& done, int limitMs,
                    qint64* longestPauseMs = nullptr) {
    QElapsedTimer timer, turn;
    timer.start();
    turn.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (longestPauseMs) *longestPauseMs = std::max(*longestPauseMs, turn.restart());
    }
    return true;
}

class Recorder final : public MessagePresenter {
  public:
    std::vector<QString> texts;

  protected:
    void present(const QString& text, const QString&) override { texts.push_back(text); }
};

TEST(PulledCable, TheReadWindowFailsPromptlyStaysResponsiveAndReadsAgain) {
    int argc = 1;
    char name[] = "reliability_qt_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    AppState state;
    Recorder presenter;
    MainWindow main(state, presenter);
    main.load();
    for (auto& row : state.ChannelTable) row.fill(0x5A);
    const Image before = state.ChannelTable;

    auto radio = std::make_unique<RadioOnPty>(true, BlankImage());
    state.ComDevice = radio->Path();
    main.action("Prog_read")->trigger();
    auto* read = qobject_cast<CommWindow*>(main.window(WindowId::CommRead));
    ASSERT_NE(read, nullptr);
    auto* status = read->findChild<QLabel*>("Label_tr_count");
    read->findChild<QPushButton*>("Command_read")->click();
    ASSERT_TRUE(RunEventsUntil([&] { return read->link().Vars().BlockIndex >= 20; }, 20'000));

    QElapsedTimer sincePull;
    sincePull.start();
    qint64 longestPauseMs = 0;
    radio->Pull();
    ASSERT_TRUE(RunEventsUntil([&] { return !presenter.texts.empty(); }, 10'000, &longestPauseMs));
    EXPECT_LT(sincePull.elapsed(), 2000);
    EXPECT_EQ(presenter.texts, std::vector<QString>{"Fail connect with transceiver."});
    RunEventsUntil([] { return false; }, 300, &longestPauseMs);  // and a little after
    EXPECT_LT(longestPauseMs, 500) << "the event loop stalled";
    EXPECT_FALSE(read->exchangeRunning());
    EXPECT_FALSE(read->link().InProgress());
    EXPECT_EQ(state.ChannelTable, before);
    ASSERT_EQ(main.window(WindowId::CommRead), read);  // stays for another try

    // Plugged back in: the same window reads the new terminal, block after block
    // (a reply is R, the address, 10, 00 and the row's 16 bytes).
    Image other{};  // a radio the first read never saw
    for (std::size_t r = 0; r < other.size(); ++r) other[r].fill(static_cast<std::uint8_t>(r));
    radio = std::make_unique<RadioOnPty>(false, other);
    state.ComDevice = radio->Path();
    read->findChild<QPushButton*>("Command_read")->click();
    ASSERT_TRUE(RunEventsUntil([&] { return read->link().Vars().BlockIndex >= 21; }, 20'000))
        << status->text().toStdString();
    for (std::size_t b = 1; b <= 20; ++b) {
        const auto& reply = state.CommBuffer[b];
        EXPECT_TRUE(std::equal(reply.begin() + 5, reply.begin() + 21,
                               radio->Radio().Memory()[b - 1].begin()))
            << b;
    }
    EXPECT_EQ(presenter.texts.size(), 1u);
    EXPECT_EQ(state.ChannelTable, before);  // until the last block is in
}

}  // namespace
}  // namespace zt
