// SPDX-License-Identifier: GPL-3.0-or-later
// The QSerialPort adapter over a pseudo-terminal (the other end plays the
// radio), and the choice of port.
#include "qtio/qt_serial_port.h"
#include "qtio/serial_ports.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>

namespace zt {
namespace {

bool Wait(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class QtSerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "qtio_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        settings.choice.device = ::ptsname(master);
    }
    void TearDown() override {
        if (master >= 0) ::close(master);
    }
    std::string ReadMaster() {
        std::string got;
        char buf[64];
        Wait([&] {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) got.append(buf, static_cast<std::size_t>(n));
            return !got.empty();
        });
        return got;
    }

    int master = -1;
    PortSettings settings;
    std::string error;
    QtSerialPort port;
};

TEST_F(QtSerialPortTest, AMissingDeviceFailsWithAReasonAPresentOneMovesBytes) {
    PortSettings missing;
    missing.choice.device = "/dev/zt790-no-such-port";
    EXPECT_FALSE(port.Open(missing, error));
    EXPECT_NE(error.find("/dev/zt790-no-such-port"), std::string::npos) << error;
    int notifications = 0;
    port.SetReceiveHandler([&] { ++notifications; });
    ASSERT_TRUE(port.Open(settings, error)) << error;
    EXPECT_TRUE(port.IsOpen());
    port.WriteByte('P');
    port.WriteByte(0x02);
    EXPECT_EQ(ReadMaster(), std::string("P\x02"));

    ASSERT_EQ(::write(master, "ZT790", 5), 5);
    ASSERT_TRUE(Wait([&] { return port.BytesWaiting() == 5; }));
    EXPECT_GE(notifications, 1);
    EXPECT_EQ(port.ReadByte(), 'Z');
    EXPECT_EQ(port.BytesWaiting(), 4);
    port.DiscardInput();
    EXPECT_EQ(port.BytesWaiting(), 0);

    port.WriteByte('E');
    port.Close();  // the end byte still leaves
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(ReadMaster(), "E");
    EXPECT_EQ(port.BytesWaiting(), 0);
}

// What lay in the line before the port opened (a radio's late answer to
// another program) is not part of the first reply.
TEST_F(QtSerialPortTest, BytesFromBeforeTheOpeningAreDropped) {
    ASSERT_EQ(::write(master, "stale", 5), 5);
    ASSERT_TRUE(port.Open(settings, error)) << error;
    ASSERT_EQ(::write(master, "ZT", 2), 2);
    ASSERT_TRUE(Wait([&] { return port.BytesWaiting() >= 2; }));
    EXPECT_EQ(port.BytesWaiting(), 2);
    EXPECT_EQ(port.ReadByte(), 'Z');
}

// A failed write closes the port like a vanished device, once (it once left
// the port open).
TEST_F(QtSerialPortTest, ADeviceThatGoesAwayClosesThePortOnce) {
    ASSERT_TRUE(port.Open(settings, error)) << error;
    ::close(master);  // like pulling the adapter: the next write fails
    master = -1;
    port.WriteByte(0x06);
    EXPECT_TRUE(Wait([&] { return !port.IsOpen(); }));
    port.WriteByte(0x06);  // further calls on the dead port are harmless
    port.DiscardInput();
    EXPECT_EQ(port.BytesWaiting(), 0);
}

// Port numbers and paths as typed: the port-setup dialog and zt790ctl tests.

SerialPortEntry Entry(const std::string& name, bool usb = false) {
    return SerialPortEntry{name, "/dev/" + name, "", usb};
}

TEST(SerialPorts, UsbAdaptersThenAcmThenBuiltInEachSortedNumerically) {
    std::vector<std::string> names;
    for (const auto& p :
         OrderSerialPorts({Entry("ttyS1"), Entry("ttyACM0", true), Entry("ttyUSB10", true),
                           Entry("ttyS0"), Entry("ttyUSB2", true), Entry("ttyXRUSB0", true),
                           Entry("ttyACM1", true), Entry("ttyS10")}))
        names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB2", "ttyUSB10", "ttyXRUSB0", "ttyACM0",
                                               "ttyACM1", "ttyS0", "ttyS1", "ttyS10"}));
    EXPECT_EQ(Entry("ttyUSB0").Label(), "ttyUSB0");  // with a description: the widget tests
}

}  // namespace
}  // namespace zt
