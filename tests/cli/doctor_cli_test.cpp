// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl doctor's identification check for real, over pseudo-terminals:
// the simulated radio healthy, silent and garbled, and a line that echoes.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "ctl_run.h"

namespace zt::testing {
namespace {

// A pseudo-terminal that sends back whatever the program writes to it, as a
// cable does that loops its send line to its receive line.
class EchoPty {
  public:
    EchoPty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        device_ = ::ptsname(master_);
        thread_ = std::thread([this] {
            while (!stop_) {
                pollfd p{master_, POLLIN, 0};
                char bytes[64];
                const ssize_t n = ::poll(&p, 1, 20) > 0 ? ::read(master_, bytes, sizeof bytes) : 0;
                if (n > 0) {
                    (void)::write(master_, bytes, static_cast<std::size_t>(n));
                } else if (n < 0) {
                    ::usleep(10'000);  // nobody has the terminal open yet
                }
            }
        });
    }
    ~EchoPty() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (master_ >= 0) ::close(master_);
    }
    [[nodiscard]] const std::string& Device() const { return device_; }

  private:
    int master_ = -1;
    std::string device_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(DoctorCommand, TheIdentificationCheckOverARealLine) {
    const struct {
        QStringList sim;  // the simulated radio's options; empty: an echoing line instead
        const char* option;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"--sessions", "9"}, "--json", 0, R"("detail": "The radio answered: ZT790")"},
        {{"--fault", "silent@ident:always"}, "", 1, "radio       failed  no answer"},
        {{"--fault", "bad-ack@ident:always"},
         "",
         1,
         "bytes came back, but not the identification: 58 54 37 39 30"},
        {{}, "", 1, "your own bytes came back: the cable is not connected to a radio"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        std::unique_ptr<SimProcess> radio;
        std::unique_ptr<EchoPty> echo;
        if (c.sim.isEmpty()) {
            echo = std::make_unique<EchoPty>();
        } else {
            radio = std::make_unique<SimProcess>(c.sim);
        }
        const QString device = radio ? radio->Device() : QString::fromStdString(echo->Device());
        ASSERT_FALSE(device.isEmpty());
        QStringList args{"doctor", "--port", device};
        if (*c.option) args << c.option;
        const RunResult r = RunProgram("zt790ctl", args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
        EXPECT_TRUE(Has(r.out, c.says));
    }
}

}  // namespace
}  // namespace zt::testing
