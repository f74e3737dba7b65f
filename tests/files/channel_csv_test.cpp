// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV text rules, the tone columns of the generic layout, and channels
// exported and imported through them.
#include "files/channel_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "files/csv_text.h"
#include "files/csv_tones.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/name_codec.h"
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
        {{0, k1000}, "Tone,100.0,88.5,023,NN,023,Tone->Tone"},
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
    // (A cToneFreq or DtcsCode this radio lacks: the import and zt790ctl tests.)
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
        {{"Tone", "88.55", "", "", "", "", ""},
         "rToneFreq \"88.55\" is not a CTCSS tone this radio has"},
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

constexpr int kLow = 0, kMid = 1;

// A used channel as the grid makes it.
void Use(Image& image, int c, const char* rx) {
    StoreRxText(image, c, rx);
    StoreBcd(image, c, kTxOffsetByte, UnitsToBcd(0));
    ApplyGridDefaults(image, c);
}

// Every row for which `changed` is false is as it was.
void ExpectRowsKept(const Image& now, const Image& before,
                    const std::function<bool(int)>& changed) {
    for (int row = 0; row < kImageRows; ++row) {
        EXPECT_TRUE(changed(row) || now[row] == before[row]) << "row " << row;
    }
}

// A file of every kind of channel the editors can make.
Image VariedImage() {
    Image image = BlankImage();
    Use(image, 1, "446.00625");
    WriteName(image, 1, "PMR1");
    Use(image, 2, "439.9875");
    StoreTxMHz(image, 2, 430.5875);  // minus 9.4 MHz
    SetRxTone(image, 2, 13);
    SetTxTone(image, 2, 13);
    SetPower(image, 2, kLow);
    WriteName(image, 2, "RPT-A");
    Use(image, 3, "430.0125");
    StoreTxMHz(image, 3, 437.6125);  // plus 7.6 MHz
    SetRxTone(image, 3, 200);
    SetTxTone(image, 3, 60);
    SetPower(image, 3, kMid);
    SetWide(image, 3, false);
    SetFlag(image, 3, kFlags1Byte, kScanSkipBit, true);
    WriteName(image, 3, "X_+*9");
    Use(image, 128, "469.99999");
    SetFlag(image, 128, kFlags2Byte, kTxStopBit, true);
    WriteName(image, 128, "LAST");
    return image;
}

TEST(ChannelCsv, ExportWritesTheGenericLayoutAndImportsBack) {
    const std::string csv = FormatChannelCsv(VariedImage());
    const std::string expected =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "1,PMR1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,High,,,,,\r\n"
        "2,RPT-A,439.987500,-,9.400000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,FM,12.50,,Low,,,,,"
        "\r\n"
        "3,X_+*9,430.012500,+,7.600000,Cross,88.5,88.5,050,NR,245,DTCS->DTCS,NFM,12.50,S,Mid,,,,,"
        "\r\n"
        "128,LAST,469.999990,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n";
    EXPECT_EQ(csv, expected);
    // Imported into a blank file it gives back the file (channel 128's
    // transmit is stopped: the layout carries no offset for it, and it had none).
    Image copy = BlankImage();
    const CsvImportResult r = ImportChannelCsv(csv, copy);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.channels, (std::vector<int>{1, 2, 3, 128}));
    EXPECT_EQ(copy, VariedImage());
}

