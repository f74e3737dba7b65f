// SPDX-License-Identifier: GPL-3.0-or-later
// zt790prog's command line: what each option asks for, what is refused, and
// the toolkit's own options passing through.
#include <gtest/gtest.h>

#include "app/program_options.h"

namespace zt::testing {
namespace {

using Action = ProgramOptions::Action;

TEST(ProgramOptions, ReadsEachOptionAndRefusesWhatItDoesNotKnow) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        bool chinese;
        bool advanced;
        const char* file;
        const char* error;
    };
    const Case cases[] = {
        {{}, Action::Run, false, false, "", ""},
        {{"radio.chann"}, Action::Run, false, false, "radio.chann", ""},
        {{"--language", "zh"}, Action::Run, true, false, "", ""},
        {{"--language=zh", "--advanced", "a.csv"}, Action::Run, true, true, "a.csv", ""},
        {{"--language", "zh", "--language", "en"}, Action::Run, false, false, "", ""},
        {{"--advanced"}, Action::Run, false, true, "", ""},
        // Qt's options, with their values, are not files.
        {{"-style", "Windows", "-platform=offscreen", "--reverse", "x.chann"},
         Action::Run,
         false,
         false,
         "x.chann",
         ""},
        {{"--", "-odd.chann"}, Action::Run, false, false, "-odd.chann", ""},
        {{"--help", "--bogus"}, Action::Help, false, false, "", ""},
        {{"-h"}, Action::Help, false, false, "", ""},
        {{"--version"}, Action::Version, false, false, "", ""},
        {{"--language", "fr"},
         Action::Error,
         false,
         false,
         "",
         "--language must be en or zh, not fr"},
        {{"--language"}, Action::Error, false, false, "", "--language needs en or zh"},
        {{"--lang", "zh"}, Action::Error, false, false, "", "unknown option --lang"},
        {{"-advanced"}, Action::Error, false, false, "", "unknown option -advanced"},
        {{"a.chann", "b.chann"},
         Action::Error,
         false,
         false,
         "",
         "only one file can be opened: b.chann"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const ProgramOptions o = ParseProgramOptions(c.args);
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.error, c.error);
        if (c.action != Action::Run) continue;
        EXPECT_EQ(o.chinese, c.chinese);
        EXPECT_EQ(o.advanced, c.advanced);
        EXPECT_EQ(o.file, c.file);
    }
}

}  // namespace
}  // namespace zt::testing
