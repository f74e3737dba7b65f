// zt790ctl's radio commands and exit codes, against zt790sim on a
// pseudo-terminal.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSerialPort>

#include "ctl_run.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/write_prep.h"

namespace zt::testing {
namespace {

// Twenty channels, and every row beyond the channels but the band edges
// different, so a lost or shifted block shows.
Image Radio(int salt) {
    Image image = BlankImage();
    for (int c = 1; c <= 20; ++c) {
        StoreRxText(image, c, "446.0" + std::to_string(c % 10));
        ApplyGridDefaults(image, c);
    }
    for (int r = 129; r < kRadioRows; ++r) {
        if (r == 153) continue;
        for (int f = 0; f < kRowBytes; ++f)
            image[r][f] = static_cast<std::uint8_t>(r * 7 + f * 13 + salt);
    }
    return image;
}

::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

using CtlCommands = CtlTest;

TEST_F(CtlCommands, UsageErrorsExitWith2AndHelpWith0) {
    EXPECT_EQ(Ctl("--help").exitCode, 0);
    for (const char* cmd : {"read", "write", "power"}) {
        const RunResult help = Ctl(QString(cmd) + " --help");
        EXPECT_EQ(help.exitCode, 0) << cmd;
        EXPECT_TRUE(Has(help.out, "--port"));
    }
    for (const char* args : {"", "read --output x.chann", "read --port 9 --output x.chann",
                             "read --port 0 --output x.chann", "power --port 1 --high 256",
                             "write --port 1", "erase --port 1", "show"}) {
        EXPECT_EQ(Ctl(args).exitCode, 2) << args;
    }
}

TEST_F(CtlCommands, FileErrorsExitWith3AndALimitCheckWith4BeforeAnyPortIsOpened) {
    EXPECT_EQ(Ctl("write --port 1 none.chann").exitCode, 3);
    EXPECT_EQ(Ctl("write -p /nonexistent/tty none.chann --backup b.chann").exitCode, 3);
    Write("bad.chann", "1 2 3 not a channel file");
    const RunResult bad = Ctl("write --port 1 bad.chann");
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_FALSE(bad.err.empty());
    EXPECT_EQ(Ctl("read --port 1 --output no/such/dir.chann").exitCode, 3);

    Image image = BlankImage();
    image[7] = ImageRow{0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Save("limits.chann", image);
    const RunResult r = Ctl("write --port /nonexistent/tty limits.chann");
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(Has(r.err,
                    "Channel 7that Receiving or transmitting frequency  out of frequency "
                    "limitation range "));
}

TEST_F(CtlCommands, PortFailuresHaveTheirOwnMessagesAndExitCodes) {
    RunResult r = Ctl("read -p /nonexistent/tty -o x.chann");
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_TRUE(Has(r.err, "Communication port is error"));
    EXPECT_TRUE(Has(r.err, "No such serial port: /nonexistent/tty"));
    EXPECT_EQ(Ctl("power -p /nonexistent/tty").exitCode, 5);

    // A port another program holds open.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string slave = ::ptsname(master);
    QSerialPort holder(QString::fromStdString(slave));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    r = Ctl(QString::fromStdString("read -p " + slave + " -o x.chann"));
    EXPECT_EQ(r.exitCode, 7) << r.err;
    EXPECT_TRUE(Has(r.err, "The serial port " + slave + " is busy"));
    holder.close();
    ::close(master);

    if (::geteuid() == 0) GTEST_SKIP() << "root may open any port; no permission to refuse";
    Write("locked", "");
    ::chmod("locked", 0);
    r = Ctl("read -p locked -o x.chann");
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_TRUE(Has(r.err, "Permission denied on locked."));
    EXPECT_TRUE(Has(r.err, "sudo adduser"));
}

TEST_F(CtlCommands, ReadVerifiedWriteAndPowerEndToEnd) {
    // Read: the file holds the radio's memory.
    const Image memory = Radio(3);
    Save("radio.chann", memory);
    auto sim = Sim(1, "--load radio.chann");
    RunResult r = Ctl("read --port " + sim->Device() + " --output read.chann");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Image read = Load("read.chann");
    for (int row = 0; row < kRadioRows; ++row) EXPECT_EQ(read[row], memory[row]) << row;
    EXPECT_TRUE(sim->WaitForExit());

    // Write and read back: the radio ends with rows 0..239 of the prepared file.
    Image toSend = Radio(40);
    toSend[5] = ImageRow{0x00, 0x50, 0x25, 0x44, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Save("send.chann", toSend);
    sim = Sim(2, "--load radio.chann");
    r = Ctl("write --port " + sim->Device() + " send.chann --verify");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "Verified: the radio holds what was written (blocks 0..239)."));
    Image prepared = toSend;
    PrepareImageForWrite(prepared);
    const Image after = Finish(*sim);
    for (int row = 0; row < kWriteRows; ++row) EXPECT_EQ(after[row], prepared[row]) << row;
    for (int row = kWriteRows; row < kImageRows; ++row) EXPECT_EQ(after[row], memory[row]) << row;
    EXPECT_EQ(after[208][12], 1);  // the first channel in use, filled in before sending

    // Power: the radio's values are shown, the changes reach row 240.
    sim = Sim(1);
    r = Ctl("power --port " + sim->Device() + " --low 20 --high 180");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "low 50\nmid 100\nhigh 200\n"));
    const ImageRow power = Finish(*sim)[240];  // the radio saw the closing 'b'
    EXPECT_EQ((std::vector<int>{power[0], power[1], power[2], power[3]}),
              (std::vector<int>{20, 100, 180, 2}));
}

TEST_F(CtlCommands, VerificationCatchesACorruptedReadAndALostWrite) {
    const Image before = Radio(0);
    Save("radio.chann", before);
    auto sim = Sim(2, "--load radio.chann --fault corrupt@100");
    RunResult r = Ctl("read -p " + sim->Device() + " -o got.chann --verify");
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_TRUE(Has(r.err,
                    "verification failed: two reads of the radio differ, first at block "
                    "100 (address 0x0640)"));
    EXPECT_FALSE(std::filesystem::exists("got.chann"));

    // Backup, write, read back: the radio acknowledged block 7 but kept the old one.
    Image edited = before;
    StoreRxText(edited, 7, "440.5");
    Save("edited.chann", edited);
    sim = Sim(3, "--load radio.chann --fault no-store@7");
    r = Ctl("write -p " + sim->Device() + " edited.chann --backup backup.chann --verify");
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_TRUE(Has(r.err, "Backup saved to backup.chann"));
    EXPECT_TRUE(Has(r.err,
                    "the radio holds something other than what was written, first at "
                    "block 7 (address 0x0070)"));
    EXPECT_EQ(Load("backup.chann"), before);
    const Image memory = Finish(*sim);
    EXPECT_EQ(RxText(memory, 7), RxText(before, 7));
    EXPECT_EQ(memory[8], edited[8]);
}

// Slow by nature: four attempts of 1 s each plus three 5 s pauses and the last.
TEST_F(CtlCommands, FourFailedAttemptsExitWith1AndLeaveTheOutputFile) {
    Write("kept.chann", "previous contents");
    SimProcess sim({"--fault", "silent@ident:always"});
    const RunResult r = Ctl("read --port " + sim.Device() + " --output kept.chann");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.err, "Fail connect with transceiver."));
    EXPECT_EQ(Read("kept.chann"), "previous contents");
}

}  // namespace
}  // namespace zt::testing
