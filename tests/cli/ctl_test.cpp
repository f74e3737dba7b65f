// zt790ctl as a user runs it, against zt790sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/write_prep.h"
#include "support/sim_process.h"

namespace zt::testing {
namespace {

Image Pattern(int salt) {
    Image image = BlankImage();
    for (int r = 1; r < kImageRows; ++r) {
        if (r == 153 || r == 0 || (r >= 1 && r <= 128)) continue;  // keep the limits checks happy
        for (int f = 0; f < kRowBytes; ++f) {
            image[r][f] = static_cast<std::uint8_t>((r * 7 + f * 13 + salt) & 0xFF);
        }
    }
    return image;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class CtlTest : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    std::string Save(const char* name, const Image& image) const {
        const std::string path = Path(name);
        EXPECT_TRUE(SaveChannelFile(path, image).ok);
        return path;
    }
    static Image Load(const std::string& path) {
        Image image{};
        EXPECT_TRUE(LoadChannelFile(path, image).ok) << path;
        return image;
    }
    QTemporaryDir dir;
};

TEST_F(CtlTest, UsageErrorsExitWith2AndHelpWith0) {
    EXPECT_EQ(RunProgram("zt790ctl", {"--help"}).exitCode, 0);
    for (const char* cmd : {"read", "write", "power"}) {
        const RunResult help = RunProgram("zt790ctl", {cmd, "--help"});
        EXPECT_EQ(help.exitCode, 0) << cmd;
        EXPECT_NE(help.out.find("--port"), std::string::npos) << cmd;
    }
    const QStringList bad[] = {
        {},
        {"read", "--output", "x.chann"},
        {"read", "--port", "9", "--output", "x.chann"},
        {"read", "--port", "0", "--output", "x.chann"},
        {"power", "--port", "1", "--high", "256"},
        {"write", "--port", "1"},
        {"erase", "--port", "1"},
    };
    for (const QStringList& args : bad) {
        EXPECT_EQ(RunProgram("zt790ctl", args).exitCode, 2) << args.join(' ').toStdString();
    }
}

TEST_F(CtlTest, AFileThatCannotBeLoadedExitsWith3) {
    EXPECT_EQ(
        RunProgram("zt790ctl", {"write", "--port", "1", QString::fromStdString(Path("none.chann"))})
            .exitCode,
        3);
    std::ofstream(Path("bad.chann")) << "1 2 3 not a channel file";
    const RunResult bad =
        RunProgram("zt790ctl", {"write", "--port", "1", QString::fromStdString(Path("bad.chann"))});
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_FALSE(bad.err.empty());
    EXPECT_EQ(RunProgram("zt790ctl", {"read", "--port", "1", "--output",
                                      QString::fromStdString(Path("no/such/dir.chann"))})
                  .exitCode,
              3);
}

TEST_F(CtlTest, ALimitCheckStopsTheWriteBeforeThePortIsOpenedWith4) {
    Image image = BlankImage();
    image[7] = ImageRow{0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    const std::string file = Save("limits.chann", image);
    const RunResult r = RunProgram(
        "zt790ctl", {"write", "--port", "/nonexistent/tty", QString::fromStdString(file)});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("Channel 7that Receiving or transmitting frequency  out of frequency "
                         "limitation range "),
              std::string::npos)
        << r.err;
}

TEST_F(CtlTest, APortThatDoesNotExistExitsWith5) {
    const RunResult r = RunProgram("zt790ctl", {"read", "--port", "/nonexistent/tty", "--output",
                                                QString::fromStdString(Path("o.chann"))});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("Communication port is error"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such serial port: /nonexistent/tty"), std::string::npos) << r.err;
}

TEST_F(CtlTest, ReadWriteAndPowerEndToEnd) {
    // Read: the file holds the radio's memory.
    const Image memory = Pattern(3);
    const std::string radioFile = Save("radio.chann", memory);
    {
        SimProcess sim({"--load", QString::fromStdString(radioFile), "--sessions", "1"});
        ASSERT_FALSE(sim.Device().isEmpty());
        const RunResult r = RunProgram("zt790ctl", {"read", "--port", sim.Device(), "--output",
                                                    QString::fromStdString(Path("read.chann"))});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const Image read = Load(Path("read.chann"));
        for (int row = 0; row < kRadioRows; ++row) EXPECT_EQ(read[row], memory[row]) << row;
        EXPECT_TRUE(sim.WaitForExit());
    }
    // Write: the radio ends with rows 0..239 of the prepared file.
    Image toSend = Pattern(40);
    toSend[5] = ImageRow{0x00, 0x50, 0x25, 0x44, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    const std::string sendFile = Save("send.chann", toSend);
    {
        SimProcess sim({"--load", QString::fromStdString(radioFile), "--sessions", "1", "--save",
                        QString::fromStdString(Path("after-write.chann"))});
        const RunResult r = RunProgram(
            "zt790ctl", {"write", "--port", sim.Device(), QString::fromStdString(sendFile)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ASSERT_TRUE(sim.WaitForExit());
        Image prepared = toSend;
        PrepareImageForWrite(prepared);
        const Image after = Load(Path("after-write.chann"));
        for (int row = 0; row < kWriteRows; ++row) EXPECT_EQ(after[row], prepared[row]) << row;
        for (int row = kWriteRows; row < kImageRows; ++row)
            EXPECT_EQ(after[row], memory[row]) << row;
        EXPECT_EQ(after[208][12], 5);
    }
    // Power: the radio's values are shown, the changes reach row 240.
    {
        SimProcess sim(
            {"--sessions", "1", "--save", QString::fromStdString(Path("after-power.chann"))});
        const RunResult r = RunProgram(
            "zt790ctl", {"power", "--port", sim.Device(), "--low", "20", "--high", "180"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("low 50\nmid 100\nhigh 200\n"), std::string::npos) << r.out;
        ASSERT_TRUE(sim.WaitForExit());  // the radio saw the closing 'b'
        const Image after = Load(Path("after-power.chann"));
        EXPECT_EQ(after[240][0], 20);
        EXPECT_EQ(after[240][1], 100);
        EXPECT_EQ(after[240][2], 180);
        EXPECT_EQ(after[240][3], 2);
    }
}

// Slow by nature: four attempts of 1 s each plus three 5 s pauses and the last.
TEST_F(CtlTest, FourFailedAttemptsExitWith1AndLeaveTheOutputFile) {
    const std::string output = Path("kept.chann");
    std::ofstream(output) << "previous contents";
    SimProcess sim({"--fault", "silent@ident:always"});
    const RunResult r = RunProgram(
        "zt790ctl", {"read", "--port", sim.Device(), "--output", QString::fromStdString(output)},
        60000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Fail connect with transceiver."), std::string::npos) << r.err;
    EXPECT_EQ(ReadText(output), "previous contents");
}

}  // namespace
}  // namespace zt::testing
