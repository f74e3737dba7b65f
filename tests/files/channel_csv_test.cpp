// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV text rules, the tone columns of the generic layout, and channels
// exported and imported through them.
#include "files/channel_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>
#include <sstream>
#include <variant>

#include "../model/table.h"
#include "files/csv_encoding.h"
#include "files/csv_import_report.h"
#include "files/csv_names.h"
#include "files/csv_text.h"
#include "files/csv_tones.h"
#include "files/latin_fold.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/name_codec.h"
#include "model/tone_codec.h"

namespace zt {

namespace {

// Refused or adjusted lines as the English interface words them, "line: text" each.
std::string Said(const std::vector<CsvLineMessage>& lines) {
    std::string out;
    for (const CsvLineMessage& m : lines)
        out += std::to_string(m.line) + ": " + CsvReasonsText(m.reasons).english + "\n";
    return out;
}

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
    // Blanks and tabs around a field go, unless quoted; tab-separated fields stay apart.
    EXPECT_EQ(ParseCsvText(" a ,\t\" b\t\" x\t, \"say \"\"hi\"\"\" ").records[0].fields,
              (Fields{"a", " b\t x", "say \"hi\""}));
    EXPECT_EQ(ParseCsvText("a\t\t b \t", '\t').records[0].fields, (Fields{"a", "", "b", ""}));
    const Fields original{"a,b", "\"q\"", " lead", "line\nbreak", ""};
    const CsvParse back = ParseCsvText(CsvLine(original));
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].fields, original);
}

std::string Joined(const CsvToneColumns& c) {
    return c.tone + "," + c.rToneFreq + "," + c.cToneFreq + "," + c.dtcsCode + "," +
           c.dtcsPolarity + "," + c.rxDtcsCode + "," + c.crossMode;
}

TEST(CsvTones, EveryCombinationComesBack) {
    for (int rx = 0; rx <= 264; ++rx) {  // off, 50 CTCSS tones, 107 DCS codes twice
        for (int tx = 0; tx <= 264; ++tx) {
            const auto back = TonesFromColumns(ToneColumnsFor({rx, tx}));
            ASSERT_TRUE(std::holds_alternative<CsvTones>(back)) << rx << " " << tx;
            ASSERT_EQ(std::get<CsvTones>(back), (CsvTones{rx, tx})) << rx << " " << tx;
        }
    }
}

// The decode and encode positions (9: 88.5 Hz, 13: 100.0 Hz, 52: DCS 023
// normal, 53: 025 normal, 159: 023 inverted, 264: 754 inverted), then the
// columns Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode,
// CrossMode.
constexpr const char* kToneColumns = R"(
0 13 | Tone,100.0,88.5,023,NN,023,Tone->Tone
9 13 | Cross,100.0,88.5,023,NN,023,Tone->Tone
9 0 | Cross,88.5,88.5,023,NN,023,->Tone
52 52 | DTCS,88.5,88.5,023,NN,023,Tone->Tone
159 52 | DTCS,88.5,88.5,023,NR,023,Tone->Tone
52 159 | DTCS,88.5,88.5,023,RN,023,Tone->Tone
0 159 | Cross,88.5,88.5,023,RN,023,DTCS->
53 0 | Cross,88.5,88.5,023,NN,025,->DTCS
159 13 | Cross,100.0,88.5,023,NR,023,Tone->DTCS
9 53 | Cross,88.5,88.5,025,NN,023,DTCS->Tone
264 264 | DTCS,88.5,88.5,754,RR,754,Tone->Tone
)";

TEST(CsvTones, ColumnsFollowTheGenericLayout) {
    for (const auto& [tones, columns] : Rows<2>(kToneColumns)) {
        CsvTones t;
        std::istringstream(tones) >> t.rx >> t.tx;
        EXPECT_EQ(Joined(ToneColumnsFor(t)), columns) << tones;
    }
}

// Loose spellings: two decimals, codes without leading zero, other case, and
// columns the mode does not use holding values this radio lacks. The columns
// Tone..CrossMode, then the decode and encode positions (9: 88.5 Hz, 13: 100.0
// Hz, 52: DCS 023 normal, 159: inverted) or why not.
constexpr const char* kLooseTones = R"(
tsql,150.0,100.00,,,, | 13 13
DTCS,,,23,nr,999, | 159 52
Cross,100.0,,,NN,,tone-> | 0 13
Tone,88.5,,,,, | 0 9
,1,2,3,XX,4,5 | 0 0
Cross,100.0,88.5,,,, | 9 13
DTCS,,,,,, | no DCS code in DtcsCode
Cross,,,,,,->DTCS | no DCS code in RxDtcsCode
Tone,88.55,,,,, | rToneFreq "88.55" is not a CTCSS tone this radio has
TSQL,,150.0,,,, | cToneFreq "150.0" is not a CTCSS tone this radio has
DTCS,,,023,NX,, | DtcsPolarity "NX" is not two letters N or R
Cross,,,,NN,7,->DTCS | RxDtcsCode "7" is not a DCS code this radio has
Cross,,,,,,DTCS-DTCS | CrossMode "DTCS-DTCS" is not one this radio can store
Cross,,,,,,-> | CrossMode "->" is not one this radio can store
TSQL-R,,88.5,,,, | Tone "TSQL-R" is not a squelch mode this radio can store
)";

