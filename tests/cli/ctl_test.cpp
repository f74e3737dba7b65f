// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl's commands and exit codes as a user runs them: the radio commands
// against zt790sim on a pseudo-terminal, then show, export-csv and import-csv.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSerialPort>
#include <cstdio>
#include <filesystem>

#include "ctl_run.h"
#include "model/channel.h"
#include "model/write_prep.h"

namespace zt::testing {
namespace {

using CtlCommands = CtlTest;

// Exit codes of what fails before any port is opened: 2 for usage, 3 for files.
TEST_F(CtlCommands, UsageAndFileErrorsExitWith2And3) {
    const RunResult usage = Ctl("--help");
    EXPECT_EQ(usage.exitCode, 0);
    EXPECT_TRUE(Has(usage.out, "Exit codes:\n  0  success (diff: no differences)\n"));
    EXPECT_TRUE(Has(usage.out, "  9  the radio's band is not the image's"));
    const RunResult sim = RunProgram("zt790sim", {"--load", "none.chann"}, 10000);
    EXPECT_EQ(sim.exitCode, 3);
    EXPECT_TRUE(sim.err.starts_with("zt790sim: ")) << sim.err;
    const RunResult help = Ctl("write --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(Has(help.out, "--backup"));
    // The machine's own ports: the table, or the advice on a machine without any.
    const RunResult ports = Ctl("ports");
    EXPECT_TRUE(ports.exitCode == 0 && (ports.out.starts_with("No.  Device") ||
                                        ports.out.starts_with("No serial ports found.\n")))
        << ports.out;
    Save("x.chann", BlankImage());
    Write("bad.chann", "1 2 3 not a channel file");
    Write("marine.csv", "Location,Name,Frequency\n0,Marine Ch 16,156.8\n");
    const auto exits = [](int code, const char* args) {
        const RunResult r = Ctl(args);
        EXPECT_EQ(r.exitCode, code) << args;
        EXPECT_FALSE(r.err.empty()) << args;
    };
    for (const char* args : {"", "read --output x.chann", "read --port 9 --output x.chann",
                             "read --port 0 --output x.chann", "power --port 1 --high 256",
                             "write --port 1", "erase --port 1", "show", "new"})
        exits(2, args);
    for (const char* args : {"write -p /dev/null -p /dev/null x.chann", "read -p /dev/null",
                             "write -p /dev/null -p 1 x.chann --backup", "clone --from /dev/null",
                             "read -p /dev/null -p /dev/zero -o x.chann",
                             "read -p /dev/null -o x.chann --output-dir d"})
        exits(2, args);
    for (const char* args :
         {"clone --from /dev/null --to /dev/null", "diff x.chann", "diff x.chann x.chann x.chann",
          "diff --verify x.chann x.chann", "diff -p /dev/null x.chann x.chann"})
        exits(2, args);
    for (const char* args : {"import-csv marine.csv x.chann --model 1", "import-csv marine.csv",
                             "import-csv marine.csv -o y.chann --renumber=0",
                             "import-csv marine.csv -o y.chann --model 7",
                             "import-csv marine.csv -o y.chann --power-watts 5,2.5,1"})
        exits(2, args);
    // Files missing or broken, and a backup folder that is a file.
    for (const char* args : {"write --port 1 none.chann", "write --port 1 bad.chann",
                             "write -p /nonexistent/tty none.chann --backup b.chann",
                             "read --port 1 --output no/such/dir.chann", "show nothere.chann",
                             "export-csv bad.chann -o y.csv", "diff x.chann none.chann",
                             "write -p /dev/null -p /dev/zero none.chann",
                             "write -p /dev/null -p /dev/zero x.chann --backup x.chann",
                             "write -p /nonexistent/tty x.chann --backup x.chann"})
        exits(3, args);
    EXPECT_FALSE(std::filesystem::exists("y.chann"));
    EXPECT_FALSE(std::filesystem::exists("y.csv"));
}

TEST_F(CtlCommands, ALimitCheckExitsWith4BeforeAnyPortIsOpened) {
    Image image = BlankImage();
    image[7] = ImageRow{0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Save("limits.chann", image);
    // Checked before the backup read would open the port (that would exit 5).
    const RunResult r = Ctl("write --port /nonexistent/tty limits.chann --backup b.chann");
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err,
              "channel 7: receive 471.00000 MHz is outside the band limits 400..470 MHz, and so "
              "is transmit 471.00000 MHz\n"
              "Bring these frequencies inside the limits, or change the limits in zt790prog (Edit, "
              "Optional Features).\n"
              "zt790ctl: nothing was sent to the radio.\n");
    // Without a backup the write window's check refuses it: the same words.
    EXPECT_EQ(Ctl("write --port /nonexistent/tty limits.chann").err, r.err);
    // Several radios: the same lines, nothing sent to any of them.
    const RunResult fleet = Ctl("write -p /nonexistent/a -p /nonexistent/b limits.chann");
    EXPECT_EQ(fleet.exitCode, 4);
    EXPECT_EQ(fleet.err, r.err.substr(0, r.err.rfind("zt790ctl:")) +
                             "zt790ctl: nothing was sent to any radio.\n");
}

TEST_F(CtlCommands, PortFailuresHaveTheirOwnMessagesAndExitCodes) {
    // The port, the system's reason and what to do; not the window's message.
    for (const char* args : {"read -p /nonexistent/tty -o x.chann", "power -p /nonexistent/tty"}) {
        const RunResult r = Ctl(args);
        EXPECT_EQ(r.exitCode, 5) << args;
        EXPECT_TRUE(
            r.err.starts_with("zt790ctl: cannot open /nonexistent/tty: No such file or "
                              "directory\nNo such serial port: is the programming cable "
                              "plugged in?"))
            << r.err;
        EXPECT_FALSE(Has(r.err, "Communication port is error"));
    }

    // A port another program holds open.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string slave = ::ptsname(master);
    QSerialPort holder(QString::fromStdString(slave));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    RunResult r = Ctl(QString::fromStdString("read -p " + slave + " -o x.chann"));
    EXPECT_EQ(r.exitCode, 7) << r.err;
    EXPECT_TRUE(Has(r.err, "zt790ctl: cannot open " + slave + ": "));
    EXPECT_TRUE(Has(r.err, "The port is busy: another program has it open."));
    holder.close();
    ::close(master);

    if (::geteuid() == 0) GTEST_SKIP() << "root may open any port; no permission to refuse";
    Write("locked", "");
    ::chmod("locked", 0);
    r = Ctl("read -p locked -o x.chann");
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_TRUE(Has(r.err, "zt790ctl: cannot open locked: Permission denied\n"));
    EXPECT_TRUE(Has(r.err, "sudo adduser"));
}

// Three radios at once, each with its own zt790ctl: a good one read, written
// with a verifying read and set to new powers (four sessions); one whose line
// corrupts a block in one of the two reads of a verified read; one that
// acknowledges block 7 of a backed-up, verified write but keeps the old one.
TEST_F(CtlCommands, ReadWriteAndPowerEndToEndAndVerificationCatchesWhatTheRadioLoses) {
    const Image before = Radio(0);
    Save("before.chann", before);
    Image edited = before;
    StoreRxText(edited, 7, "440.5");
    Save("edited.chann", edited);
    auto noisy = StartRadio("noisy", "--load before.chann --fault corrupt@100");
    // Two reads settle the backup, then the write and its read-back.
    auto liar = StartRadio("liar", "--sessions 4 --load before.chann --fault no-store@7");
    auto verifiedRead = Start("read -p " + noisy->Device() + " -o got.chann --verify");
    auto lostWrite =
        Start("write -p " + liar->Device() + " edited.chann --backup backup.chann --verify");

    Image memory = Radio(3);
    memory[240] = BlankImage()[240];  // power levels 50, 100 and 200
    Save("radio.chann", memory);
    auto sim = StartRadio("good", "--sessions 4 --load radio.chann");
    RunResult r = Ctl("read --port " + sim->Device() + " --output read.chann");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Image read = Load("read.chann");
    for (int row = 0; row < 254; ++row) EXPECT_EQ(read[row], memory[row]) << row;

    Image toSend = Radio(40);
    toSend[5] = ImageRow{0x00, 0x50, 0x25, 0x44, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Save("send.chann", toSend);
    r = Ctl("write --port " + sim->Device() + " send.chann --verify");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "Verified: the radio holds what was written (blocks 0..239)."));

    // Both are in the history (beside the other radios' entries): the read
    // comes back out as it was saved, the write names its file.
    const std::string device = sim->Device().toStdString();
    std::string readEntry;
    bool written = false;
    for (const QString& line : QString::fromStdString(Ctl("history").out).split('\n')) {
        const std::string l = line.toStdString();
        if (Has(l, "  read     " + device))
            readEntry = line.trimmed().section(' ', 0, 0).toStdString();
        written = written || (Has(l, "  written  " + device) && l.ends_with("send.chann"));
    }
    EXPECT_TRUE(written);
    ASSERT_EQ(
        Ctl(QString::fromStdString("history export " + readEntry + " -o kept.chann")).exitCode, 0);
    EXPECT_EQ(Read("kept.chann"), Read("read.chann"));

    r = Ctl("power --port " + sim->Device() + " --low 20 --high 180");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "low 50\nmid 100\nhigh 200\n"));

