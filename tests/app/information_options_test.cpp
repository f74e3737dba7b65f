// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version of zt790prog and zt790sim, which the manual pages are
// made from: they answer on a console without any display and exit 0; a
// wrong option gets a message and exit code 2.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "support/sim_process.h"

namespace zt::testing {
namespace {

struct Case {
    const char* program;
    QStringList args;
    bool display;  // false: no display and no platform chosen, as on a console
    int exitCode;
    const char* firstLine;              // pattern
    std::vector<const char*> contains;  // in standard output, or in standard error on failure
};

RunResult RunCase(const Case& c) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (c.display) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
        env.remove("QT_QPA_PLATFORM");
    }
    return RunProgram(c.program, c.args, 15000, env);
}

TEST(InformationOptions, AnswerOnAConsoleAndRefuseWrongOptions) {
    const char* version = R"(^%1 \d+\.\d+\.\d+$)";
    const Case cases[] = {
        {"zt790prog", {"--version"}, false, 0, version, {"License GPLv3+"}},
        {"zt790prog", {"-v"}, false, 0, version, {"NO WARRANTY"}},
        {"zt790prog",
         {"--help"},
         false,
         0,
         "^Usage: .*zt790prog \\[options\\] \\[file\\]$",
         {"--version", "--language <en|zh>", "--advanced"}},
        {"zt790prog", {"--bogus"}, true, 2, "^$", {"Unknown option 'bogus'"}},
        {"zt790sim", {"--version"}, false, 0, version, {"License GPLv3+"}},
        {"zt790sim", {"--help"}, false, 0, "^zt790sim: ", {"Exit status:", "--line-fault"}},
        {"zt790sim", {"--bogus"}, false, 2, "^$", {"--bogus"}},
        {"zt790sim", {"--fault", "vanish@3"}, false, 2, "^$", {"unknown fault 'vanish'"}},
        {"zt790sim", {"--line-fault", "melt@to-radio:1"}, false, 2, "^$", {"line fault 'melt'"}},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.program) + " " + c.args.join(' ').toStdString();
        const RunResult r = RunCase(c);
        EXPECT_EQ(r.exitCode, c.exitCode) << name << "\n" << r.err;
        const QString out = QString::fromStdString(r.out);
        const QString firstLine = out.section('\n', 0, 0);
        const QRegularExpression pattern(QString(c.firstLine).replace("%1", c.program));
        EXPECT_TRUE(pattern.match(firstLine).hasMatch()) << name << ": " << r.out;
        const std::string& text = c.exitCode == 0 ? r.out : r.err;
        for (const char* part : c.contains)
            EXPECT_NE(text.find(part), std::string::npos) << name << ": " << part << "\n" << text;
    }
}

}  // namespace
}  // namespace zt::testing