TEST(ChannelCsv, ImportBackIntoTheSameFileChangesNothing) {
    // Bytes the layout cannot carry: VOX, BCL, the unused flag bits, bytes 14
    // and 15, the offset of a stopped channel, a direction of 3, power 3, a
    // trailing blank in a name, tone bytes the editors show as off.
    Image image = VariedImage();
    SetFlag(image, 1, kFlags2Byte, kVoxBit, true);
    SetFlag(image, 1, kFlags2Byte, kBclBit, true);
    image[1][kFlags1Byte] |= 0x38;
    image[1][kFlags2Byte] |= 0x0F;
    image[1][14] = 7;
    image[1][15] = 9;
    StoreTxMHz(image, 128, 465.0);
    image[2][kFlags1Byte] |= 0x03;
    WriteName(image, 2, "AB");
    image[kFirstNameRow][5 + 2] = kBlankCode;  // "AB "
    Use(image, 4, "450");
    image[4][kFlags1Byte] |= kDirectionMask;  // direction 3 reads as simplex
    StoreBcd(image, 4, kTxOffsetByte, UnitsToBcd(12345));
    image[4][kRxToneByte] = 9;  // a type the editors show as off
    image[4][kRxToneByte + 1] = 255;
    // A radio may hold 470.5 MHz with limits 400..470 (the write check compares
    // whole MHz); importing its own export must not refuse it, though a blank
    // file refuses it.
    Use(image, 5, "470.5");
    const Image before = image;
    const CsvImportResult r = ImportChannelCsv(FormatChannelCsv(image), image);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(image, before);
    Image blank = BlankImage();
    EXPECT_EQ(ImportChannelCsv(FormatChannelCsv(before), blank).problems,
              (std::vector<CsvLineMessage>{
                  {6, "receive frequency 470.500000 MHz is outside the band 400..470 MHz"}}));
}

// A CSV as other tools and people write it (the tone columns of every kind are
// checked above; a DCS row through zt790ctl's import and show).
constexpr const char* kHandWritten =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n"
    "1,simp,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,\n"
    "2,Rpt,439.9875,-,9.4,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,1.0W,,,,,\n"
    "3,TSQ,430.05,+,7.6,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,S,0.5W,,,,,\n"
    "4,X1,446.2,split,446.3,Cross,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,P,5.0W,,,,,\n"
    "\n"
    "5,\"Lo ng\",446.9,off,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "6,TOOLONG,447,,,,,,,,,,,,,5.0W,,,,,\n";

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

TEST(ChannelCsv, HandWrittenRowsOfEveryKind) {
    Image image = BlankImage();
    const Image before = image;
    const CsvImportResult r = ImportChannelCsv(kHandWritten, image);
    ASSERT_TRUE(r.ok) << (r.problems.empty() ? "" : r.problems.front().text);
    EXPECT_EQ(r.notes,
              (std::vector<CsvLineMessage>{
                  {8, "name \"TOOLONG\" cut to \"TOOLO\""},
                  {0, "power in watts taken by rank: 0.5 W as Low, 1 W as Mid, 5 W as High"}}));
    const char* expected[] = {
        "SIMP 446.00625 446.00625 255:255 255:255 02 20 FFFF",
        "RPT 439.98750 430.58750 255:255 0:8 81 20 FFFF",
        "TSQ 430.05000 437.65000 0:12 0:12 44 00 FFFF",
        "X1 446.20000 446.30000 0:8 0:12 42 20 FFFF",
        "LO NG 446.90000 446.90000 255:255 255:255 02 30 FFFF",
        "TOOLO 447.00000 447.00000 255:255 255:255 02 20 FFFF",
    };
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(Describe(image, c), expected[c - 1]);
    ExpectRowsKept(image, before,
                   [](int r) { return (r >= 1 && r <= 6) || (r >= 160 && r <= 161); });
}

TEST(ChannelCsv, ChannelsNotInTheCsvStayAsTheyAre) {
    Image image = VariedImage();
    const Image before = image;
    const CsvImportResult r = ImportChannelCsv("Location,Frequency,Name\r\n2,440.1,NEW\r\n", image);
    ASSERT_TRUE(r.ok);
    // Without tone, duplex, mode and power columns: simplex, tones off, wide, High.
    EXPECT_EQ(Describe(image, 2), "NEW 440.10000 440.10000 255:255 255:255 02 20 FFFF");
    ExpectRowsKept(image, before, [](int r) { return r == 2 || r == kFirstNameRow; });
    // Channel 1's name shares row 160 with channel 2's.
    EXPECT_EQ(ReadName(image, 1), "PMR1");
    EXPECT_EQ(ReadName(image, 3), "X_+*9");
}