    // The radio ends with rows 0..239 of the prepared file, its own rows
    // beyond, and the power changes (it saw the closing 'b').
    Image expected = toSend;
    PrepareImageForWrite(expected);
    for (int row = 240; row < 256; ++row) expected[row] = memory[row];
    expected[240][0] = 20;
    expected[240][2] = 180;
    expected[240][3] = 2;             // the level moved last
    EXPECT_EQ(expected[208][12], 1);  // the first channel in use, filled in before sending
    const Image after = Finish(*sim, "good");
    for (int row = 0; row < 256; ++row) EXPECT_EQ(after[row], expected[row]) << row;

    r = Wait(*verifiedRead);
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_TRUE(Has(r.err,
                    "verification failed: two reads of the radio differ, first at block "
                    "100 (address 0x0640)"));
    EXPECT_FALSE(std::filesystem::exists("got.chann"));

    r = Wait(*lostWrite);
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_TRUE(Has(r.err, "Backup saved to backup.chann"));
    EXPECT_TRUE(Has(r.err,
                    "the radio holds something other than what was written, first at "
                    "block 7 (address 0x0070), in channel 7."));
    EXPECT_EQ(Load("backup.chann"), before);
    const Image onLiar = Finish(*liar, "liar");
    EXPECT_EQ(RxText(onLiar, 7), RxText(before, 7));
    EXPECT_EQ(onLiar[8], edited[8]);
}

