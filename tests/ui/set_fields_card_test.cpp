// SPDX-License-Identifier: GPL-3.0-or-later
// Set Fields and the channel card in the desktop program: the dialog's request
// stored byte for byte as zt790ctl set stores it, as one undo step; a refusal
// that keeps the dialog open; the card of the grid's selection, exported and
// printed.
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <random>

#include "../support/sim_process.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/card_commands.h"
#include "ui/edit_command_runner.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class SetFieldsAndCard : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::mt19937 random(29);
        Image image = BlankImage();
        for (int c = 1; c <= 40; ++c) {
            if (c % 7 == 3) continue;  // empty channels inside the selections
            UseChannel(image, c,
                       std::to_string(410 + random() % 50) + "." +
                           std::to_string(10000 + random() % 90000));
            for (int b = 8; b < 16; ++b) image[c][b] = static_cast<std::uint8_t>(random());
            WriteName(image, c, "N" + std::to_string(c));
        }
        start(before = image);
    }
    // Presses Ctrl+E where the focus is; `fill` answers the dialog.
    void setFields(std::function<void(BulkEditDialog&)> fill) {
        main->editCommands().runFieldsDialog = std::move(fill);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
        settle();
        rest();
    }
    static std::string PdfText(const QString& pdf) {
        QProcess tool;
        tool.start("pdftotext", {"-layout", pdf, "-"});
        tool.waitForFinished();
        return tool.readAllStandardOutput().toStdString();
    }
    Image before;
};

TEST_F(SetFieldsAndCard, TheDialogStoresWhatSetStoresAsOneUndoStep) {
    main->channelGrid()->selectChannels({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20},
                                        1);
    setFields([&](BulkEditDialog& d) {
        EXPECT_EQ(child<QLabel>(&d, "Label_channels")->text(),
                  "Channels 1-16, 20 (15 in use; empty ones stay as they are)");
        for (const char* box :
             {"Check_power", "Check_width", "Check_duplex", "Check_scan", "Check_name"})
            child<QCheckBox>(&d, box)->setChecked(true);
        child<QComboBox>(&d, "Combo_power")->setCurrentIndex(0);
        child<QComboBox>(&d, "Combo_width")->setCurrentIndex(0);
        child<QComboBox>(&d, "Combo_duplex")->setCurrentIndex(2);
        child<QComboBox>(&d, "Combo_scan")->setCurrentIndex(0);
        type(child<QLineEdit>(&d, "Text_offset"), "5");
        type(child<QLineEdit>(&d, "Text_name"), "PMR##");
        child<QAbstractButton>(&d, "Command_ok")->click();
    });
    EXPECT_TRUE(presenter.take().empty());
    const Image gui = state->ChannelTable;
    ASSERT_FALSE(gui == before);
    const QString in = saveImage("start.chann", before), out = dir.filePath("cli.chann");
    const auto cli = testing::RunProgram(
        "zt790ctl", {"set", in, "--channels", "1-16,20", "--power", "low", "--bandwidth", "narrow",
                     "--offset=-5", "--scan-add", "off", "--name", "PMR##", "-o", out});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    Image written{};
    ASSERT_TRUE(LoadChannelFile(out.toStdString(), written).ok);
    EXPECT_TRUE(written == gui);
    QTest::keyClick(main->channelGrid()->grid(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(state->ChannelTable == before);
    EXPECT_FALSE(main->recorder().canUndo());
}

TEST_F(SetFieldsAndCard, ARefusedChangeKeepsTheDialogOpenAndChangesNothing) {
    bool stayedOpen = false;
    clickCell(2, ChannelGridWindow::ColName);  // Ctrl+E from the open name box: channel 2
    setFields([&](BulkEditDialog& d) {
        child<QCheckBox>(&d, "Check_duplex")->setChecked(true);
        child<QComboBox>(&d, "Combo_duplex")->setCurrentIndex(1);
        type(child<QLineEdit>(&d, "Text_offset"), "60");
        child<QAbstractButton>(&d, "Command_ok")->click();
        stayedOpen = d.result() != QDialog::Accepted;
        child<QAbstractButton>(&d, "Command_cancel")->click();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(presenter.take(), Texts{"The transmit frequency would be outside the band of 400-470 "
                                      "MHz on channel 2. Nothing was changed."});
    EXPECT_TRUE(state->ChannelTable == before);
    EXPECT_FALSE(main->recorder().canUndo());
}

TEST_F(SetFieldsAndCard, TheCardListsTheSelectedUsedChannels) {
    main->channelGrid()->selectChannels({2, 3, 5}, 2);
    auto* cards = main->findChild<CardCommands*>();
    ASSERT_NE(cards, nullptr);
    cards->chooseFileToSave = [&](const QString&, const QString&) { return dir.filePath("card"); };
    command("File_exportcard");
    EXPECT_EQ(presenter.take(),
              Texts{"Exported the channel card of 2 channels (1 page) to card.pdf."});
    cards->runPreview = [&](QPrintPreviewDialog& preview) {
        QPrinter printer;
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        emit preview.paintRequested(&printer);
    };
    command("File_printcard");
    for (const char* pdf : {"card.pdf", "printed.pdf"}) {
        const std::string text = PdfText(dir.filePath(pdf));
        EXPECT_NE(text.find(" N2 "), std::string::npos) << pdf << text;
        EXPECT_NE(text.find(" N5 "), std::string::npos) << pdf;
        EXPECT_EQ(text.find(" N1 "), std::string::npos) << pdf;
    }
}

}  // namespace
}  // namespace zt::test
