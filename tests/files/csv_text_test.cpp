#include "files/csv_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvText, SplitsQuotedFieldsAndCountsLines) {
    const CsvParse p = ParseCsvText(
        "\xEF\xBB\xBF"
        "a,b,c\r\n"
        "\"x,y\",\"say \"\"hi\"\"\",\r\n"
        "\"two\nlines\",z\n"
        "\n"
        "last");
    ASSERT_TRUE(p.error.empty());
    ASSERT_EQ(p.records.size(), 5u);
    EXPECT_EQ(p.records[0].fields, (Fields{"a", "b", "c"}));
    EXPECT_EQ(p.records[1].fields, (Fields{"x,y", "say \"hi\"", ""}));
    EXPECT_EQ(p.records[2].fields, (Fields{"two\nlines", "z"}));
    EXPECT_EQ(p.records[2].line, 3);
    EXPECT_TRUE(p.records[3].Blank());
    EXPECT_EQ(p.records[3].line, 5);
    EXPECT_EQ(p.records[4].line, 6);
    EXPECT_EQ(p.records[4].fields, (Fields{"last"}));
}

TEST(CsvText, UnclosedQuoteIsAnErrorOnItsLine) {
    const CsvParse p = ParseCsvText("a,b\r\n1,\"open\r\n2,3\r\n");
    EXPECT_EQ(p.error, "a quoted field is not closed");
    EXPECT_EQ(p.errorLine, 2);
}

TEST(CsvText, FieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(CsvField("AB"), "AB");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField(" A"), "\" A\"");
    EXPECT_EQ(CsvLine({"1", "x,y", ""}), "1,\"x,y\",\r\n");
    // What is written reads back as it was.
    const Fields original{"a,b", "\"q\"", " lead", "line\nbreak", ""};
    const CsvParse p = ParseCsvText(CsvLine(original));
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0].fields, original);
}

}  // namespace
}  // namespace zt