// The cable pulled at block 100: the port is gone, not a radio gone quiet, and
// a write cut short leaves a radio that must be written again.
TEST_F(CtlCommands, APulledCableIsToldFromASilentRadio) {
    Save("send.chann", Radio(40));
    const struct {
        const char* fault;
        const char* command;
        std::string lastLines;
    } cases[] = {
        {"pull@100", "read -o got.chann",
         "zt790ctl: the port went away while reading (cable pulled or adapter unplugged).\n"},
        {"pull@100", "write send.chann",
         "zt790ctl: the port went away while writing (cable pulled or adapter unplugged).\n"
         "The radio is now half-written: it stopped answering part-way through the write and "
         "holds part of the new image and part of its old memory. Check the cable and that the "
         "radio is switched on, then write again.\n"},
        // A silent radio, told apart from a lost port; the power link gives up
        // at its first 500 ms watchdog tick.
        {"silent@ident:always", "power --low 20",
         "zt790ctl: the radio did not answer the power adjustment. Check that it is switched "
         "on and the cable is seated.\n"},
    };
    // All at once: each waits for its radio, not for the others.
    std::vector<std::unique_ptr<SimProcess>> radios;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const auto& c : cases) {
        radios.push_back(std::make_unique<SimProcess>(QStringList{"--fault", c.fault}));
        runs.push_back(Start(QString(c.command) + " -p " + radios.back()->Device()));
    }
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const RunResult r = Wait(*runs[k]);
        EXPECT_EQ(r.exitCode, 1) << cases[k].command;
        EXPECT_TRUE(r.err.ends_with(cases[k].lastLines)) << cases[k].command << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists("got.chann"));
}

// show, export-csv and import-csv on a blank radio.chann.
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
        EXPECT_TRUE(Has(r.out, part));
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

// The band edges (row 153) and the frequency-mode start frequency (row 0,
// bytes 0..3) of a channel file, in hex.
std::string ModelBytes(const Image& image) {
    char text[64];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X %02X%02X%02X%02X", image[153][0],
                  image[153][1], image[153][2], image[153][3], image[0][0], image[0][1],
                  image[0][2], image[0][3]);
    return text;
}

