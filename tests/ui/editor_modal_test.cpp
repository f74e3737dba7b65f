#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "model/options.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

// Puts up a real modal box, which takes the focus as on screen, and dismisses it
// a moment later.
class ModalPresenter final : public MessagePresenter {
  public:
    std::vector<QString> shown;

  protected:
    void present(const QString& text, const QString& title) override {
        shown.push_back(text);
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        QTimer::singleShot(30, &box, [&box] { box.accept(); });
        box.exec();
    }
};

class EditorModal : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        main = std::make_unique<MainWindow>(*state, presenter);
        main->load();
        QApplication::setActiveWindow(main.get());
        main->reopen(WindowId::Option);
        window = main->window(WindowId::Option);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QLineEdit* box(const char* name) { return window->findChild<QLineEdit*>(name); }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ModalPresenter presenter;
    std::unique_ptr<MainWindow> main;
    QWidget* window = nullptr;
};

TEST_F(EditorModal, RefusedReceiveEntryShowsOneBoxAndGetsTheFocusBack) {
    QLineEdit* rx = box("Text_RX_Freq");
    QLineEdit* offset = box("Text_Offset_Freq");
    // The offset box would refuse its own text too if its rule ran.
    for (int b = 4; b < 8; ++b) state->ChannelTable[kVfoRow][b] = 255;
    main->reopen(WindowId::Option);
    window = main->window(WindowId::Option);
    rx = box("Text_RX_Freq");
    offset = box("Text_Offset_Freq");
    rx->setFocus(Qt::MouseFocusReason);
    rx->setText("470");
    offset->setFocus(Qt::MouseFocusReason);
    RunEventLoopFor(600);
    EXPECT_EQ(presenter.shown, std::vector<QString>{"Over the range of RX frequency ."});
    EXPECT_EQ(rx->text(), "");
    // The box the main window gives the focus to when it is active again.
    EXPECT_EQ(main->focusWidget(), rx);
    EXPECT_EQ(offset->text(), "1666.66665");
}

TEST_F(EditorModal, ShortPasswordShowsOneBox) {
    state->ChannelTable[kOptionRow][2] |= 0x08;  // password on
    main->reopen(WindowId::Option);
    window = main->window(WindowId::Option);
    QLineEdit* password = box("Text_Pon_PWD");
    password->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(password, "12");
    box("Text_pvfo_d0")->setFocus(Qt::MouseFocusReason);
    RunEventLoopFor(600);
    EXPECT_EQ(presenter.shown, std::vector<QString>{"Password length is 4 digit."});
    EXPECT_EQ(main->focusWidget(), password);
}

}  // namespace
}  // namespace zt::test
