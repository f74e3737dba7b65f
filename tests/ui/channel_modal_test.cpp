#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "model/channel.h"
#include "ui/channel_grid_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

// Real modal boxes, as on screen: the box takes the focus from the field that
// asked for it, which is how a message loop would start.
class BoxPresenter final : public MessagePresenter {
  public:
    struct Box {
        QString text;
        QMessageBox::Icon icon;
        int buttons;
    };
    std::vector<Box> shown;

  protected:
    void present(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        QTimer::singleShot(30, &box, [&] {
            shown.push_back({box.text(), box.icon(), static_cast<int>(box.buttons().size())});
            box.accept();
        });
        box.exec();
    }
};

class ChannelModal : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        main = std::make_unique<MainWindow>(*state, presenter);
        main->load();
        QApplication::setActiveWindow(main.get());
        grid = main->channelGrid();
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void click(int row, int column) {
        QTableWidget* table = grid->grid();
        const QRect cell = table->visualItemRect(table->item(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    BoxPresenter presenter;
    std::unique_ptr<MainWindow> main;
    ChannelGridWindow* grid = nullptr;
};

TEST_F(ChannelModal, GridOutOfBandEntryShowsOneExclamationBoxWithOk) {
    click(0, ChannelGridWindow::ColRx);
    QTest::keyClicks(grid->textEditor(), "470");
    click(5, ChannelGridWindow::ColRx);  // leaving the cell commits it
    RunEventLoopFor(600);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "Over the range of receive frequency .");
    EXPECT_EQ(presenter.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(presenter.shown[0].buttons, 1);
    EXPECT_EQ(grid->grid()->item(0, 1)->text(), "400.00000");
    EXPECT_EQ(grid->grid()->currentRow(), 5);
}

TEST_F(ChannelModal, DialogOutOfBandEntryShowsOneBox) {
    state->CurrentChannel = 2;
    main->reopen(WindowId::ChannEdit);
    QWidget* dialog = main->window(WindowId::ChannEdit);
    ASSERT_NE(dialog, nullptr);
    auto* rx = dialog->findChild<QLineEdit*>("Text_RX_Freq");
    auto* number = dialog->findChild<QLineEdit*>("Text_CHN");
    rx->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(rx, "480");
    number->setFocus(Qt::MouseFocusReason);
    RunEventLoopFor(600);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, "Over the range of receive frequency .");
    EXPECT_EQ(rx->text(), "400.00000");
    EXPECT_FALSE(IsChannelEmpty(state->ChannelTable, 2));
}

}  // namespace
}  // namespace zt::test