TEST_F(FileCommands, NewFilesAndImportsWithoutABaseFile) {
    RunResult r = Ctl("new -o uhf.chann");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Wrote a blank image for ZT790 C1.0 UHF (400-470 MHz) to uhf.chann\n");
    EXPECT_EQ(ModelBytes(Load("uhf.chann")), "00400047 50122046");  // 462.0125, as at start-up
    ASSERT_EQ(Ctl("new --model 1 -o vhf.chann").exitCode, 0);
    const Image vhf = Load("vhf.chann");
    EXPECT_EQ(ModelBytes(vhf), "60134017 00256613");
    for (int row = 1; row < 256; ++row) {
        if (row != 153) {
            EXPECT_EQ(vhf[row], BlankImage()[row]) << row;
        }
    }
    r = Ctl("new -o vhf.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "zt790ctl: vhf.chann exists and is unchanged; --force replaces it\n");
    EXPECT_EQ(Ctl("new --force -o vhf.chann").exitCode, 0);
    EXPECT_EQ(ModelBytes(Load("vhf.chann")), "00400047 50122046");

    // Marine channels numbered from 0 and one UHF row.
    Write("marine.csv",
          "Location,Name,Frequency,Power\n"
          "0,Marine Ch 16,156.8,1W\n"
          "1,Marine Ch 06,156.3,25W\n"
          "2,Site,446.1,5W\n");
    // Refused: every bad row, the hint, and the base file left as it was.
    const std::string before = Read("radio.chann");
    r = Ctl("import-csv marine.csv radio.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "marine.csv:2: channel 0 is not between 1 and 128; receive frequency 156.800000 "
              "MHz is outside the band 400..470 MHz\n"
              "marine.csv:3: receive frequency 156.300000 MHz is outside the band 400..470 MHz\n"
              "zt790ctl: --renumber places the rows in file order from channel 1, whatever "
              "their Location\n"
              "zt790ctl: nothing imported; radio.chann is unchanged\n");
    EXPECT_EQ(Read("radio.chann"), before);
    r = Ctl("import-csv marine.csv -o marine.chann --model 1 --skip-invalid --renumber=3");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "marine.csv:4: receive frequency 446.100000 MHz is outside the band 136..174 MHz\n"
              "marine.csv:2: note: name \"Marine Ch 16\" stored as \"MRN16\"\n"
              "marine.csv:3: note: name \"Marine Ch 06\" stored as \"MRN06\"\n"
              "marine.csv: note: 2 names changed to fit the radio (five characters of A-Z, 0-9, "
              "blank, - _ + *)\n"
              "marine.csv: note: powers in watts stored as the highest level not above them (Low "
              "1.0 W, Mid 2.5 W, High 5.0 W): 25.0 W as High\n"
              "Imported 2 channels into marine.chann; 1 row skipped\n");
    EXPECT_EQ(ReadName(Load("marine.chann"), 4), "MRN06");
    r = Ctl("import-csv marine.csv uhf.chann -o both.chann --skip-invalid --replace --renumber");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.ends_with("Imported 1 channel into both.chann; 2 rows skipped\n"));
    EXPECT_EQ(
        Ctl("import-csv marine.csv -o none.chann --model 3 --skip-invalid --renumber").exitCode, 3);
    EXPECT_FALSE(std::filesystem::exists("none.chann"));
}

TEST_F(FileCommands, MessagesNameThePathAndWhatBecameOfTheOutput) {
    RunResult r = Ctl("export-csv radio.chann -o no/such/dir/x.csv");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "zt790ctl: cannot write no/such/dir/x.csv: No such file or directory; "
              "no/such/dir/x.csv was not written\n");
    r = Ctl("frobnicate now");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.starts_with(
        "zt790ctl: unknown subcommand \"frobnicate\"; the subcommands are: read, write, "));
    EXPECT_TRUE(Has(r.err, "import-csv, new"));
    r = Ctl("--version");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.starts_with("zt790ctl 1.")) << r.out;
    EXPECT_TRUE(Has(Ctl("show nothere.chann").err, "nothere.chann"));
    r = Ctl("import-csv nothere.csv radio.chann");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "zt790ctl: cannot open nothere.csv\n");
}

}  // namespace
}  // namespace zt::testing
