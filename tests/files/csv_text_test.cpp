// The CSV text rules and the tone columns of the generic layout.
#include <gtest/gtest.h>

#include "files/csv_text.h"
#include "files/csv_tones.h"
#include "model/tone_codec.h"

namespace zt {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvText, SplitsQuotedFieldsCountsLinesAndQuotesOnlyWhenNeeded) {
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
    EXPECT_EQ(CsvLine({"AB", "", "a,b", "say \"hi\"", " A"}),
              "AB,,\"a,b\",\"say \"\"hi\"\"\",\" A\"\r\n");
    const Fields original{"a,b", "\"q\"", " lead", "line\nbreak", ""};
    const CsvParse back = ParseCsvText(CsvLine(original));
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].fields, original);
    const CsvParse open = ParseCsvText("a,b\r\n1,\"open\r\n2,3\r\n");
    EXPECT_EQ(open.error, "a quoted field is not closed");
    EXPECT_EQ(open.errorLine, 2);
}

constexpr int kD023N = 52;                                     // DCS 023, normal
constexpr int kD023I = kD023N + kToneDcsNEnd - kToneCtcssEnd;  // DCS 023, inverted
constexpr int kD025N = 53;
constexpr int k885 = 9;    // 88.5 Hz
constexpr int k1000 = 13;  // 100.0 Hz
constexpr int k2541 = 50;  // 254.1 Hz

std::string Joined(const CsvToneColumns& c) {
    return c.tone + "," + c.rToneFreq + "," + c.cToneFreq + "," + c.dtcsCode + "," +
           c.dtcsPolarity + "," + c.rxDtcsCode + "," + c.crossMode;
}

TEST(CsvTones, EveryCombinationComesBack) {
    for (int rx = 0; rx <= kToneDcsIEnd; ++rx) {
        for (int tx = 0; tx <= kToneDcsIEnd; ++tx) {
            const auto back = TonesFromColumns(ToneColumnsFor({rx, tx}));
            ASSERT_TRUE(std::holds_alternative<CsvTones>(back)) << rx << " " << tx;
            ASSERT_EQ(std::get<CsvTones>(back), (CsvTones{rx, tx})) << rx << " " << tx;
        }
    }
}

TEST(CsvTones, ColumnsFollowTheGenericLayout) {
    // Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode.
    const struct {
        CsvTones tones;
        const char* columns;
    } cases[] = {
        {{0, 0}, ",88.5,88.5,023,NN,023,Tone->Tone"},
        {{0, k1000}, "Tone,100.0,88.5,023,NN,023,Tone->Tone"},
        {{k2541, k2541}, "TSQL,254.1,254.1,023,NN,023,Tone->Tone"},
        {{k885, k1000}, "Cross,100.0,88.5,023,NN,023,Tone->Tone"},
        {{k885, 0}, "Cross,88.5,88.5,023,NN,023,->Tone"},
        {{kD023N, kD023N}, "DTCS,88.5,88.5,023,NN,023,Tone->Tone"},
        {{kD023I, kD023N}, "DTCS,88.5,88.5,023,NR,023,Tone->Tone"},
        {{kD023N, kD023I}, "DTCS,88.5,88.5,023,RN,023,Tone->Tone"},
        {{kD025N, kD023I}, "Cross,88.5,88.5,023,RN,025,DTCS->DTCS"},
        {{0, kD023I}, "Cross,88.5,88.5,023,RN,023,DTCS->"},
        {{kD025N, 0}, "Cross,88.5,88.5,023,NN,025,->DTCS"},
        {{kD023I, k1000}, "Cross,100.0,88.5,023,NR,023,Tone->DTCS"},
        {{k885, kD025N}, "Cross,88.5,88.5,025,NN,023,DTCS->Tone"},
        {{kToneDcsIEnd, kToneDcsIEnd}, "DTCS,88.5,88.5,754,RR,754,Tone->Tone"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Joined(ToneColumnsFor(c.tones)), c.columns) << c.tones.rx << "/" << c.tones.tx;
    }
}

TEST(CsvTones, ReadsWhatOtherToolsWriteAndRefusesWhatThisRadioCannotStore) {
    // Loose spellings: two decimals, codes without leading zero, other case,
    // and columns the mode does not use holding values this radio lacks.
    const struct {
        CsvToneColumns columns;
        std::variant<CsvTones, std::string> result;
    } cases[] = {
        {{"tsql", "150.0", "100.00", "", "", "", ""}, CsvTones{k1000, k1000}},
        {{"DTCS", "", "", "23", "nr", "999", ""}, CsvTones{kD023I, kD023N}},
        {{"Cross", "100.0", "", "", "NN", "", "tone->"}, CsvTones{0, k1000}},
        {{"Tone", "88.5", "", "", "", "", ""}, CsvTones{0, k885}},
        {{"", "1", "2", "3", "XX", "4", "5"}, CsvTones{0, 0}},
        {{"TSQL", "", "150.0", "", "", "", ""},
         "cToneFreq \"150.0\" is not a CTCSS tone this radio has"},
        {{"Tone", "88.55", "", "", "", "", ""},
         "rToneFreq \"88.55\" is not a CTCSS tone this radio has"},
        {{"DTCS", "", "", "024", "NN", "", ""},
         "DtcsCode \"024\" is not a DCS code this radio has"},
        {{"DTCS", "", "", "023", "NX", "", ""}, "DtcsPolarity \"NX\" is not two letters N or R"},
        {{"Cross", "", "", "", "NN", "7", "->DTCS"},
         "RxDtcsCode \"7\" is not a DCS code this radio has"},
        {{"Cross", "", "", "", "", "", "DTCS-DTCS"},
         "CrossMode \"DTCS-DTCS\" is not one this radio can store"},
        {{"Cross", "", "", "", "", "", "->"}, "CrossMode \"->\" is not one this radio can store"},
        {{"TSQL-R", "", "88.5", "", "", "", ""},
         "Tone \"TSQL-R\" is not a squelch mode this radio can store"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TonesFromColumns(c.columns), c.result) << Joined(c.columns);
}

}  // namespace
}  // namespace zt
