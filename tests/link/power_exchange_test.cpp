#include "link_fixture.h"

namespace zt::testing {
namespace {

class PowerTest : public LinkTest {
  protected:
    void SetUp() override {
        radio.Memory()[frame::kPowerBlock] = {50, 100, 200, 0, 1, 2};
        row = {9, 9, 9, 9, 21, 22};
        Make(LinkMode::Power);
    }
    Bytes PowerFrame() const {
        Bytes frame{0x06, 'g', 0x0F, 0x00, 0x10};
        frame.insert(frame.end(), row.begin(), row.end());
        return frame;
    }
    ImageRow& row = app.ChannelTable[frame::kPowerBlock];
};

TEST_F(PowerTest, TheRadioValuesGoBackAtOnceEachBarSendsTheRowAndCloseSendsB) {
    std::vector<std::array<int, 3>> shown;
    // The window sets its bars from the radio's values; that must send nothing.
    observer.onPower = [&](int low, int mid, int high) {
        shown.push_back({low, mid, high});
        const auto sent = port.Sent().size();
        for (int level : {0, 1, 2}) link->SetPowerLevel(level, shown.back()[level]);
        EXPECT_EQ(port.Sent().size(), sent);
    };
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Ready; }, Ms(400)));
    EXPECT_EQ(shown, (std::vector<std::array<int, 3>>{{50, 100, 200}}));
    // The radio's values, the bar set last, the rest of the row as it was.
    EXPECT_EQ(row, (ImageRow{50, 100, 200, 2, 21, 22}));
    EXPECT_EQ(Bytes(port.Sent().end() - 21, port.Sent().end()), PowerFrame());
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    EXPECT_TRUE(port.IsOpen());

    port.ClearSent();
    ASSERT_TRUE(link->SetPowerLevel(1, 99));
    ASSERT_TRUE(link->SetPowerLevel(1, 120));  // unguarded: the second frame follows at once
    clock.RunFor(Ms(100));
    EXPECT_EQ(port.Sent(), PowerFrame());  // one frame: the second start replaced the first
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    for (const auto& [level, value] : {std::pair{3, 1}, {-1, 1}, {0, 256}, {0, -1}}) {
        EXPECT_FALSE(link->SetPowerLevel(level, value)) << level << " " << value;
    }
    EXPECT_EQ(row, (ImageRow{50, 120, 200, 1, 21, 22}));

    clock.RunFor(Ms(2000));  // the watchdog leaves a healthy link alone
    EXPECT_EQ(observer.closeDue, 0);
    port.ClearSent();
    link->ClosePower();
    EXPECT_EQ(port.Sent(), Bytes{'b'});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PowerEnded});
    EXPECT_EQ(observer.closeDue, 1);
}

// The window's tests cover the lost acknowledgement and the port that will not
// open; here the end byte that goes to a radio that never answered.
TEST_F(PowerTest, NoAnswerByTheFirstWatchdogTickEndsTheLinkWithB) {
    AddFault("silent@ident:always");
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return observer.closeDue > 0; }, Ms(3000)));
    EXPECT_EQ(clock.Now(), Ms(kPowerWatchdogMs));
    EXPECT_EQ(port.Sent().back(), 'b');  // the port was still open
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(observer.outcomes, std::vector{ExchangeOutcome::PowerEnded});
    ExpectTimersStopped();
}

}  // namespace
}  // namespace zt::testing