TEST(CsvTones, ReadsWhatOtherToolsWriteAndRefusesWhatThisRadioCannotStore) {
    for (const auto& [columns, expected] : Rows<2>(kLooseTones)) {
        const Fields f = ParseCsvText(columns).records.at(0).fields;
        ASSERT_EQ(f.size(), 7u) << columns;
        const auto tones = TonesFromColumns({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
        const auto* why = std::get_if<CsvReason>(&tones);
        const CsvTones* t = std::get_if<CsvTones>(&tones);
        EXPECT_EQ(
            why ? CsvReasonText(*why).english : std::to_string(t->rx) + " " + std::to_string(t->tx),
            expected)
            << columns;
    }
}

constexpr int kLow = 0, kMid = 1, kHigh = 2;

// A used channel as the grid makes it.
void Use(Image& image, int c, const char* rx) {
    StoreRxText(image, c, rx);
    StoreBcd(image, c, kTxOffsetByte, UnitsToBcd(0));
    ApplyGridDefaults(image, c);
}

// A file of every kind of channel the editors can make: minus 9.4 MHz with
// CTCSS 100.0 both ways and Low; plus 7.6 MHz with DCS 245 inverted and 050
// normal, Mid, narrow and scan skipped; transmit stopped, named " LEAD".
Image VariedImage() {
    Image image = BlankImage();
    PutChannel(image, 1, "PMR1 446.00625 0 255:255 255:255 02 20 FFFF");
    PutChannel(image, 2, "RPT-A 439.9875 9.4 0:12 0:12 80 20 FFFF");
    PutChannel(image, 3, "X_+*9 430.0125 7.6 2:42 1:9 45 00 FFFF");
    PutChannel(image, 128, "XLEAD 469.99999 0 255:255 255:255 02 30 FFFF");
    image[199][11] = kBlankCode;  // " LEAD": channel 128's name ends row 199
    return image;
}

constexpr const char* kExpectedHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

TEST(ChannelCsv, ExportWritesTheGenericLayoutWithWattsAndImportsBack) {
    const std::string row1 =
        "1,PMR1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,\r\n";
    const std::string row3 =
        "3,X_+*9,430.012500,+,7.600000,Cross,88.5,88.5,050,NR,245,DTCS->DTCS,NFM,12.50,S,2.5W,,,,,"
        "\r\n";
    const std::string csv = FormatChannelCsv(VariedImage());
    EXPECT_EQ(csv,
              kExpectedHeader + row1 +
                  "2,RPT-A,439.987500,-,9.400000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,FM,"
                  "12.50,,1.0W,,,,,\r\n" +
                  row3 +
                  "128,\" LEAD\",469.999990,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,2.50,,"
                  "5.0W,,,,,\r\n");
    // Imported into a blank file it gives back the file (channel 128's
    // transmit is stopped: the layout carries no offset for it, and it had
    // none; its name's leading blank comes back).
    Image copy = BlankImage();
    const CsvImportResult r = ImportChannelCsv(csv, copy);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.channels, (std::vector<int>{1, 2, 3, 128}));
    EXPECT_TRUE(r.notes.empty());
    EXPECT_EQ(copy, VariedImage());
    // A chosen set of channels, in the order given; an empty one has no row.
    EXPECT_EQ(FormatChannelCsv(VariedImage(), std::vector<int>{3, 50, 1}),
              kExpectedHeader + row3 + row1);
    // Other nominal powers are written as such.
    EXPECT_TRUE(FormatChannelCsv(VariedImage(), CsvPowerLevels{{500, 2000, 4000}})
                    .find(",FM,6.25,,4.0W,") != std::string::npos);
}

TEST(ChannelCsv, TuningStepIsTheLargestUsualStepTheFrequencyIsAMultipleOf) {
    const std::pair<FreqUnits, const char*> cases[] = {
        {44610000, "25.00"}, {44601250, "12.50"}, {44600625, "6.25"}, {44601000, "5.00"},
        {44600500, "5.00"},  {44600750, "2.50"},  {44600001, "2.50"},
    };
    for (const auto& [units, step] : cases) EXPECT_EQ(TuningStepText(units), step) << units;
}

TEST(ChannelCsv, ImportBackIntoTheSameFileChangesNothing) {
    // Bytes the layout cannot carry: VOX, BCL, the unused flag bits, bytes 14
    // and 15, the offset of a stopped channel, a direction of 3, power 3, a
    // trailing blank in a name, tone bytes the editors show as off.
    Image image = VariedImage();
    PutChannel(image, 1, "PMR1 446.00625 0 255:255 255:255 3A EF 0709");
    StoreTxMHz(image, 128, 46500000);
    PutChannel(image, 2, "AB 439.9875 9.4 0:12 0:12 83 20 FFFF");
    image[160][5 + 2] = kBlankCode;  // "AB ": channel 2 is the second name of row 160
    // Direction 3 reads as simplex; tone type 9 the editors show as off.
    PutChannel(image, 4, "- 450 0.12345 9:255 255:255 C2 20 FFFF");
    // A radio may hold 470.5 MHz with limits 400..470 (the write check compares
    // whole MHz); importing its own export must not refuse it, though a blank
    // file refuses it.
    Use(image, 5, "470.5");
    const Image before = image;
    const CsvImportResult r = ImportChannelCsv(FormatChannelCsv(image), image);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(image, before);
    Image blank = BlankImage();
    EXPECT_EQ(Said(ImportChannelCsv(FormatChannelCsv(before), blank).problems),
              "6: receive frequency 470.500000 MHz is outside the band 400..470 MHz\n");
}

// A channel as name, receive and transmit texts, tone pairs and bytes 12..15 in
// hex (byte 12: power 0..2, 04 scan skip, 40/80 direction; byte 13: 10 TX stop,
// 20 wide).
std::string Describe(const Image& image, int c) {
    const auto& r = image[static_cast<std::size_t>(c)];
    char text[64];
    std::snprintf(text, sizeof text, " %d:%d %d:%d %02X %02X %02X%02X", r[8], r[9], r[10], r[11],
                  r[12], r[13], r[14], r[15]);
    return ReadName(image, c) + " " + RxText(image, c) + " " + TxText(image, c) + text;
}

int Power(const Image& image, int c) { return image[static_cast<std::size_t>(c)][12] & 3; }

// A list as radio users publish them: numbered from 0, a byte-order mark, a
// quoted header, CR LF, long names with punctuation, a VHF row among UHF ones,
// a negative offset, a row of another mode, powers in watts and by name.
constexpr const char* kPublished =
    "\xEF\xBB\xBF\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\","
    "\"rToneFreq\",\"Mode\",\"Power\"\r\n"
    "0,PMR446 Channel 01,446.00625,,,,,NFM,0.5W\r\n"
    "1,PMR446 Channel 02,446.01875,,,,,NFM,0.5 W\r\n"
    "2,2m Calling,145.500000,,,,,FM,50W\r\n"
    "3,GB3PX (Cambridge),430.8375,-,-7.6,Tone,77.0,FM,4W\r\n"
    "4,Digital Voice,438.5,,,,,DV,5W\r\n"
    "5,Site Base,451.25,,,,,FM,High\r\n";

constexpr const char* kPublishedNotes = R"-(2: name "PMR446 Channel 01" stored as "PMR01"
2: power 0.5 W is below Low (1.0 W), the least the radio transmits: stored as Low
3: name "PMR446 Channel 02" stored as "PMR02"
5: Offset "-7.6" with Duplex "-" read by its sign: transmit 438.437500 MHz
5: name "GB3PX (Cambridge)" stored as "GB3PX"
7: name "Site Base" stored as "SITE"
0: 4 names changed to fit the radio (five characters of A-Z, 0-9, blank, - _ + *)
0: powers in watts stored as the highest level not above them (Low 1.0 W, Mid 2.5 W, High 5.0 W): 0.5 W as Low, 4.0 W as Mid
)-";

