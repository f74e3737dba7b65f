// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog's command line: a file to open, the interface language, the hidden
// menu entries, help and version. Qt's own options (-style, -platform, ...)
// are taken out by the application object before these are read.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <string>

namespace zt {

struct ProgramOptions {
    bool chinese = false;   // --language zh
    bool advanced = false;  // --advanced
    QString file;           // a .chann or .csv file to open at start-up
    std::string error;      // what is wrong with the command line; empty when nothing
};

// --help, --version, --language, --advanced and the file.
void DescribeOptions(QCommandLineParser& parser);

// What a command line (the program's name first) asks for, read by a parser
// that DescribeOptions made.
[[nodiscard]] ProgramOptions ParseProgramOptions(QCommandLineParser& parser,
                                                 const QStringList& arguments);

}  // namespace zt
