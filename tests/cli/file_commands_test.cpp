// show, export-csv and import-csv as a user runs them.
#include "ctl_run.h"
#include "model/blank_image.h"

namespace zt::testing {
namespace {

class FileCommands : public CtlTest {
  protected:
    void SetUp() override {
        CtlTest::SetUp();
        Save("radio.chann", BlankImage());
    }
};

TEST_F(FileCommands, ImportShowExportRoundTrip) {
    Write("in.csv",
          "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
          "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
          "1,pmr1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n"
          "2,Rpt,439.9875,-,9.4,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,\r\n"
          "9,DCS,446.1,,0,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,12.50,S,Mid,note,,,,\r\n");
    RunResult r = Ctl("import-csv in.csv radio.chann -o out.chann");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Imported 3 channels into out.chann\n");

    r = Ctl("show out.chann");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* part :
         {"Channels: 3 in use\n"
          "Ch  Name  Receive    Transmit   Decode  Encode  Power  Bandwidth  Scan  VOX  BCL  "
          "TX stop\n"
          " 1  PMR1  446.00625  446.00625  OFF     OFF     Low    Narrow     On    Off  Off  Off\n"
          " 2  RPT   439.98750  430.58750  OFF     88.5    High   Wide       On    Off  Off  Off\n"
          " 9  DCS   446.10000  446.10000  D754N   D754I   Mid    Wide       Off   Off  Off  Off\n",
          "Band limits: 400 to 470 MHz\n", "  Transmit   462.01250 MHz\n",
          "  Power-on message           \"HELLO\"\n"}) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\nin:\n" << r.out;
    }

    // Export to standard output and to a file give the same text; importing it
    // back into the file it came from leaves the file as it was.
    const std::string exported = Ctl("export-csv out.chann").out;
    EXPECT_TRUE(exported.starts_with("Location,Name,Frequency,Duplex,Offset,Tone,"));
    r = Ctl("export-csv out.chann -o out.csv");
    EXPECT_EQ(r.err, "Exported 3 channels to out.csv\n");
    EXPECT_EQ(Read("out.csv"), exported);
    const std::string before = Read("out.chann");
    EXPECT_EQ(Ctl("import-csv out.csv out.chann").exitCode, 0);
    EXPECT_EQ(Read("out.chann"), before);
}

TEST_F(FileCommands, RefusedImportListsEveryBadRowAndWritesNothing) {
    Write("bad.csv",
          "Location,Name,Frequency,Tone,cToneFreq\n"
          "1,OK,446.1,,\n"
          "200,A,446.1,,\n"
          "3,A,446.1,TSQL,150.0\n");
    const std::string before = Read("radio.chann");
    const RunResult r = Ctl("import-csv bad.csv radio.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "bad.csv:3: channel 200 is not between 1 and 128\n"
              "bad.csv:4: cToneFreq \"150.0\" is not a CTCSS tone this radio has\n"
              "zt790ctl: nothing imported; radio.chann is unchanged\n");
    EXPECT_EQ(Read("radio.chann"), before);
}

TEST_F(FileCommands, MissingOrBrokenFilesFailCleanly) {
    RunResult r = Ctl("show nothere.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("nothere.chann"), std::string::npos) << r.err;
    Write("short.chann", " 1 2 3\r\n");
    EXPECT_EQ(Ctl("export-csv short.chann -o x.csv").exitCode, 3);
    EXPECT_FALSE(std::filesystem::exists("x.csv"));
    r = Ctl("import-csv nothere.csv radio.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "zt790ctl: cannot open nothere.csv\n");
}

}  // namespace
}  // namespace zt::testing