TEST(ChannelCsv, PublishedListStoresWhatFitsWithNotes) {
    Image image = BlankImage();
    const CsvImportResult r = ImportChannelCsv(kPublished, image, {true, 1});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.channels, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Said(r.problems),
              "4: receive frequency 145.500000 MHz is outside the band 400..470 MHz\n"
              "6: Mode \"DV\" is not FM (wide) or NFM (narrow)\n");
    EXPECT_EQ(Said(r.notes), kPublishedNotes);
    const char* expected[] = {
        "PMR01 446.00625 446.00625 255:255 255:255 00 00 FFFF",
        "PMR02 446.01875 446.01875 255:255 255:255 00 00 FFFF",
        "GB3PX 430.83750 438.43750 255:255 0:4 41 20 FFFF",
        "SITE 451.25000 451.25000 255:255 255:255 02 20 FFFF",
    };
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(Describe(image, c), expected[c - 1]);
}

TEST(ChannelCsv, EveryCombinationOfTheOptions) {
    // A file with channels 1..20 and 100 in use and named.
    Image base = BlankImage();
    for (int c : {1, 2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 100}) {
        Use(base, c, "440.5");
        WriteName(base, c, "OLD");
    }
    const struct {
        CsvImportOptions options;
        bool ok;
        std::vector<int> channels, problemLines;
        std::size_t emptied;
        bool hint;
    } cases[] = {
        {{false}, false, {}, {2, 4, 6}, 0, true},
        {{true}, true, {1, 3, 5}, {2, 4, 6}, 0, true},
        {{false, 1}, false, {}, {4, 6}, 0, false},
        {{true, 1}, true, {1, 2, 3, 4}, {4, 6}, 0, false},
        {{true, 127}, true, {127, 128}, {4, 5, 6, 7}, 0, false},
        {{true, 1, true}, true, {1, 2, 3, 4}, {4, 6}, 16, false},
        {{true, {}, true}, true, {1, 3, 5}, {2, 4, 6}, 16, true},
        {{false, 1, true}, false, {}, {4, 6}, 0, false},
        {{false, 0}, false, {}, {0}, 0, false},
    };
    for (const auto& c : cases) {
        Image image = base;
        const CsvImportResult r = ImportChannelCsv(kPublished, image, c.options);
        const std::string label = std::to_string(c.options.skipInvalid) + " " +
                                  std::to_string(c.options.renumberFrom.value_or(-1)) + " " +
                                  std::to_string(c.options.replace);
        EXPECT_EQ(r.ok, c.ok) << label;
        EXPECT_EQ(r.channels, c.channels) << label;
        std::vector<int> lines;
        for (const CsvLineMessage& p : r.problems) lines.push_back(p.line);
        EXPECT_EQ(lines, c.problemLines) << label;
        EXPECT_EQ(r.emptied.size(), c.emptied) << label;
        EXPECT_EQ(r.renumberingWouldHelp, c.hint) << label;
        if (!c.ok) {
            EXPECT_EQ(image, base) << label;
        }
        for (int ch = 1; ch <= 128 && c.ok; ++ch) {
            const bool stored = std::count(c.channels.begin(), c.channels.end(), ch) > 0;
            const bool kept = !c.options.replace && !IsChannelEmpty(base, ch);
            EXPECT_EQ(!IsChannelEmpty(image, ch), stored || kept) << label << " channel " << ch;
            if (!stored && !kept) {
                EXPECT_EQ(ReadName(image, ch), "") << label << " " << ch;
            }
        }
    }
    Image image = base;
    EXPECT_TRUE(
        Said(ImportChannelCsv(kPublished, image, {true, 127}).problems)
            .find("\n5: no channel left for this row: the rows fill channels 127 to 128\n") !=
        std::string::npos);
    EXPECT_TRUE(Said(ImportChannelCsv(kPublished, image, {true, 128}).problems)
                    .starts_with("3: no channel left for this row: the rows fill channel 128\n"));
}

