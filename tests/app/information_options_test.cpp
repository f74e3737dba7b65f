// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version of zt790prog and zt790sim, which the manual pages are
// made from: they answer on a console without any display and exit 0; a
// wrong option gets a message and exit code 2.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "../model/table.h"
#include "support/sim_process.h"

namespace zt::testing {
namespace {

// The program, its arguments, whether it runs on a display (- none and no
// platform chosen, as on a console), its exit code, the pattern of its first
// line (%1: the program) and texts, split by ";", in its standard output, or in
// its standard error on failure.
constexpr const char* kCases = R"(
zt790prog | --version | - | 0 | ^%1 \d+\.\d+\.\d+$ | License GPLv3+
zt790prog | -v | - | 0 | ^%1 \d+\.\d+\.\d+$ | NO WARRANTY
zt790prog | --help | - | 0 | ^Usage: .*zt790prog \[options\] \[file\]$ | --version;--language <en|zh>;--advanced
zt790prog | --bogus | offscreen | 2 | ^$ | Unknown option 'bogus'
zt790sim | --version | - | 0 | ^%1 \d+\.\d+\.\d+$ | License GPLv3+
zt790sim | --help | - | 0 | ^zt790sim: | Exit status:;--line-fault
zt790sim | --bogus | - | 2 | ^$ | --bogus
zt790sim | --fault vanish@3 | - | 2 | ^$ | unknown fault 'vanish'
zt790sim | --line-fault melt@to-radio:1 | - | 2 | ^$ | line fault 'melt'
)";

TEST(InformationOptions, AnswerOnAConsoleAndRefuseWrongOptions) {
    for (const auto& [program, args, display, code, firstLine, contains] : Rows<6>(kCases)) {
        const std::string name = program + " " + args;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        if (display != "-") env.insert("QT_QPA_PLATFORM", QString::fromStdString(display));
        const RunResult r =
            RunProgram(program.c_str(), QString::fromStdString(args).split(' '), 15000, env);
        EXPECT_EQ(r.exitCode, std::stoi(code)) << name << "\n" << r.err;
        const QString first = QString::fromStdString(r.out).section('\n', 0, 0);
        const QRegularExpression pattern(
            QString::fromStdString(firstLine).replace("%1", QString::fromStdString(program)));
        EXPECT_TRUE(pattern.match(first).hasMatch()) << name << ": " << r.out;
        const std::string& text = code == "0" ? r.out : r.err;
        for (const QString& part : QString::fromStdString(contains).split(';'))
            EXPECT_NE(text.find(part.toStdString()), std::string::npos)
                << name << ": " << part.toStdString() << "\n"
                << text;
    }
}

}  // namespace
}  // namespace zt::testing
