// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog's command line: what each option asks for and what is refused.
#include <gtest/gtest.h>

#include "app/program_options.h"

namespace zt::testing {
namespace {

TEST(ProgramOptions, ReadsEachOptionAndRefusesWhatItDoesNotKnow) {
    struct Case {
        QStringList args;
        bool chinese;
        bool advanced;
        const char* file;
        const char* error;
    };
    const Case cases[] = {
        {{}, false, false, "", ""},
        {{"radio.chann"}, false, false, "radio.chann", ""},
        {{"--language", "zh"}, true, false, "", ""},
        {{"--language=zh", "--advanced", "a.csv"}, true, true, "a.csv", ""},
        {{"--advanced"}, false, true, "", ""},
        {{"--language", "en"}, false, false, "", ""},
        {{"--", "-odd.chann"}, false, false, "-odd.chann", ""},
        {{"--language", "fr"}, false, false, "", "--language must be en or zh, not fr"},
        {{"--language"}, false, false, "", "Missing value after '--language'."},
        {{"--lang", "zh"}, false, false, "", "Unknown option 'lang'."},
        {{"a.chann", "b.chann"}, false, false, "", "only one file can be opened: b.chann"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QCommandLineParser parser;
        DescribeOptions(parser);
        const ProgramOptions o = ParseProgramOptions(parser, QStringList{"zt790prog"} + c.args);
        EXPECT_EQ(o.error, c.error);
        if (!o.error.empty()) continue;
        EXPECT_EQ(o.chinese, c.chinese);
        EXPECT_EQ(o.advanced, c.advanced);
        EXPECT_EQ(o.file, c.file);
    }
}

}  // namespace
}  // namespace zt::testing