TEST(ChannelCsv, PowerIsNeverAboveWhatTheFileAsks) {
    const struct {
        const char* power;
        int level;        // with Low 1, Mid 2.5, High 5 W
        int customLevel;  // with Low 0.5, Mid 2, High 4 W
    } cases[] = {
        {"", kHigh, kHigh},    {"Low", kLow, kLow},   {"mid", kMid, kMid},   {"HI", kHigh, kHigh},
        {"0.5W", kLow, kLow},  {"500mW", kLow, kLow}, {"1W", kLow, kLow},    {"2.4 W", kLow, kMid},
        {"2.5W", kMid, kMid},  {"3.9", kMid, kMid},   {"4.0W", kMid, kHigh}, {"5.0W", kHigh, kHigh},
        {"50W", kHigh, kHigh},
    };
    std::string csv = "Location,Frequency,Power\n";
    int c = 0;
    for (const auto& p : cases) csv += std::to_string(++c) + ",446.1," + p.power + "\n";
    for (const CsvPowerLevels levels : {CsvPowerLevels{}, CsvPowerLevels{{500, 2000, 4000}}}) {
        Image image = BlankImage();
        const CsvImportResult r = ImportChannelCsv(csv, image, {.power = levels});
        ASSERT_TRUE(r.ok);
        c = 0;
        for (const auto& p : cases) {
            EXPECT_EQ(Power(image, ++c), levels == CsvPowerLevels{} ? p.level : p.customLevel)
                << p.power << " " << levels.milliwatts[0];
        }
    }
}

