// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_options.h"

namespace zt {

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Programming software for ZT790 and MV4L handheld FM radios: reads a radio's memory "
        "over a programming cable, edits it and writes it back. Press F1 in any window for the "
        "user manual.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({"language",
                      "Start with the interface in English (en, the default) or Chinese (zh).",
                      "en|zh"});
    parser.addOption({"advanced",
                      "Show the menu entries hidden in a normal run: Key Assignment, Scan "
                      "Information, Embedded Message and the Language menu."});
    parser.addPositionalArgument("file",
                                 "A channel file (.chann) to open at start-up, or a CSV file "
                                 "whose channels are imported into the blank image.",
                                 "[file]");
}

ProgramOptions ParseProgramOptions(QCommandLineParser& parser, const QStringList& arguments) {
    ProgramOptions o;
    if (!parser.parse(arguments)) {
        o.error = parser.errorText().toStdString();
        return o;
    }
    if (parser.isSet("language")) {
        const QString language = parser.value("language");
        if (language != "en" && language != "zh") {
            o.error = "--language must be en or zh, not " + language.toStdString();
            return o;
        }
        o.chinese = language == "zh";
    }
    o.advanced = parser.isSet("advanced");
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        o.error = "only one file can be opened: " + files[1].toStdString();
        return o;
    }
    if (!files.isEmpty()) o.file = files.front();
    return o;
}

}  // namespace zt
