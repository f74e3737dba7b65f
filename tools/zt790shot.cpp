// SPDX-License-Identifier: GPL-3.0-or-later
// zt790shot: zt790prog's main window after reading a radio, held on screen so a
// script can photograph it. It builds the same main window as zt790prog, reads
// the radio on --port through the program's own read window (its message boxes
// go to standard error instead of the screen), so the image counts as just read,
// then opens the channel grid on what was read and prints "ready" once the
// window is on screen.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <iostream>

#include "model/app_state.h"
#include "model/band_edges.h"
#include "ui/comm_window.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"

namespace {

// No box on screen to wait for a click: each message is a line on standard error.
class ConsolePresenter final : public zt::MessagePresenter {
  protected:
    void present(const QString& text, const QString&) override {
        std::cerr << "zt790shot: " << zt::utf8(text) << "\n";
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CLI::App cli{"zt790prog's main window with the channels read from a radio"};
    std::string port;
    int width = 1180;
    int height = 720;
    int seconds = 60;
    cli.add_option("-p,--port", port, "Serial device of the radio (zt790sim prints it)")
        ->required();
    cli.add_option("--width", width, "Window width")->capture_default_str();
    cli.add_option("--height", height, "Window height")->capture_default_str();
    cli.add_option("--seconds", seconds, "How long the window stays up")->capture_default_str();
    CLI11_PARSE(cli, argc, argv);

    QApplication::setApplicationName("zt790prog");
    QApplication::setWindowIcon(zt::ProgramIcon());
    zt::AppState state;
    ConsolePresenter presenter;
    zt::MainWindow main(state, presenter);
    main.load();
    main.resize(width, height);
    main.show();

    // Program -> Read from radio, then its Read button.
    state.ComDevice = port;
    main.reopen(zt::WindowId::CommRead);
    QPointer<zt::CommWindow> read =
        qobject_cast<zt::CommWindow*>(main.window(zt::WindowId::CommRead));
    if (read == nullptr) {
        std::cerr << "zt790shot: the read window did not open\n";
        return 1;
    }
    bool completed = false;
    QObject::connect(read, &zt::CommWindow::exchangeCompleted, [&completed] { completed = true; });
    read->start();
    while (!completed && read != nullptr && read->exchangeRunning()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    if (!completed) {
        std::cerr << "zt790shot: nothing was read from " << port << "\n";
        return 1;
    }
    // The read window closes itself once the read is through.
    while (read != nullptr) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    zt::RecomputeBandEdges(state);
    main.showPortPanel();
    main.showBandPanel();
    main.reopen(zt::WindowId::Chann);
    // Without a window manager the window stays where it is put: the top left.
    main.setGeometry(0, 0, width, height);
    QTimer::singleShot(800, [] { std::cout << "ready" << std::endl; });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return QApplication::exec();
}