TEST(ChannelCsv, PowerLevelsOptionText) {
    const std::pair<const char*, const char*> bad[] = {
        {"1,2.5", "give three powers in watts, Low, Mid and High, such as 1,2.5,5"},
        {"1,2,3,4", "give three powers in watts, Low, Mid and High, such as 1,2.5,5"},
        {"5,2.5,1", "the powers must rise from Low to Mid to High"},
        {"1,1,5", "the powers must rise from Low to Mid to High"},
        {"1,x,5", "\"x\" is not a power in watts"},
        {"0,1,2", "\"0\" is not a power in watts"},
    };
    BiString error;
    EXPECT_EQ(ParsePowerLevels("0.5, 2W ,4", error), (CsvPowerLevels{{500, 2000, 4000}}));
    for (const auto& [text, why] : bad) {
        EXPECT_EQ(ParsePowerLevels(text, error), std::nullopt) << text;
        EXPECT_EQ(error.english, why);
    }
}

// Source names -> stored names, a whole list at a time; a counter of two
// digits still leaves five characters.
constexpr const char* kNameLists = R"(
CQ0UOAZ|CQ0UOAZ*|CQ0DUE|GB3PX (Cambridge) -> 0UOAZ|UOAZ*|0DUE|GB3PX
9M4RBC|9M2RKK|VU2CHQ|9W2RKK -> 4RBC|M2RKK|2CHQ|W2RKK
VK2RAG Sydney|VK2RAG Newcastle|DB0ABC-1|DB0ABC-2|KC1XY -> 2RAGS|2RAGN|0ABC1|0ABC2|KC1XY
PMR16|PMR2-01|PMR16-08|PMR446 3.12 -> PMR16|P2-01|16-08|P3-12
ARES01|AREC01|ARES02|Denver 1 -> ARS01|ARC01|ARS02|DNVR1
PMR446 Channel 01|PMR446 Channel 16 -> PMR01|PMR16
PMR44|PMR446 Ch 1 -> PMR44|PMR1
Marine Ch 68|Marine Ch 21A|Marine Ch 1078 -> MRN68|MR21A|M1078
Simple Site (Business): Base -> SIMPL
Simple Site (Business): Base|Simple Site (Business): Mobile -> SBASE|SMOBI
Site A Base|Site B Base|Site Base -> SITEA|SITEB|SITE
FRS 1|FRS 10|70cm Rpt 0|70cm Rpt 10 -> FRS 1|FRS10|70CM0|70C10
Fóia|São Miguel|Foia|St. Louis|Ch.16|日本 -> FOIA1|SAOMI|FOIA|STLOU|CH16|
pmr1| PMR1 |Pmr1|a-1|A(1)|A[1] -> PMR1| PMR1|PMR1|A-1|A1|A11
ABCD(1|ABCD[1|ABCD{1|ABCD<1|ABCD.1|ABCD/1|ABCD:1|ABCD;1|ABCD=1|ABCD?1|ABCD!1 -> ABCD1|ABCD2|ABCD3|ABCD4|ABCD5|ABCD6|ABCD7|ABCD8|ABCD9|ABC10|ABC11
)";

TEST(CsvNames, ShortNamesKeepWhatTellsThemApart) {
    std::istringstream lists(kNameLists);
    for (std::string line; std::getline(lists, line);) {
        if (line.empty()) continue;
        const std::size_t arrow = line.find(" -> ");
        std::vector<std::string> given;
        std::istringstream names(line.substr(0, arrow));
        for (std::string name; std::getline(names, name, '|');) given.push_back(name);
        std::string stored;
        for (const std::string& name : RadioNames(given)) stored += "|" + name;
        EXPECT_EQ(stored.substr(1), line.substr(arrow + 4)) << line;
    }
    // Names kept on other channels are not made again.
    EXPECT_EQ(RadioNames({"ARES01", "9M4RBC"}, {"ARS01", "4RBC"}),
              (std::vector<std::string>{"ARES0", "M4RBC"}));
    EXPECT_EQ(AlikeNames({"pmr1", "PMR1", "A(1)", "Sao", "a 1", "pmr1", "São", "PMR1"}),
              (std::vector<int>{-1, 0, -1, -1, 2, -1, 3, -1}));
    EXPECT_EQ(FoldLatin(U"Æß Łódź Œ× ÿ"), U"AEss Lodz OE× y");
}

// Lists drawn from the shapes published lists have: distinct names stay
// distinct, and no made name is another row's own name or a kept one.
TEST(CsvNames, ListsOfEveryShapeStayDistinct) {
    std::mt19937 random(25);
    auto number = [&](unsigned high) { return std::to_string(random() % (high + 1)); };
    const char* heads[3][8] = {
        {"CQ", "9M", "9W", "VU", "G", "DB", "VK", "KC"},
        {"PMR", "FRS", "CH", "PMR446 ", "Ch ", "P", "LPD", "FRS "},
        {"ARES", "AREC", "Marine ", "Site", "Denver ", "Club ", "Net 0", "R"}};
    const std::set<std::string> kept{"ARS01", "0ABC", "P1-01", "MRN10"};
    for (int list = 0; list < 300; ++list) {
        std::vector<std::string> names;  // callsigns, sub-channels, words with numbers
        for (auto rows = 2 + random() % 127; rows > 0; --rows) {
            const auto shape = random() % 3;
            std::string n = heads[shape][random() % 8] + number(shape == 0 ? 9 : 99);
            for (auto k = shape == 0 ? 1 + random() % 4 : 0; k > 0; --k)
                n += char('A' + random() % 26);
            if (shape == 1) n += (random() % 2 ? "-0" : ".") + number(38);
            names.push_back(n + (random() % 5 == 0 ? "*" : ""));
        }
        const std::vector<std::string> stored = RadioNames(names, kept);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string own = NameKey(names[i]);
            ASSERT_LE(stored[i].size(), 5u) << names[i];
            ASSERT_TRUE(stored[i] == own || !kept.contains(stored[i])) << names[i];
            for (std::size_t j = 0; j < names.size(); ++j) {
                if (own == NameKey(names[j])) continue;
                ASSERT_NE(stored[i], stored[j]) << names[i] << " / " << names[j];
                ASSERT_NE(stored[i], NameKey(names[j])) << names[i] << " / " << names[j];
            }
        }
    }
}

// Rows as published lists write them ("\n" between two), each into the varied
// file: "rows | the channel stored (0: refused) | its description | what was
// said about the rows (line: text), or for a refused row the problem".
constexpr const char* kListRows = R"(
5,,431.35,-,-7.6000 | 5 |  431.35000 438.95000 255:255 255:255 42 20 FFFF | 2: Offset "-7.6000" with Duplex "-" read by its sign: transmit 438.950000 MHz
5,,446.1,+,-0.6 | 5 |  446.10000 445.50000 255:255 255:255 82 20 FFFF | 2: Offset "-0.6" with Duplex "+" read by its sign: transmit 445.500000 MHz
5,A,	446.1	,,,Cross,100.0,88.5, | 5 | A 446.10000 446.10000 0:8 0:12 02 20 FFFF |
128,,469.9,-,1 | 128 |  469.90000 468.90000 255:255 255:255 82 20 FFFF |
5,PMR446 Ch 1,446.1 | 5 | PMR44 446.10000 446.10000 255:255 255:255 02 20 FFFF | 2: name "PMR446 Ch 1" stored as "PMR44"
1,PMR446 Ch 1,446.1 | 1 | PMR1 446.10000 446.10000 255:255 255:255 02 20 FFFF | 2: name "PMR446 Ch 1" stored as "PMR1"
5,pmr1,446.1\n6,PMR1,446.2 | 6 | PMR1 446.20000 446.20000 255:255 255:255 02 20 FFFF | 3: name "PMR1" differs from "pmr1" on line 2 only in case, accents or punctuation
5,,446.1,,,DTCS | 0 |  | 2: no DCS code in DtcsCode
)";

