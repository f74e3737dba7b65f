#include "ui_test_support.h"

#include <QCoreApplication>
#include <QEvent>

namespace zt::test {

QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may already be gone when static objects
    // are torn down at exit.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

std::vector<QString> RecordingPresenter::take() {
    std::vector<QString> texts;
    for (const ShownMessage& m : messages) texts.push_back(m.text);
    messages.clear();
    return texts;
}

void MainWindowTest::SetUp() {
    app();
    main = std::make_unique<MainWindow>(*state, presenter);
    main->load();
    settle();
}

void MainWindowTest::TearDown() {
    main.reset();
    settle();
}

void MainWindowTest::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace zt::test
