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

// The power window's tests run this exchange through the link: the radio's
// values on the bars without a frame, one frame a bar move, 'b' at the close, a
// lost acknowledgement and a port that will not open. Here what they cannot reach.
TEST_F(PowerTest, BarMovesAreUnguardedAndRangeCheckedAndAHealthyLinkStaysUp) {
    observer.onPower = [](int, int, int) {};
    ASSERT_EQ(link->Connect(), StartResult::Started);
    ASSERT_TRUE(clock.RunUntil([&] { return link->State() == LinkState::Ready; }, Ms(400)));
    EXPECT_EQ(row, (ImageRow{50, 100, 200, 9, 21, 22}));  // the rest of the row as it was
    port.ClearSent();
    ASSERT_TRUE(link->SetPowerLevel(1, 99));
    ASSERT_TRUE(link->SetPowerLevel(1, 120));  // the second frame follows at once
    clock.RunFor(Ms(100));
    EXPECT_EQ(port.Sent(), PowerFrame());  // one frame: the second start replaced the first
    EXPECT_EQ(radio.Memory()[frame::kPowerBlock], row);
    for (const auto& [level, value] : {std::pair{3, 1}, {-1, 1}, {0, 256}, {0, -1}}) {
        EXPECT_FALSE(link->SetPowerLevel(level, value)) << level << " " << value;
    }
    EXPECT_EQ(row, (ImageRow{50, 120, 200, 1, 21, 22}));
    clock.RunFor(Ms(2000));  // the watchdog leaves a healthy link alone
    EXPECT_EQ(observer.closeDue, 0);
    EXPECT_TRUE(port.IsOpen());
}

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
