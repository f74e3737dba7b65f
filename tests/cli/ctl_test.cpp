// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl as a user runs it, where no radio answers: its exit codes and
// messages, the limit check before any port is opened, the ports that will not
// open, and the file commands (show, export-csv, import-csv, new, diff, set
// and card).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRegularExpression>
#include <QSerialPort>
#include <filesystem>
#include <sstream>

#include "../model/table.h"
#include "ctl_run.h"

namespace zt::testing {
namespace {

using CtlCommands = CtlTest;

// Exit code and command, then a piece of what it says (standard output when it
// succeeds, else standard error; "1>" or "2>" before it names the stream; "\n"
// a line break): 2 for usage, 3 for files and folders, 5 for a port that is not
// there; 4 for a limit check, before the backup read would open the port. A
// refusal always says why and writes no file. The file commands once
// each for their wiring; their texts: ctl_parts_test.
constexpr const char* kTold = R"(
0 --help | zt790ctl: program ZT790 radios from the command line
0 --help |   9  the radio's band is not the image's
0 --version | zt790ctl 1.
0 write --help | Write a .chann file to the radio
2 frobnicate now | zt790ctl: unknown subcommand "frobnicate"; the subcommands are: read, write,
2 read --output x.chann |
2 read --port 9 --output x.chann |
2 read --port 0 --output x.chann |
2 power --port 1 --high 256 |
2 write --port 1 |
2 erase --port 1 |
2 show |
2 new |
2 write -p /dev/null -p /dev/null x.chann |
2 read -p /dev/null |
2 write -p /dev/null -p 1 x.chann --backup |
2 clone --from /dev/null |
2 read -p /dev/null -p /dev/zero -o x.chann |
2 read -p /dev/null -o x.chann --output-dir d |
2 clone --from /dev/null --to /dev/null |
2 diff x.chann |
2 diff x.chann x.chann x.chann |
2 diff --verify x.chann x.chann |
2 diff -p /dev/null x.chann x.chann |
2 import-csv marine.csv x.chann --model 1 |
2 import-csv marine.csv |
2 import-csv marine.csv -o y.chann --renumber=0 |
2 import-csv marine.csv -o y.chann --model 7 |
2 import-csv marine.csv -o y.chann --power-watts 5,2.5,1 |
2 set x.chann -o y.chann --channels 0-3 --vox on | --channels 0-3 is not a list
2 set x.chann -o y.chann --decode 66.9 | --decode 66.9 is no tone of the radio
2 set x.chann -o y.chann --offset 5 | --offset 5 is no offset
2 set x.chann -o y.chann | give at least one field to set
2 set x.chann -o y.chann --vox on | The selected channels are empty; nothing was changed. y.chann was not written
2 card x.chann -o y.chann | There is no used channel to put on the card.
2 card x.chann -o y.chann --channels 129 | --channels 129 is not a list
3 write --port 1 none.chann |
3 write --port 1 bad.chann |
3 write -p /nonexistent/tty none.chann --backup b.chann |
3 read --port 1 --output no/such/dir.chann |
3 show nothere.chann |
3 export-csv bad.chann -o y.csv |
3 diff x.chann none.chann |
3 write -p /dev/null -p /dev/zero none.chann |
3 write -p /dev/null -p /dev/zero x.chann --backup x.chann |
3 write -p /nonexistent/tty x.chann --backup x.chann |
3 clone --from /dev/null --to /dev/zero --backup x.chann |
3 export-csv x.chann -o no/such/dir/x.csv | zt790ctl: cannot write no/such/dir/x.csv: No such file or directory; no/such/dir/x.csv was not written\n
3 import-csv nothere.csv x.chann | zt790ctl: cannot open nothere.csv\n
5 diff -p /nonexistent/tty x.chann |
5 read -p /nonexistent/tty -o x.chann | zt790ctl: cannot open /nonexistent/tty: No such file or directory\nNo such serial port: is the programming cable plugged in?
5 power -p /nonexistent/tty | zt790ctl: cannot open /nonexistent/tty:
4 write --port /nonexistent/tty limits.chann --backup b.chann | channel 7: receive 471.00000 MHz is outside the band limits 400..470 MHz, and so is transmit 471.00000 MHz\nBring these frequencies inside the limits, or change the limits in zt790prog (Edit, Optional Features).\nzt790ctl: nothing was sent to the radio.\n
4 write --port /nonexistent/tty limits.chann | channel 7: receive 471.00000 MHz is outside the band limits 400..470 MHz, and so is transmit 471.00000 MHz\nBring these frequencies inside the limits, or change the limits in zt790prog (Edit, Optional Features).\nzt790ctl: nothing was sent to the radio.\n
4 write -p /nonexistent/a -p /nonexistent/b limits.chann | channel 7: receive 471.00000 MHz is outside the band limits 400..470 MHz, and so is transmit 471.00000 MHz\nBring these frequencies inside the limits, or change the limits in zt790prog (Edit, Optional Features).\nzt790ctl: nothing was sent to any radio.\n
0 new -o n.chann | 2>Wrote a blank image for ZT790 C1.0 UHF (400-470 MHz) to n.chann\n
3 new -o n.chann | zt790ctl: n.chann exists and is unchanged; --force replaces it\n
0 new --model 1 --force -o n.chann | 2>Wrote a blank image for ZT790 C1.0 VHF (136-174 MHz) to n.chann\n
3 import-csv marine.csv x.chann | 2>zt790ctl: nothing imported; x.chann is unchanged\n
0 diff x.chann x.chann | 1>A: x.chann\nB: x.chann\n\nNo differences.\n
1 diff x.chann q.chann | 1>\nOptional features\n  Squelch Level  5  ->  3\n\n1 difference.\n
1 diff x.chann q.chann --csv | 2>zt790ctl: 1 difference lies outside the channels; run without --csv to see it.\n
)";

TEST_F(CtlCommands, RefusalsExitWithTheirCodes) {
    Save("x.chann", BlankImage());
    Write("bad.chann", "1 2 3 not a channel file");
    Image squelch = BlankImage();
    squelch[208][0] = 3;
    Save("q.chann", squelch);
    Image limits = BlankImage();
    limits[7] = ImageRow{0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Save("limits.chann", limits);
    Write("marine.csv", "Location,Name,Frequency\n0,Marine Ch 16,156.8\n");
    const std::string blank = Read("x.chann");
    for (const auto& [line, says] : Rows<2>(kTold)) {
        const RunResult r = Ctl(QString::fromStdString(line.substr(2)));
        EXPECT_EQ(r.exitCode, line[0] - '0') << line;
        const bool named = says.size() > 1 && says[1] == '>';
        const bool out = named ? says[0] == '1' : r.exitCode == 0;
        if (says.empty()) {
            EXPECT_FALSE(r.err.empty()) << line;
        } else {
            EXPECT_TRUE(Has(out ? r.out : r.err, says.substr(named ? 2 : 0))) << line;
        }
    }
    EXPECT_FALSE(std::filesystem::exists("y.chann"));
    EXPECT_FALSE(std::filesystem::exists("y.csv"));
    EXPECT_EQ(Read("x.chann"), blank);
    const Image made = Load("n.chann");  // band edges | frequency-mode start
    EXPECT_EQ(Hex(std::span(made[153]).first(4)) + " | " + Hex(std::span(made[0]).first(4)),
              "60 13 40 17 | 00 25 66 13");
    const RunResult sim = RunProgram("zt790sim", {"--load", "none.chann"}, 10000);
    EXPECT_EQ(sim.exitCode, 3);
    EXPECT_TRUE(sim.err.starts_with("zt790sim: ")) << sim.err;
    // The machine's own ports: the table, or the advice on a machine without any.
    const RunResult ports = Ctl("ports");
    EXPECT_TRUE(ports.exitCode == 0 && (ports.out.starts_with("No.  Device") ||
                                        ports.out.starts_with("No serial ports found.\n")))
        << ports.out;
}

// A port another program holds open (7), and one this user may not open (6).
TEST_F(CtlCommands, BusyAndLockedPorts) {
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

// show, export-csv and import-csv on a blank radio.chann.
TEST_F(CtlCommands, ImportShowExportRoundTrip) {
    Save("radio.chann", BlankImage());
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
    EXPECT_TRUE(Has(r.out, R"(Channels: 3 in use
Ch  Name  Receive    Transmit   Decode  Encode  Power  Bandwidth  Scan  VOX  BCL  TX stop
 1  PMR1  446.00625  446.00625  OFF     OFF     Low    Narrow     On    Off  Off  Off
 2  RPT   439.98750  430.58750  OFF     88.5    High   Wide       On    Off  Off  Off
 9  DCS   446.10000  446.10000  D754N   D754I   Mid    Wide       Off   Off  Off  Off
)"));
    EXPECT_TRUE(Has(r.out, "  Power-on message           \"HELLO\"\n"));

    // Export to standard output and to a file give the same text.
    const std::string exported = Ctl("export-csv out.chann").out;
    EXPECT_TRUE(exported.starts_with("Location,Name,Frequency,Duplex,Offset,Tone,"));
    r = Ctl("export-csv out.chann -o out.csv");
    EXPECT_EQ(r.err, "Exported 3 channels to out.csv\n");
    EXPECT_EQ(Read("out.csv"), exported);
}

// card and set: the card's PDF read back with poppler's tools (text, pages,
// fonts), and a set that goes through.
// A tool's standard output.
std::string Tool(const char* program, const QStringList& args) {
    QProcess tool;
    tool.start(program, args);
    tool.waitForFinished();
    return tool.readAllStandardOutput().toStdString();
}

class CardAndSet : public CtlTest {
  protected:
    void SetUp() override {
        CtlTest::SetUp();
        Image image = BlankImage();
        for (int c = 1; c <= 128; ++c) {
            StoreRxText(image, c, std::to_string(400 + c / 2) + (c % 2 ? ".5125" : ".025"));
            ApplyGridDefaults(image, c);
            WriteName(image, c, "N" + std::to_string(c));
        }
        Save("all.chann", image);
    }
};

TEST_F(CardAndSet, ACardOf128ChannelsOnTwoA4PagesWithEveryChannelAndItsFontsEmbedded) {
    const RunResult en = Ctl("card all.chann -o en.pdf");
    ASSERT_EQ(en.exitCode, 0) << en.err;
    EXPECT_TRUE(Has(en.err, "Wrote the channel card of 128 channels on 2 pages to en.pdf"));
    const std::string info = Tool("pdfinfo", {"en.pdf"});
    EXPECT_TRUE(Has(info, "Pages:           2\n"));
    EXPECT_TRUE(Has(info, "(A4)"));
    const QString text = QString::fromStdString(Tool("pdftotext", {"-layout", "en.pdf", "-"}));
    for (int c = 1; c <= 128; ++c) {
        // Number, name and receive frequency on one line: 7 N7 403.51250.
        const QString rx = QString("%1.%2").arg(400 + c / 2).arg(c % 2 ? "51250" : "02500");
        const QRegularExpression line(QString("(^|\\n) *%1 +N%1 +%2 ").arg(c).arg(rx));
        EXPECT_TRUE(line.match(text).hasMatch()) << "channel " << c;
    }
    // Chinese, of a selection: the column titles, with the CJK font embedded (a
    // Kangxi radical that shares its glyph with an ideograph reads back as the
    // radical, which NFKC folds).
    ASSERT_EQ(Ctl("card all.chann -o zh.pdf --language zh --channels 1-16 --title 俱乐部").exitCode,
              0);
    const QString zh = QString::fromStdString(Tool("pdftotext", {"zh.pdf", "-"}))
                           .normalized(QString::NormalizationForm_KC);
    for (const char* title : {"俱乐部", "信道号", "信道名称", "接收频率(MHZ)", "发射频率(MHZ)",
                              "QT/DQT解码", "QT/DQT编码", "发射功率", "信道带宽", "禁止发射"})
        EXPECT_TRUE(zh.contains(QString::fromUtf8(title))) << title;
    for (const char* pdf : {"en.pdf", "zh.pdf"}) {
        const std::string fonts = Tool("pdffonts", {pdf});
        const auto emb = fonts.find("emb");
        int listed = 0;
        std::istringstream lines(fonts);
        for (std::string l; std::getline(lines, l);) {
            if (l.size() <= emb || l.starts_with("name") || l.starts_with("---")) continue;
            ++listed;
            EXPECT_EQ(l.substr(emb, 3), "yes") << pdf << ": " << l;
        }
        EXPECT_GE(listed, 1) << pdf;
        EXPECT_EQ(fonts.find("NotoSansCJK") != std::string::npos, pdf == std::string("zh.pdf"));
    }
}

// A negative offset is its own word.
TEST_F(CardAndSet, SetWritesTheChangedChannels) {
    const RunResult set = Ctl("set all.chann -o o.chann --channels 3-4 --offset -0.6");
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_TRUE(Has(set.err, "Changed 2 channels (3-4) and wrote o.chann"));
    EXPECT_EQ(TxText(Load("o.chann"), 4), "401.42500");
}

}  // namespace
}  // namespace zt::testing
