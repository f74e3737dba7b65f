// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog: the desktop programming software.

#include <QApplication>
#include <QCommandLineParser>
#include <QStyle>
#include <cstdio>

#include "model/app_state.h"
#include "project_version.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace {

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Programming software for ZT790 and MV4L handheld FM radios: reads a radio's memory "
        "over a programming cable, edits it and writes it back.");
    parser.addHelpOption();
    parser.addVersionOption();
}

// Prints what --version or --help asks for; false when neither was asked.
bool AnswerInformation(const QCommandLineParser& parser) {
    if (parser.isSet("version")) {
        std::printf("zt790prog %s\n%s\n", zt::kProjectVersion, zt::kLicenceNotice);
    } else if (parser.isSet("help")) {
        std::fputs(qPrintable(parser.helpText()), stdout);
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("zt790prog");
    QCoreApplication::setApplicationVersion(zt::kProjectVersion);
    QCommandLineParser parser;
    DescribeOptions(parser);

    // --help and --version answer before any window system is needed, so they
    // work on a console without a display. Anything else, Qt's own options
    // such as -platform included, is read once the application exists.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (parser.parse(arguments) && (parser.isSet("help") || parser.isSet("version"))) {
        const QCoreApplication console(argc, argv);  // names the program in the usage line
        AnswerInformation(parser);
        return 0;
    }

    QApplication app(argc, argv);
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "zt790prog: %s\nTry zt790prog --help.\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    if (AnswerInformation(parser)) return 0;
    QApplication::setWindowIcon(app.style()->standardIcon(QStyle::SP_ComputerIcon));

    // The state outlives the windows that hold references to it.
    zt::AppState state;
    zt::MessageBoxPresenter presenter;
    zt::MainWindow main(state, presenter);
    main.load();
    return QApplication::exec();
}
