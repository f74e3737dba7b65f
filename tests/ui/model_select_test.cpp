#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "model/band_edges.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

using ModelSelect = MainWindowTest;

TEST_F(ModelSelect, ConfirmWritesTheBandEdgesAndTheStartFrequency) {
    main->action("proc_type")->trigger();
    QWidget* dialog = main->window(WindowId::Type);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(state->Windows.TypeIsOpen);
    auto* type = child<QComboBox>(dialog, "Combo_type");
    EXPECT_EQ(type->count(), 7);
    EXPECT_EQ(type->currentText(), "ZT790 C1.0 UHF");
    EXPECT_EQ(child<QLabel>(dialog, "Label_band")->text(), "UHF 400 --  470 MHZ");
    EXPECT_EQ(child<QLabel>(dialog, "Label_SubBand")->text(), "VHF 136 --  174 MHZ");

    type->setCurrentIndex(1);
    emit type->activated(1);
    // Another entry: its catalogue band as main band, the edges in force as vice band.
    EXPECT_EQ(child<QLabel>(dialog, "Label_band")->text(), "VHF 136 --  174 MHZ");
    EXPECT_EQ(child<QLabel>(dialog, "Label_SubBand")->text(), "UHF 400 --  470 MHZ");

    child<QPushButton>(dialog, "Command_enter")->click();
    settle();
    const std::array<std::uint8_t, 4> edges{0x60, 0x13, 0x40, 0x17};
    const std::array<std::uint8_t, 4> start{0x00, 0x25, 0x66, 0x13};  // 136.625 MHz
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(state->ChannelTable[153][i], edges[i]) << i;
        EXPECT_EQ(state->ChannelTable[0][i], start[i]) << i;
    }
    EXPECT_EQ(state->ModelIndex, 1);
    EXPECT_EQ(state->BandLowMHz, 136);
    EXPECT_EQ(state->BandHighMHz, 174);
    EXPECT_EQ(main->statusPanel(7), " 136-- 174 MHZ");
    EXPECT_EQ(main->window(WindowId::Type), nullptr);
    EXPECT_FALSE(state->Windows.TypeIsOpen);
}

TEST_F(ModelSelect, OpeningTakesTheEdgesOfTheImage) {
    WriteBandEdges(state->ChannelTable, {136, 174});
    main->action("proc_type")->trigger();
    QWidget* dialog = main->window(WindowId::Type);
    EXPECT_EQ(child<QLabel>(dialog, "Label_band")->text(), "UHF 136 --  174 MHZ");
    EXPECT_EQ(state->BandLowMHz, 136);
    EXPECT_EQ(state->BandHighMHz, 174);
    // Cancel keeps them; the model stays.
    child<QPushButton>(dialog, "Command_Cancel")->click();
    settle();
    EXPECT_EQ(state->ModelIndex, 0);
    EXPECT_EQ(state->BandLowMHz, 136);
}

TEST_F(ModelSelect, ReceiveEnabledTogglesOnlyItsBitAtOnce) {
    state->ChannelTable[208][7] = 0x15;
    main->action("proc_type")->trigger();
    QWidget* dialog = main->window(WindowId::Type);
    auto* box = child<QCheckBox>(dialog, "Check_SC");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_EQ(state->ChannelTable[208][7], 0x95);
    child<QPushButton>(dialog, "Command_Cancel")->click();  // not undone
    settle();
    EXPECT_EQ(state->ChannelTable[208][7], 0x95);
    main->action("proc_type")->trigger();
    box = child<QCheckBox>(main->window(WindowId::Type), "Check_SC");
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_EQ(state->ChannelTable[208][7], 0x15);
}

}  // namespace
}  // namespace zt::test