// Row 3 has tabs around its frequency; row 4 transmits onto channel 128, whose
// transmit was stopped: it starts again. Without duplex and power columns, and
// with Mode empty, a row is simplex, wide and High, as the grid makes a new
// channel. Every other channel stays as it was, names sharing a row included.
TEST(ChannelCsv, RowsReadAsTheListMeantThem) {
    const Image before = VariedImage();
    for (const auto& [rows, expected] : Rows<2>(kListRows)) {
        const int channel = std::stoi(expected);
        const auto stored = [&rows](int c) {  // some row names channel c
            return ("\n" + rows).find("\n" + std::to_string(c) + ",") != std::string::npos;
        };
        Image image = before;
        const CsvImportResult r = ImportChannelCsv(
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode\n" + rows, image);
        std::string got = std::to_string(r.ok ? channel : 0) + " | " +
                          (r.ok ? Describe(image, channel) : "") + " |";
        for (int row = 0; row < 256; ++row) {  // rows 160..199 hold the names
            if (!stored(row) && (row < 160 || row > 199)) {
                EXPECT_EQ(image[row], before[row]) << rows << " " << row;
            }
        }
        for (int c = 1; c <= 128; ++c) {
            if (!stored(c)) {
                EXPECT_EQ(ReadName(image, c), ReadName(before, c)) << rows << c;
            }
        }
        for (const CsvLineMessage& m : r.ok ? r.notes : r.problems) {
            if (m.line != 0)
                got += " " + std::to_string(m.line) + ": " + CsvReasonsText(m.reasons).english;
        }
        EXPECT_EQ(got, expected) << rows;
    }
}

TEST(CsvEncoding, Utf16IsReadWithOrWithoutItsMark) {
    using namespace std::literals;
    const struct {
        std::string_view bytes;
        std::string text;  // UTF-8, or why not
    } cases[] = {
        {"\377\376A\0\363\0"sv, "A\xC3\xB3"},
        {"\376\377\0A\x20\xAC"sv, "A\xE2\x82\xAC"},
        {"L\0o\0c\0,\0"sv, "Loc,"},
        {"\0L\0o\0c\0,"sv, "Loc,"},
        {"\377\376=\330\0\336"sv, "\xF0\x9F\x98\x80"},
        {"F\xC3\xB3ia"sv, "F\xC3\xB3ia"},
        {"\377\376\0\334"sv,
         "the file is UTF-16 text with a broken character at byte 2; save it again as UTF-8 or "
         "UTF-16"},
        {"\377\376A\0B"sv,
         "the file is UTF-16 text with a broken character at byte 4; save it "
         "again as UTF-8 or UTF-16"},
    };
    for (const auto& c : cases) {
        const auto text = CsvTextFromBytes(c.bytes);
        const auto* why = std::get_if<CsvReason>(&text);
        EXPECT_EQ(why ? CsvReasonText(*why).english : std::get<std::string>(text), c.text)
            << c.text;
    }
    // The import reads through it.
    const std::u16string file = u"\uFEFFLocation,Name,Frequency\r\n3,Fóia,446.1\r\n";
    std::string bytes;
    for (const char16_t u : file) bytes += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    Image image = BlankImage();
    ASSERT_TRUE(ImportChannelCsv(bytes, image).ok);
    EXPECT_EQ(ReadName(image, 3), "FOIA");
}

TEST(ChannelCsv, RefusalNamesEveryBadRowAndChangesNothing) {
    // A row a line, then the problem found on its line (none: the row alone is
    // fine). The band is low up to but not including high.
    const char* const kRows = R"(
0,A,446.1,,,,,,,,,,FM,,,High, | channel 0 is not between 1 and 128
129,A,446.1,,,,,,,,,,FM,,,High, | channel 129 is not between 1 and 128
x,A,446.1,,,,,,,,,,FM,,,High, | Location "x" is not a channel number
,A,446.1,,,,,,,,,,FM,,,High, | no channel number in Location
7,A,446.1234567,,,,,,,,,,FM,,,High, | Frequency "446.1234567" is not a frequency in MHz to 10 Hz (such as 446.00625)
10,A,446.1,,,DTCS,,,024,NN,,,AM,,X,Max, | Mode "AM" is not FM (wide) or NFM (narrow); Skip "X" is not S, P or empty; Power "Max" is not Low, Mid, High or a power in watts; DtcsCode "024" is not a DCS code this radio has
1,A,446.2,,,,,,,,,,FM,,,High, | channel 1 is already set on line 2
11,A,,,,,,,,,,,FM,,,High, | no receive frequency in Frequency
12,A,446.1,sideways,,,,,,,,,FM,,,High, | Duplex "sideways" is not one of +, -, split, off or empty
13,A,446.1,+,abc,,,,,,,,FM,,,High, | Offset "abc" is not an offset in MHz to 10 Hz
14,A,446.1,split,-446.2,,,,,,,,FM,,,High, | transmit frequency below 0 is outside the band 400..470 MHz
15,A,400.5,-,1,,,,,,,,FM,,,High,,extra | more fields than the header names; transmit frequency 399.500000 MHz is outside the band 400..470 MHz
20,A,400.00000 |
21,A,469.99999 |
22,A,470.00000 | receive frequency 470.000000 MHz is outside the band 400..470 MHz
23,A,399.99999 | receive frequency 399.999990 MHz is outside the band 400..470 MHz
24,A,469.0,+,0.99999 |
25,A,469.0,+,1 | transmit frequency 470.000000 MHz is outside the band 400..470 MHz
26,A,400.5,split,400 |
27,A,400.5,-,0.50001 | transmit frequency 399.999990 MHz is outside the band 400..470 MHz
28,A,400.5,+,-0.6 | transmit frequency 399.900000 MHz is outside the band 400..470 MHz
)";
    std::string csv =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n"
        "1,OK,446.1,,,,,,,,,,FM,,,High,\r\n";
    std::string expected;
    int line = 3;
    for (const auto& [row, problem] : Rows<2>(kRows)) {
        csv += row + "\r\n";
        if (!problem.empty()) expected += std::to_string(line) + ": " + problem + "\n";
        ++line;
    }
    Image image = VariedImage();
    const CsvImportResult r = ImportChannelCsv(csv, image);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(image, VariedImage());
    EXPECT_EQ(Said(r.problems), expected);
    EXPECT_TRUE(r.notes.empty());
    Image vhf = BlankImageForModel(1);
    EXPECT_EQ(
        Said(ImportChannelCsv("Location,Frequency\n1,136\n2,173.99999\n3,174\n", vhf).problems),
        "4: receive frequency 174.000000 MHz is outside the band 136..174 MHz\n");
}

