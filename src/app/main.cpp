// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog: the desktop programming software.

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/program_options.h"
#include "app/start_program.h"
#include "model/app_state.h"
#include "project_version.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/qt_translations.h"

namespace {

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
    zt::DescribeOptions(parser);

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
    const zt::ProgramOptions options = zt::ParseProgramOptions(parser, QApplication::arguments());
    if (!options.error.empty()) {
        std::fprintf(stderr, "zt790prog: %s\nTry zt790prog --help.\n", options.error.c_str());
        return 2;
    }
    if (AnswerInformation(parser)) return 0;
    QApplication::setDesktopFileName("zt790prog");
    QApplication::setWindowIcon(zt::ProgramIcon());

    // The state outlives the windows that hold references to it.
    zt::AppState state;
    zt::MessageBoxPresenter presenter;
    zt::MainWindow main(state, presenter);
    // Message boxes show their standard buttons in the language chosen.
    QObject::connect(&main, &zt::MainWindow::languageChanged, &zt::FollowLanguageInQtTexts);
    zt::StartProgram(main, options);
    return QApplication::exec();
}
