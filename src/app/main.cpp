// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog: the desktop programming software.

#include <QApplication>
#include <QStyle>

#include "model/app_state.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zt790prog");
    QApplication::setApplicationVersion("1.2");
    QApplication::setWindowIcon(app.style()->standardIcon(QStyle::SP_ComputerIcon));

    // The state outlives the windows that hold references to it.
    zt::AppState state;
    zt::MessageBoxPresenter presenter;
    zt::MainWindow main(state, presenter);
    main.load();
    return QApplication::exec();
}