// The reasons follow the language of the message: no English inside a Chinese
// one. The file, then the reason in English and in Chinese.
constexpr const char* kReasons = R"(
Location,Frequency,Mode\n7,480,DV\n | line 2: Mode "DV" is not FM (wide) or NFM (narrow); receive frequency 480.000000 MHz is outside the band 400..470 MHz | 第 2 行：Mode "DV" 不是 FM（宽带）或 NFM（窄带）；接收频率 480.000000 MHz 超出频段 400..470 MHz
Location,Frequency\n7,446.1\n7,446.2\n | line 3: channel 7 is already set on line 2 | 第 3 行：信道 7 已由第 2 行设置
Location;Frequency\n | line 1: the header line names no Frequency column (its fields seem separated by semicolons, not by commas) | 第 1 行：标题行中没有 Frequency 列（其字段似乎以分号分隔，而不是以逗号分隔）
)";

TEST(CsvImportReport, ReasonsInTheMessagesLanguage) {
    const CsvImportWording wording{{}, {"Refused.", "拒绝。"}, {}};
    for (const auto& [csv, english, chinese] : Rows<3>(kReasons)) {
        Image image = BlankImage();
        const BiString message = CsvImportMessage(ImportChannelCsv(csv, image), wording);
        EXPECT_EQ(message.english, "Refused.\n" + english) << csv;
        EXPECT_EQ(message.chinese, "拒绝。\n" + chinese) << csv;
    }
}

