// The QSerialPort adapter over a pseudo-terminal: the other end plays the radio.
#include "qtio/qt_serial_port.h"

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

TEST_F(QtSerialPortTest, MovesBytesBothWaysAndDiscardsInput) {
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

TEST_F(QtSerialPortTest, AMissingDeviceFailsWithAReason) {
    settings.choice.device = "/dev/zt790-no-such-port";
    EXPECT_FALSE(port.Open(settings, error));
    EXPECT_NE(error.find("/dev/zt790-no-such-port"), std::string::npos) << error;
    EXPECT_FALSE(port.IsOpen());
}

// A failed write closes the port like a vanished device, once.
TEST_F(QtSerialPortTest, ADeviceThatGoesAwayClosesThePortOnce) {
    ASSERT_TRUE(port.Open(settings, error)) << error;
    ::close(master);  // like pulling the adapter: the next write fails
    master = -1;
    port.WriteByte(0x06);
    EXPECT_TRUE(Wait([&] { return !port.IsOpen(); }));
    // Further calls on the dead port are harmless.
    port.WriteByte(0x06);
    port.DiscardInput();
    EXPECT_EQ(port.BytesWaiting(), 0);
    port.Close();
}

}  // namespace
}  // namespace zt
