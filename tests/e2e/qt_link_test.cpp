// SPDX-License-Identifier: GPL-3.0-or-later
// The real Qt adapters (QSerialPort, QTimer) through a reply time-out, the 5 s
// pause and the second pass, against zt790sim over a pseudo-terminal. Whole
// reads, writes and power adjustments over them are run by the program-binary
// test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "files/channel_file.h"
#include "link/serial_link.h"
#include "model/blank_image.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "support/sim_process.h"

namespace zt::testing {
namespace {

struct Outcomes : ExchangeObserver {
    std::vector<ExchangeOutcome> finished;
    void OnFinished(ExchangeOutcome o) override { finished.push_back(o); }
    void OnMessage(const LinkMessage&) override {}
};

bool Wait(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the loop now and then so the deadline is seen
    tick.start(50);
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

TEST(QtLink, ATimeOutAtBlock20RetriesAndTheSecondPassCompletes) {
    int argc = 1;
    char name[] = "e2e_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication qapp(argc, argv);

    Image memory = BlankImage();
    for (int r = 129; r < 256; ++r) {
        if (r == 153) continue;
        for (int f = 0; f < 16; ++f) memory[r][f] = static_cast<std::uint8_t>(r * 11 + f * 5);
    }
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.chann");
    ASSERT_TRUE(SaveChannelFile(file.toStdString(), memory).ok);
    // The late answer lands while the port is closed and is thrown away on reopening.
    SimProcess sim({"--load", file, "--fault", "delay@20"});

    AppState app;
    app.ChannelTable = BlankImage();
    app.ComDevice = sim.Device().toStdString();
    QtSerialPort port;
    QtLinkTimers timers;
    Outcomes observer;
    SerialLink link(LinkMode::Read, app, port, timers, observer);
    const Image before = app.ChannelTable;
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(Wait([&] { return link.State() == LinkState::Pausing; }, 30000));
    EXPECT_EQ(app.ChannelTable, before);
    ASSERT_TRUE(Wait([&] { return !observer.finished.empty(); }, 40000));
    EXPECT_EQ(observer.finished, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(link.Vars().Retries, 2);  // one of the three retries used
    for (int r = 0; r < 254; ++r) EXPECT_EQ(app.ChannelTable[r], memory[r]) << r;
}

}  // namespace
}  // namespace zt::testing