TEST(ChannelCsv, RefusalNamesEveryBadRowAndChangesNothing) {
    const std::pair<const char*, const char*> rows[] = {
        {"0,A,446.1,,,,,,,,,,FM,,,High,", "channel 0 is not between 1 and 128"},
        {"129,A,446.1,,,,,,,,,,FM,,,High,", "channel 129 is not between 1 and 128"},
        {"x,A,446.1,,,,,,,,,,FM,,,High,", "Location \"x\" is not a channel number"},
        {"5,A,480.5,,,,,,,,,,FM,,,High,",
         "receive frequency 480.500000 MHz is outside the band 400..470 MHz"},
        {"6,A,469.5,+,1,,,,,,,,FM,,,High,",
         "transmit frequency 470.500000 MHz is outside the band 400..470 MHz"},
        {"7,A,446.1234567,,,,,,,,,,FM,,,High,",
         "Frequency \"446.1234567\" is not a frequency in MHz to 10 Hz (such as 446.00625)"},
        {"8,\"A,B\",446.1,,,,,,,,,,FM,,,High,",
         "name \"A,B\" has characters the radio cannot show: ,"},
        {"10,A,446.1,,,DTCS,,,024,NN,,,AM,,X,Max,",
         "DtcsCode \"024\" is not a DCS code this radio has; Mode \"AM\" is not FM (wide) or "
         "NFM (narrow); Skip \"X\" is not S, P or empty; Power \"Max\" is not Low, Mid, High or "
         "a value in watts"},
        {"1,A,446.2,,,,,,,,,,FM,,,High,", "channel 1 is already set on line 2"},
        {"11,A,,,,,,,,,,,FM,,,High,", "no receive frequency in Frequency"},
        {"12,A,446.1,sideways,,,,,,,,,FM,,,High,",
         "Duplex \"sideways\" is not one of +, -, split, off or empty"},
        {"13,A,400.5,-,1,,,,,,,,FM,,,High,,extra",
         "more fields than the header names; transmit frequency 399.500000 MHz is outside the "
         "band 400..470 MHz"},
        {"14,Ünï,446.1,,,,,,,,,,FM,,,High,",
         "name \"Ünï\" has characters the radio cannot show: Ü ï"},
    };
    std::string csv =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n"
        "1,OK,446.1,,,,,,,,,,FM,,,High,\r\n";
    std::vector<CsvLineMessage> expected;
    for (const auto& [row, problem] : rows) {
        csv += std::string(row) + "\r\n";
        expected.push_back({static_cast<int>(expected.size()) + 3, problem});
    }
    Image image = VariedImage();
    const CsvImportResult r = ImportChannelCsv(csv, image);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(image, VariedImage());
    EXPECT_EQ(r.problems, expected);
    EXPECT_TRUE(r.notes.empty());
}

TEST(ChannelCsv, FileLevelRefusalsAndTheFilesOwnBandLimits) {
    Image image = BlankImage();
    WriteBandEdges(image, {136, 174});
    const Image before = image;
    const struct {
        const char* csv;
        CsvLineMessage problem;
    } cases[] = {
        {"", {0, "the file is empty: no header line"}},
        {"\n\nName,Frequency\n1,446\n",
         {3, "the header line names no Location and Frequency columns"}},
        {"Location,Frequency,Name\n1,446,\"AB\n", {2, "a quoted field is not closed"}},
        {"Location,Frequency\n1,145.5\n2,446.1\n",
         {3, "receive frequency 446.100000 MHz is outside the band 136..174 MHz"}},
    };
    for (const auto& c : cases) {
        const CsvImportResult r = ImportChannelCsv(c.csv, image);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.problems, std::vector<CsvLineMessage>{c.problem});
        EXPECT_EQ(image, before);
    }
    ASSERT_TRUE(ImportChannelCsv("Location,Frequency\n1,145.5\n", image).ok);
    EXPECT_EQ(RxText(image, 1), "145.50000");
}

}  // namespace
}  // namespace zt
