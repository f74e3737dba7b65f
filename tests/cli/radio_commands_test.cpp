// read --verify, write --backup --verify and the port failures, run as a user
// runs them: zt790ctl against zt790sim on a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSerialPort>
#include <chrono>
#include <thread>

#include "ctl_run.h"
#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/channel.h"

namespace zt {
namespace {

using testing::BinDir;
using testing::ReadAll;
using testing::RunCtl;
using testing::ScratchDir;

// zt790sim in the background until it has served `sessions` exchanges; it then
// saves its memory to sim-out.chann and ends.
class Sim {
  public:
    Sim(const ScratchDir& dir, const std::string& args, int sessions) : dir_(dir) {
        const std::string command =
            "cd '" + dir.path().string() + "' && exec '" + BinDir() +
            "/zt790sim' --save sim-out.chann --sessions " + std::to_string(sessions) + " " + args +
            " >sim-dev.txt 2>sim-err.txt & echo $! >'" + (dir / "sim-pid.txt").string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        for (int i = 0; i < 200 && device_.empty(); ++i) {
            const std::string text = ReadAll(dir / "sim-dev.txt");
            if (text.find('\n') != std::string::npos) device_ = text.substr(0, text.find('\n'));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        pid_ = std::atoi(ReadAll(dir / "sim-pid.txt").c_str());
    }
    ~Sim() {
        if (pid_ > 0) ::kill(pid_, SIGTERM);
    }
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;
    [[nodiscard]] const std::string& Device() const { return device_; }
    // Waits until the radio has stopped and saved its memory.
    Image Finish() {
        Image memory{};
        FileResult loaded;
        for (int i = 0; i < 500 && !loaded.ok; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            loaded = LoadChannelFile(dir_ / "sim-out.chann", memory);
        }
        EXPECT_TRUE(loaded.ok) << ReadAll(dir_ / "sim-err.txt");
        return memory;
    }

  private:
    const ScratchDir& dir_;
    std::string device_;
    int pid_ = -1;
};

Image RadioWithChannels() {
    Image image = BlankImage();
    for (int c = 1; c <= 20; ++c) {
        StoreRxText(image, c, "446.0" + std::to_string(c % 10));
        ApplyGridDefaults(image, c);
    }
    return image;
}

TEST(RadioCommands, ReadVerifyRefusesToSaveWhenTheTwoReadsDiffer) {
    ScratchDir dir;
    ASSERT_TRUE(SaveChannelFile(dir / "radio.chann", RadioWithChannels()).ok);
    Sim sim(dir, "--load radio.chann --fault corrupt@100", 2);
    ASSERT_FALSE(sim.Device().empty());
    const auto r = RunCtl(dir, "read -p " + sim.Device() + " -o got.chann --verify");
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_NE(r.err.find("verification failed: two reads of the radio differ, first at block 100 "
                         "(address 0x0640)"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "got.chann"));
}

TEST(RadioCommands, BackupThenWriteThenReadBackCatchesALostWrite) {
    ScratchDir dir;
    const Image before = RadioWithChannels();
    ASSERT_TRUE(SaveChannelFile(dir / "radio.chann", before).ok);
    Image edited = before;
    StoreRxText(edited, 7, "440.5");
    ASSERT_TRUE(SaveChannelFile(dir / "edited.chann", edited).ok);
    Sim sim(dir, "--load radio.chann --fault no-store@7", 3);
    ASSERT_FALSE(sim.Device().empty());
    const auto r =
        RunCtl(dir, "write -p " + sim.Device() + " edited.chann --backup backup.chann --verify");
    EXPECT_EQ(r.exitCode, 8) << r.err;
    EXPECT_NE(r.err.find("Backup saved to backup.chann"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("the radio holds something other than what was written, first at "
                         "block 7 (address 0x0070)"),
              std::string::npos)
        << r.err;
    Image backup{};
    ASSERT_TRUE(LoadChannelFile(dir / "backup.chann", backup).ok);
    EXPECT_EQ(backup, before);
    const Image memory = sim.Finish();
    EXPECT_EQ(RxText(memory, 7), RxText(before, 7));  // the lost block
    EXPECT_EQ(memory[8], edited[8]);
}

TEST(RadioCommands, AVerifiedWriteThatArrivesIntact) {
    ScratchDir dir;
    ASSERT_TRUE(SaveChannelFile(dir / "radio.chann", RadioWithChannels()).ok);
    Sim sim(dir, "", 2);
    ASSERT_FALSE(sim.Device().empty());
    const auto r = RunCtl(dir, "write -p " + sim.Device() + " radio.chann --verify");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Verified: the radio holds what was written (blocks 0..239)."),
              std::string::npos);
    EXPECT_EQ(RxText(sim.Finish(), 20), "446.00000");
}

TEST(RadioCommands, PortFailuresHaveTheirOwnMessagesAndExitCodes) {
    ScratchDir dir;
    auto r = RunCtl(dir, "read -p /dev/ttyUSB-not-here -o x.chann");
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("No such serial port: /dev/ttyUSB-not-here"), std::string::npos) << r.err;
    EXPECT_EQ(RunCtl(dir, "power -p /dev/ttyUSB-not-here").exitCode, 5);

    // A port another program holds open.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    QSerialPort holder;
    holder.setPortName(QString::fromStdString(slave));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    r = RunCtl(dir, "write -p " + slave + " x.chann --backup b.chann");
    EXPECT_EQ(r.exitCode, 3);  // the missing file is found before the port is touched
    r = RunCtl(dir, "read -p " + slave + " -o x.chann");
    EXPECT_EQ(r.exitCode, 7) << r.err;
    EXPECT_NE(r.err.find("The serial port " + slave + " is busy"), std::string::npos) << r.err;
    holder.close();
    ::close(master);

    if (::geteuid() == 0) GTEST_SKIP() << "root may open any port; no permission to refuse";
    testing::WriteAll(dir / "locked", "");
    ::chmod((dir / "locked").c_str(), 0);
    r = RunCtl(dir, "read -p locked -o x.chann");
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_NE(r.err.find("Permission denied on locked."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("sudo adduser"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace zt
