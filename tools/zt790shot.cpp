// SPDX-License-Identifier: GPL-3.0-or-later
// zt790shot: zt790prog's main window after reading a radio, held on screen so a
// script can photograph it. It builds the same main window as zt790prog, reads
// the radio on --port with the same serial link the read window runs (without
// its closing message box), then opens the channel grid on what was read and
// prints "ready" once the window is on screen.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QTimer>
#include <iostream>
#include <optional>

#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/band_edges.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"

namespace {

struct Outcome final : zt::ExchangeObserver {
    std::optional<zt::ExchangeOutcome> outcome;
    void OnFinished(zt::ExchangeOutcome o) override { outcome = o; }
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
    zt::MessageBoxPresenter presenter;
    zt::MainWindow main(state, presenter);
    main.load();
    main.resize(width, height);
    main.show();

    state.ComDevice = port;
    zt::QtSerialPort serial;
    zt::QtLinkTimers timers;
    Outcome observer;
    {
        zt::SerialLink link(zt::LinkMode::Read, state, serial, timers, observer);
        if (link.Start() != zt::StartResult::Started) {
            std::cerr << "zt790shot: cannot open " << port << "\n";
            return 1;
        }
        while (!observer.outcome) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        link.Abort();
    }
    if (*observer.outcome != zt::ExchangeOutcome::Completed) {
        std::cerr << "zt790shot: the radio did not answer\n";
        return 1;
    }
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
