// SPDX-License-Identifier: GPL-3.0-or-later
// A port that will not open: the serial windows keep the port message as it is
// and add what this machine can tell about the cause below it, only when there
// is something to tell.
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"
#include "ui/comm_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

const QString kPortError =
    "Communication port is error, please setting right communication port . ！";

class PortAdviceTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        main->linkDevices = [this] {
            auto port = std::make_unique<SimPort>(clock);
            port->FailOpen(true);
            return LinkDevices{std::move(port), std::make_unique<VirtualTimers>(clock),
                               [this](int number, const std::string& device) {
                                   asked.push_back(std::to_string(number) + " " + device);
                                   return advice;
                               }};
        };
    }
    void start(const char* command, WindowId id, const char* button) {
        QWidget* w = open(command, id);
        if (button) press(w, button);
    }

    VirtualClock clock;
    BiString advice;
    std::vector<std::string> asked;
};

TEST_F(PortAdviceTest, AdviceGoesBelowThePortMessageOnlyWhenThereIsAny) {
    const struct {
        const char* command;
        WindowId id;
        const char* button;  // none: the window starts by itself
    } windows[] = {{"Prog_read", WindowId::CommRead, "Command_read"},
                   {"Prog_write", WindowId::CommWrite, "Command_Write"},
                   {"Adj_Txp", WindowId::Adjust, nullptr}};
    for (const auto& w : windows) {
        advice = {};
        start(w.command, w.id, w.button);
        ASSERT_EQ(presenter.messages.size(), 1u) << w.command;
        EXPECT_EQ(presenter.messages[0].text, kPortError);
        EXPECT_EQ(presenter.messages[0].detail, "") << w.command;
        presenter.messages.clear();
        if (main->window(w.id)) main->window(w.id)->close();
        settle();

        advice = {"The USB serial cable 1a86:7523 has no serial port.\n", "串口线 1a86:7523\n"};
        state->ComDevice = "/dev/ttyUSB0";
        start(w.command, w.id, w.button);
        ASSERT_EQ(presenter.messages.size(), 1u) << w.command;
        EXPECT_EQ(presenter.messages[0].text, kPortError);
        EXPECT_EQ(presenter.messages[0].title, "Operate prompt");
        EXPECT_EQ(presenter.messages[0].detail,
                  "The USB serial cable 1a86:7523 has no serial port.\n");
        EXPECT_EQ(asked.back(), "1 /dev/ttyUSB0");
        presenter.messages.clear();
        if (main->window(w.id)) main->window(w.id)->close();
        settle();
        state->ComDevice.clear();
    }

    // In Chinese, the Chinese advice.
    state->LanguageChinese = true;
    state->ComPort = 3;
    start("Prog_read", WindowId::CommRead, "Command_read");
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "通讯端口打开错误，请正确设置通讯端口 ！");
    EXPECT_EQ(presenter.messages[0].detail, "串口线 1a86:7523\n");
    EXPECT_EQ(asked.back(), "3 ");
}

}  // namespace
}  // namespace zt::test