// Files refused as a whole: the file, the problem ("line: text"), and the
// separator its header seems to use instead of commas (- none).
constexpr const char* kFileRefusals = R"(
 | 0: the file is empty: no header line | -
\n\nName,Freq\n1,446\n | 3: the header line names no Frequency column | -
Location;Name;Frequency\n1;A;446.1\n | 1: the header line names no Frequency column (its fields seem separated by semicolons, not by commas) | ;
Location	Frequency\n1	446.1\n | 1: the header line names no Frequency column (its fields seem separated by tabs, not by commas) | tab
Name,Frequency\nA,446.1\n | 1: the header line names no Location column | -
Location,Frequency\n | 0: no channel rows in the file | -
Location,Frequency,Name\n1,446,"AB\n | 2: a quoted field is not closed | -
)";

TEST(ChannelCsv, FileLevelRefusalsAndOtherSeparators) {
    const Image before = BlankImage();
    for (const auto& [csv, problem, separator] : Rows<3>(kFileRefusals)) {
        Image image = before;
        const CsvImportResult r = ImportChannelCsv(csv, image);
        EXPECT_FALSE(r.ok) << csv;
        EXPECT_EQ(Said(r.problems), problem + "\n");
        EXPECT_EQ(r.otherSeparator, separator == "-" ? 0 : separator == "tab" ? '\t' : ';') << csv;
        EXPECT_EQ(image, before) << csv;
    }
    // A title line above the header is passed over; text copied from a
    // spreadsheet is read with its tabs; a skipped row does not take its
    // channel; with --skip-invalid the rows before an open quote are stored.
    Image image = before;
    EXPECT_EQ(ImportChannelCsv("Repeaters 2024\nLocation,Frequency\n3,446.1\n", image).channels,
              std::vector<int>{3});
    EXPECT_EQ(
        ImportChannelCsv("Location\tFrequency\n4\t446.1\n", image, {.separator = '\t'}).channels,
        std::vector<int>{4});
    EXPECT_EQ(Said(ImportChannelCsv("Location,Frequency\n7,480\n7,446.1\n7,446.2\n", image, {true})
                       .problems),
              "2: receive frequency 480.000000 MHz is outside the band 400..470 MHz\n"
              "4: channel 7 is already set on line 3\n");
    EXPECT_EQ(
        ImportChannelCsv("Location,Frequency,Name\n5,446,A\n6,446,\"B\n", image, {true}).channels,
        std::vector<int>{5});
}

}  // namespace
}  // namespace zt
