// The real Qt adapters (QSerialPort, QTimer) running exchanges against zt790sim
// over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "files/channel_file.h"
#include "link/serial_link.h"
#include "model/blank_image.h"
#include "model/write_prep.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "support/sim_process.h"

namespace zt::testing {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "e2e_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

struct Outcomes : ExchangeObserver {
    std::vector<ExchangeOutcome> finished;
    std::vector<LinkMessage> messages;
    void OnFinished(ExchangeOutcome o) override { finished.push_back(o); }
    void OnMessage(const LinkMessage& m) override { messages.push_back(m); }
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

Image Pattern(int salt) {
    Image image = BlankImage();
    for (int r = 129; r < kImageRows; ++r) {
        if (r == 153) continue;
        for (int f = 0; f < kRowBytes; ++f) {
            image[r][f] = static_cast<std::uint8_t>((r * 11 + f * 5 + salt) & 0xFF);
        }
    }
    return image;
}

class QtLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        app.ChannelTable = BlankImage();
    }
    std::string Path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    QString Save(const char* name, const Image& image) const {
        EXPECT_TRUE(SaveChannelFile(Path(name), image).ok);
        return QString::fromStdString(Path(name));
    }
    void UseDevice(const QString& device) { app.ComDevice = device.toStdString(); }

    QTemporaryDir dir;
    AppState app;
    QtSerialPort port;
    QtLinkTimers timers;
    Outcomes observer;
};

TEST_F(QtLinkTest, AFullReadEqualsTheRadioMemory) {
    const Image memory = Pattern(1);
    SimProcess sim({"--load", Save("radio.chann", memory)});
    UseDevice(sim.Device());
    SerialLink link(LinkMode::Read, app, port, timers, observer);
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(Wait([&] { return !observer.finished.empty(); }, 30000));
    EXPECT_EQ(observer.finished, std::vector{ExchangeOutcome::Completed});
    for (int r = 0; r < kRadioRows; ++r) EXPECT_EQ(app.ChannelTable[r], memory[r]) << r;
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(QtLinkTest, ATimeOutAtBlock200RetriesAndTheSecondPassCompletes) {
    const Image memory = Pattern(2);
    // The late answer lands while the port is closed and is thrown away on reopening.
    SimProcess sim({"--load", Save("radio.chann", memory), "--fault", "delay@200"});
    UseDevice(sim.Device());
    SerialLink link(LinkMode::Read, app, port, timers, observer);
    const Image before = app.ChannelTable;
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(Wait([&] { return link.State() == LinkState::Pausing; }, 30000));
    EXPECT_EQ(app.ChannelTable, before);
    ASSERT_TRUE(Wait([&] { return !observer.finished.empty(); }, 40000));
    EXPECT_EQ(observer.finished, std::vector{ExchangeOutcome::Completed});
    EXPECT_EQ(link.Vars().Retries, kRetries - 1);
    for (int r = 0; r < kRadioRows; ++r) EXPECT_EQ(app.ChannelTable[r], memory[r]) << r;
}

TEST_F(QtLinkTest, AFullWriteLeavesTheRadioWithThePreparedRows) {
    const Image radioBefore = Pattern(3);
    SimProcess sim({"--load", Save("radio.chann", radioBefore), "--sessions", "1", "--save",
                    QString::fromStdString(Path("after.chann"))});
    UseDevice(sim.Device());
    app.ChannelTable = Pattern(4);
    app.ChannelTable[12] =
        ImageRow{0x00, 0x50, 0x25, 0x44, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    SerialLink link(LinkMode::Write, app, port, timers, observer);
    ASSERT_EQ(link.Start(), StartResult::Started);
    ASSERT_TRUE(Wait([&] { return !observer.finished.empty(); }, 30000));
    EXPECT_EQ(observer.finished, std::vector{ExchangeOutcome::Completed});
    ASSERT_TRUE(sim.WaitForExit());  // the radio saw 'E'
    Image after{};
    ASSERT_TRUE(LoadChannelFile(Path("after.chann"), after).ok);
    for (int r = 0; r < kWriteRows; ++r) EXPECT_EQ(after[r], app.ChannelTable[r]) << r;
    for (int r = kWriteRows; r < kImageRows; ++r) EXPECT_EQ(after[r], radioBefore[r]) << r;
    EXPECT_EQ(after[208][12], 12);
}

TEST_F(QtLinkTest, PowerChangesReachRow240) {
    SimProcess sim({"--sessions", "1", "--save", QString::fromStdString(Path("after.chann"))});
    UseDevice(sim.Device());
    SerialLink link(LinkMode::Power, app, port, timers, observer);
    ASSERT_EQ(link.Connect(), StartResult::Started);
    ASSERT_TRUE(Wait([&] { return link.State() == LinkState::Ready; }, 5000));
    EXPECT_EQ(app.ChannelTable[240][1], 100);
    link.SetPowerLevel(1, 77);
    ASSERT_TRUE(Wait([&] { return link.State() == LinkState::Ready; }, 5000));
    link.ClosePower();
    ASSERT_TRUE(sim.WaitForExit());
    Image after{};
    ASSERT_TRUE(LoadChannelFile(Path("after.chann"), after).ok);
    EXPECT_EQ(after[240][0], 50);
    EXPECT_EQ(after[240][1], 77);
    EXPECT_EQ(after[240][2], 200);
    EXPECT_EQ(after[240][3], 1);
}

}  // namespace
}  // namespace zt::testing
