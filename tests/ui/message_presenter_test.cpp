#include <QCoreApplication>
#include <functional>

#include "ui_test_support.h"

namespace zt::test {
namespace {

// A presenter whose box, while up, runs a handler: the way a focus change under a
// modal box re-enters the handler that asked for it.
class ReenteringPresenter final : public MessagePresenter {
  public:
    std::vector<QString> shown;
    std::function<void()> whileShowing;

  protected:
    void present(const QString& text, const QString&) override {
        shown.push_back(text);
        if (whileShowing) {
            auto handler = std::exchange(whileShowing, nullptr);
            handler();
        }
    }
};

TEST(MessagePresenter, DeferredMessageAskedTwiceIsShownOnce) {
    app();
    ReenteringPresenter p;
    p.showLater("Over the range of receive frequency .", "Operate prompt");
    p.showLater("Over the range of receive frequency .", "Operate prompt");
    EXPECT_TRUE(p.shown.empty());  // nothing inside the handler itself
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, std::vector<QString>{"Over the range of receive frequency ."});
    EXPECT_FALSE(p.busy());
}

TEST(MessagePresenter, SameMessageFromAReenteredHandlerIsDropped) {
    app();
    ReenteringPresenter p;
    p.whileShowing = [&] { p.show("A", "T"); };
    p.show("A", "T");
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, std::vector<QString>{"A"});
}

TEST(MessagePresenter, AnotherMessageAskedMeanwhileFollows) {
    app();
    ReenteringPresenter p;
    p.whileShowing = [&] { p.show("B", "T"); };
    p.show("A", "T");
    EXPECT_EQ(p.shown, std::vector<QString>{"A"});
    QCoreApplication::processEvents();
    EXPECT_EQ(p.shown, (std::vector<QString>{"A", "B"}));
}

TEST(MessagePresenter, BilingualTextsFollowTheLanguage) {
    app();
    RecordingPresenter p;
    p.show(BiText{"Over", "超出"}, true);
    p.show(BiText{"Over", "超出"}, false, kOperatePromptCapital);
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[0].text, "超出");
    EXPECT_EQ(p.messages[0].title, "操作提示");
    EXPECT_EQ(p.messages[1].text, "Over");
    EXPECT_EQ(p.messages[1].title, "Operate Prompt");
}

}  // namespace
}  // namespace zt::test
