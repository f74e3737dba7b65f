#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <iterator>

#include "exchange_test_support.h"
#include "ui/power_adjust_window.h"

namespace zt::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kProgramRequest{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};

Bytes PowerFrame(const ImageRow& row) {
    Bytes frame(21);
    const std::uint8_t header[] = {0x06, 'g', 0x0F, 0x00, 0x10};
    std::copy(std::begin(header), std::end(header), frame.begin());
    std::copy(row.begin(), row.end(), frame.begin() + 5);
    return frame;
}

class PowerWindow : public ExchangeWindowTest {
  protected:
    void SetUp() override {
        ExchangeWindowTest::SetUp();
        ImageRow& power = radio.Memory()[240];
        power[0] = 50;
        power[1] = 100;
        power[2] = 200;
    }
    PowerAdjustWindow* open() {
        main->action("Adj_Txp")->trigger();
        settle();
        return qobject_cast<PowerAdjustWindow*>(main->window(WindowId::Adjust));
    }
    QString value(QWidget* w, const char* name) { return child<QLabel>(w, name)->text(); }
    bool closed() { return main->window(WindowId::Adjust) == nullptr; }
};

TEST_F(PowerWindow, CaptionsInBothLanguagesAndPlacement) {
    main->resize(1260, 900);
    settle();
    for (bool chinese : {false, true}) {
        state->LanguageChinese = chinese;
        PowerAdjustWindow* w = open();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(state->Windows.AdjustIsOpen);
        const char* expected[][2] = {
            {"Power Adjust", "发射功率调整"}, {"Close", "关闭"},       {"Help", "帮助"},
            {"Low Power", "低功率"},          {"Mid Power", "中功率"}, {"High Power", "高功率"}};
        const int i = chinese ? 1 : 0;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(expected[0][i]));
        EXPECT_EQ(child<QPushButton>(w, "Command_Close")->text(),
                  QString::fromUtf8(expected[1][i]));
        EXPECT_EQ(child<QPushButton>(w, "Command_Help")->text(), QString::fromUtf8(expected[2][i]));
        EXPECT_EQ(child<QLabel>(w, "Label_Low")->text(), QString::fromUtf8(expected[3][i]));
        EXPECT_EQ(child<QLabel>(w, "Label_Mid")->text(), QString::fromUtf8(expected[4][i]));
        EXPECT_EQ(child<QLabel>(w, "Label_High")->text(), QString::fromUtf8(expected[5][i]));
        for (int level = 0; level < 3; ++level) {
            EXPECT_EQ(w->bar(level)->minimum(), 0);
            EXPECT_EQ(w->bar(level)->maximum(), 255);
        }
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        const QSize area = main->mdiArea()->viewport()->size();
        const int width = static_cast<int>(area.width() / 1.8);
        const int height = std::max(area.height() / 2, sub->minimumSizeHint().height());
        EXPECT_EQ(sub->width(), width);
        EXPECT_EQ(sub->height(), height);
        EXPECT_EQ(sub->x(), (area.width() - width) / 2);
        EXPECT_EQ(sub->y(), (area.height() - height) / 3);
        main->unload(WindowId::Adjust);
        EXPECT_FALSE(state->Windows.AdjustIsOpen);
    }
}

TEST_F(PowerWindow, BarsTakeTheRadioValuesWithoutSendingAndEachMoveSendsRow240) {
    PowerAdjustWindow* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    EXPECT_EQ(w->bar(0)->value(), 50);
    EXPECT_EQ(w->bar(1)->value(), 100);
    EXPECT_EQ(w->bar(2)->value(), 200);
    EXPECT_EQ(value(w, "Label_L"), "50");
    EXPECT_EQ(value(w, "Label_M"), "100");
    EXPECT_EQ(value(w, "Label_H"), "200");
    // Setting the bars sent nothing: the request, then the one frame of the link
    // coming up.
    Bytes expected = kProgramRequest;
    for (std::uint8_t b : PowerFrame(state->ChannelTable[240])) expected.push_back(b);
    EXPECT_EQ(port().Sent(), expected);
    EXPECT_EQ(state->ChannelTable[240][0], 50);
    EXPECT_EQ(state->ChannelTable[240][2], 200);

    port().ClearSent();
    w->bar(2)->setValue(180);
    EXPECT_EQ(value(w, "Label_H"), "180");
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    const ImageRow& row = state->ChannelTable[240];
    EXPECT_EQ(row[2], 180);
    EXPECT_EQ(row[3], 2);
    EXPECT_EQ(port().Sent(), PowerFrame(row));
    EXPECT_EQ(radio.Memory()[240], row);

    port().ClearSent();
    w->bar(0)->setValue(7);
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    EXPECT_EQ(row[0], 7);
    EXPECT_EQ(row[3], 0);
    EXPECT_EQ(port().Sent(), PowerFrame(row));

    port().ClearSent();
    child<QPushButton>(w, "Command_Close")->click();
    settle();
    EXPECT_TRUE(closed());
    EXPECT_FALSE(state->Windows.AdjustIsOpen);
    EXPECT_EQ(port().Sent(), Bytes{'b'});
    EXPECT_FALSE(port().IsOpen());
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(PowerWindow, ALostLinkClosesTheWindowWithoutAMessage) {
    radio.AddFault(FaultPlan{FaultKind::NoReply, {FaultTarget::Kind::Power, 240}, true});
    PowerAdjustWindow* w = open();
    ASSERT_TRUE(runUntil([&] { return w->link().Vars().LinkUp; }));
    w->bar(1)->setValue(120);
    ASSERT_TRUE(runUntil([&] { return closed(); }, 3'000));
    EXPECT_FALSE(port().IsOpen());
    EXPECT_NE(port().Sent().back(), 'b');  // nothing to tell a radio that is gone
    EXPECT_EQ(state->ChannelTable[240][1], 120);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(PowerWindow, NoAnswerOrNoPortClosesTheWindowAtTheFirstWatchdogTick) {
    radio.AddFault(FaultPlan{FaultKind::NoReply, {FaultTarget::Kind::Ident, 0}, true});
    open();
    const VirtualClock::Micros opened = clock.Now();
    ASSERT_TRUE(runUntil([&] { return closed(); }, 3'000));
    EXPECT_LE(clock.Now() - opened, Ms(500));
    EXPECT_TRUE(presenter.messages.empty());

    failOpen = true;
    open();
    EXPECT_EQ(presenter.take(),
              std::vector<QString>{
                  "Communication port is error, please setting right communication port . ！"});
    EXPECT_TRUE(state->PortOpenFailed);
    ASSERT_TRUE(runUntil([&] { return closed(); }, 3'000));
}

TEST_F(PowerWindow, ReopeningEndsTheAdjustmentFirst) {
    PowerAdjustWindow* w = open();
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    SimPort& first = port();
    first.ClearSent();
    w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(first.Sent(), Bytes{'b'});
    EXPECT_FALSE(first.IsOpen());
    ASSERT_TRUE(runUntil([&] { return w->link().State() == LinkState::Ready; }));
    EXPECT_EQ(w->bar(2)->value(), 200);
    EXPECT_TRUE(state->Windows.AdjustIsOpen);
}

}  // namespace
}  // namespace zt::test
