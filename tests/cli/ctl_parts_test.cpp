// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl's parts called directly: the port list report and port failures;
// verified reads and backed-up writes against the in-process radio on a virtual
// clock, with the faults a protocol without checksum cannot see.
#include "cli/image_report.h"
#include "cli/limit_report.h"
#include "cli/port_report.h"
#include "transfer/safe_transfer.h"

#include "ctl_run.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::ctl {
namespace {

using testing::Radio;

const UserGroups kAnn{"ann", {"ann"}, {"ann"}};
const std::string kRule = "/usr/lib/udev/rules.d/60-zt790prog-cables.rules";
const PortProbe kDialout{true, false, "root", "dialout", 0660};
const PortProbe kRootOnly{true, false, "root", "root", 0600};
const PortProbe kNone{false, false, "", "", 0};
const PortProbe kOpen{true, true, "root", "dialout", 0660};

PortLine Line(const std::string& device, const char* description, PortProbe probe) {
    return {{device.substr(5), device, description, false}, probe};
}

// The advice reads the port's own owner, group and mode: the port's group to
// join, or for a port only root may open the udev rule the package installs.
TEST(PortReport, NumbersAccessAndAdvice) {
    EXPECT_EQ(PortListReport({}, kAnn, kRule),
              "No serial ports found.\n"
              "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
              "/dev/ttyACM0.\n");
    EXPECT_EQ(PortListReport({Line("/dev/ttyUSB0", "FT232R USB UART (FTDI)", kDialout),
                              Line("/dev/ttyACM0", "", kOpen), Line("/dev/ttyS0", "", kRootOnly),
                              Line("/dev/ttyS1", "", kDialout)},
                             kAnn, kRule),
              "No.  Device        Access  Description\n"
              "  1  /dev/ttyUSB0  denied  FT232R USB UART (FTDI)\n"
              "  2  /dev/ttyACM0  ok\n"
              "  3  /dev/ttyS0    denied\n"
              "  4  /dev/ttyS1    denied\n"
              "\n"
              "The port belongs to the dialout group (crw-rw---- root dialout). To use it without "
              "root, add yourself to the group:\n"
              "    sudo adduser ann dialout\n"
              "then log out and in again.\n"
              "\n"
              "The port is for root only (crw------- root root).\n"
              "The udev rule zt790prog installs, /usr/lib/udev/rules.d/60-zt790prog-cables.rules, "
              "gives USB programming cables to the dialout group. Load it, or plug the cable in "
              "again:\n"
              "    sudo udevadm control --reload && sudo udevadm trigger\n"
              "Then add yourself to the dialout group:\n"
              "    sudo adduser ann dialout\n"
              "and log out and in again.\n");
}

TEST(PortAccess, FailuresAreToldApart) {
    EXPECT_EQ(ClassifyPortFailure(kNone, true), PortFailure::NoSuchDevice);
    EXPECT_EQ(ClassifyPortFailure(kDialout, true), PortFailure::PermissionDenied);
    EXPECT_EQ(ClassifyPortFailure(kOpen, true), PortFailure::Busy);
    EXPECT_EQ(ClassifyPortFailure(kOpen, false), PortFailure::Other);
}

TEST(PortAccess, MessagesNameThePortTheReasonAndWhatToDo) {
    const struct {
        PortFailure failure;
        const char* reason;
        PortProbe probe;
        const char* message;
    } cases[] = {
        {PortFailure::NoSuchDevice, "/dev/ttyUSB0: No such file or directory", kNone,
         "cannot open /dev/ttyUSB0: No such file or directory\n"
         "No such serial port: is the programming cable plugged in? Run 'zt790ctl doctor' to "
         "find out why.\n"},
        {PortFailure::PermissionDenied, "/dev/ttyUSB0: Permission denied", kRootOnly,
         "cannot open /dev/ttyUSB0: Permission denied\n"
         "The port is for root only (crw------- root root).\n"
         "zt790prog's udev rule 60-zt790prog-cables.rules gives USB programming cables to the "
         "dialout group; the zt790prog package installs it in /usr/lib/udev/rules.d. Install the "
         "package, then load the rule:\n"
         "    sudo udevadm control --reload && sudo udevadm trigger\n"
         "Then add yourself to the dialout group:\n"
         "    sudo adduser ann dialout\n"
         "and log out and in again.\n"},
        {PortFailure::Busy, "/dev/ttyUSB0: Permission error while locking the device", kOpen,
         "cannot open /dev/ttyUSB0: Permission error while locking the device\n"
         "The port is busy: another program has it open. Close the other program (another "
         "zt790ctl or zt790prog, a terminal program, ModemManager) and try again; 'zt790ctl "
         "doctor --port /dev/ttyUSB0' names it.\n"},
        {PortFailure::Other, "Inappropriate ioctl for device", kOpen,
         "cannot open /dev/ttyUSB0: Inappropriate ioctl for device\n"
         "Check that this is the programming cable's port: 'zt790ctl ports' lists the serial "
         "ports of this machine.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortFailureMessage(c.failure, "/dev/ttyUSB0", c.reason, c.probe, kAnn, ""),
                  c.message);
    }
    for (const char* busy :
         {"Device or resource busy", "Permission error while locking the device"})
        EXPECT_TRUE(ReasonSaysBusy(busy)) << busy;
    for (const char* other : {"Inappropriate ioctl for device", "Permission denied", ""})
        EXPECT_FALSE(ReasonSaysBusy(other)) << other;
}

// The other kinds of refused record and the refusal's closing lines: the show
// report below and the zt790ctl tests.
TEST(LimitReport, FrequenciesInMegahertzAndAReceiveFrequencyOutsideAlone) {
    EXPECT_EQ(MHzText(14652000), "146.52000");
    EXPECT_EQ(MHzText(40000001), "400.00001");
    EXPECT_EQ(MHzText(0), "0.00000");
    EXPECT_EQ(MHzText(-350000), "-3.50000");
    EXPECT_EQ(LimitFailureText({5, 39950000, 40950000, true, false, {400, 470}}),
              "channel 5: receive 399.50000 MHz is outside the band limits 400..470 MHz (transmit "
              "409.50000 MHz is inside)");
    EXPECT_EQ(LimitRefusalReport({}), "");
}

// `show` marks what a write would refuse, in its own spelling.
TEST(ImageReport, MarksEveryRefusedRecord) {
    Image image = BlankImage();
    StoreRxText(image, 1, "446.00625");
    ApplyGridDefaults(image, 1);
    StoreRxText(image, 2, "146.52");
    ApplyGridDefaults(image, 2);
    StoreRxText(image, 3, "465");
    ApplyGridDefaults(image, 3);
    StoreTxMHz(image, 3, 47500000);
    image[0][12] = 0x42;  // frequency mode: plus its offset of 10 MHz
    const std::string channels = ChannelTableReport(image);
    for (const char* part :
         {" 1        446.00625   446.00625   OFF", " 2        146.52000*  146.52000*  OFF",
          " 3        465.00000   475.00000*  OFF",
          "* outside the band limits: zt790ctl write refuses this file\n"}) {
        EXPECT_TRUE(testing::Has(channels, part));
    }
    EXPECT_FALSE(testing::Has(BandLimitsReport(BlankImage()), "refuses"));
    EXPECT_TRUE(testing::Has(
        BandLimitsReport(image),
        "Band limits: 400 to 470 MHz\n"
        "zt790ctl write refuses this file:\n"
        "  frequency mode: transmit 472.01250 MHz is outside the band limits 400..470 MHz "
        "(receive 462.01250 MHz is inside)\n"
        "  channel 2: receive 146.52000 MHz is outside the band limits 400..470 MHz, and so is "
        "transmit 146.52000 MHz\n"
        "  channel 3: transmit 475.00000 MHz is outside the band limits 400..470 MHz (receive "
        "465.00000 MHz is inside)\n"));
    EXPECT_FALSE(testing::Has(FrequencyModeReport(BlankImage()), "*"));
    const std::string vfo = FrequencyModeReport(image);
    EXPECT_TRUE(testing::Has(vfo, "  Receive    462.01250 MHz\n"));
    EXPECT_TRUE(testing::Has(vfo, "  Transmit   472.01250 MHz *\n"));
    EXPECT_TRUE(testing::Has(vfo, "* outside the band limits: zt790ctl write refuses this file\n"));
    const std::string options = OptionsReport(image);
    EXPECT_TRUE(testing::Has(options, "Channel display            Frequency\n")) << options;
}

class SafeTransfer : public ::testing::Test {
  protected:
    SafeTransfer() {
        // The radio's memory with one channel changed, as a user would write it.
        app.ChannelTable = Radio(0);
        StoreRxText(app.ChannelTable, 5, "446.1");
        ApplyGridDefaults(app.ChannelTable, 5);
    }
    LinkRig Rig() {
        return {port, timers, [this](auto& done) { return clock.RunUntil(done, Ms(600'000)); },
                [this](const std::string& text) { announced.push_back(text); }};
    }
    void Fault(const std::string& spec) {
        std::string error;
        auto plan = ParseFaultSpec(spec, error);
        ASSERT_TRUE(plan) << error;
        radio.AddFault(*plan);
    }
    TransferReport Read(bool verify) { return ReadRadio(app, Rig(), quiet, verify); }
    TransferReport Write(std::function<bool(const Image&, std::string&)> backup) {
        return WriteRadio(app, Rig(), quiet, WriteOptions{false, std::move(backup)});
    }
    bool SentAnyWriteFrame() const {
        const auto& sent = port.Sent();
        for (std::size_t i = 0; i + 3 < sent.size(); ++i) {
            if (sent[i] == 'W' && sent[i + 3] == 0x10) return true;
        }
        return false;
    }

    AppState app;
    VirtualClock clock;
    SimRadio radio{Radio(0)};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    ExchangeObserver quiet;
    std::vector<std::string> announced;
};

TEST_F(SafeTransfer, VerifiedReadKeepsOnlyTwoAgreeingReads) {
    EXPECT_EQ(Read(true).status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, Radio(0), 254), -1);
    EXPECT_EQ(radio.SessionsCompleted(), 2);
    EXPECT_EQ(announced, std::vector<std::string>{"Reading the radio a second time to verify"});
    for (int block : {0, 253}) {
        Fault("corrupt@" + std::to_string(block));
        const Image before = app.ChannelTable;
        const TransferReport r = Read(true);
        EXPECT_EQ(r.status, TransferStatus::VerifyFailed);
        EXPECT_EQ(r.differingBlock, block);
        EXPECT_EQ(app.ChannelTable, before);  // nothing of either read is kept
    }
    // An unverified read takes what arrives.
    Fault("corrupt@37");
    EXPECT_EQ(Read(false).status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, Radio(0), 254), 37);
}

// A limit check before the backup and a port that will not open: the zt790ctl
// tests.
TEST_F(SafeTransfer, NoByteIsWrittenUnlessTheBackupIsKept) {
    TransferReport r = Write([](const Image&, std::string& reason) {
        reason = "disk full";
        return false;
    });
    EXPECT_EQ(r.status, TransferStatus::BackupFailed);
    EXPECT_EQ(r.detail, "disk full");
    EXPECT_FALSE(SentAnyWriteFrame());

    // A backup read that never completes (the radio stops answering at block
    // 100, through every retry) stops the write as well.
    bool called = false;
    Fault("silent@100:always");
    r = Write([&](const Image&, std::string&) { return called = true; });
    EXPECT_EQ(r.status, TransferStatus::NoAnswer);
    EXPECT_TRUE(r.duringBackup);
    EXPECT_FALSE(called);
    EXPECT_FALSE(SentAnyWriteFrame());
    EXPECT_EQ(radio.Memory(), Radio(0));
}

// Radios on one loop: each task takes the next step after every event, so a
// good radio finishes as soon as it would alone while the others fail beside
// it, each in its own way.
TEST(TransferTasks, ShareOneLoopAndFailAlone) {
    struct Radio1 {
        explicit Radio1(VirtualClock& clock, const char* fault)
            : port(clock, &radio), timers(clock) {
            port.SetByteTimeMicros(1042);  // 9600 baud
            std::string error;
            if (fault) radio.AddFault(*ParseFaultSpec(fault, error));
        }
        SimRadio radio{Radio(7)};
        SimPort port;
        VirtualTimers timers;
        std::unique_ptr<TransferTask> task;
        VirtualClock::Micros end = -1;
    };
    AppState app;
    ExchangeObserver quiet;
    auto run = [&](VirtualClock& clock, std::vector<std::unique_ptr<Radio1>>& radios) {
        for (auto& r : radios) r->task = TransferTask::Read(app, true, r->port, r->timers, quiet);
        EXPECT_TRUE(clock.RunUntil(
            [&] {
                bool all = true;
                for (auto& r : radios) {
                    if (r->end < 0 && r->task->Step()) r->end = clock.Now();
                    all = all && r->end >= 0;
                }
                return all;
            },
            Ms(600'000)));
    };
    VirtualClock alone;
    std::vector<std::unique_ptr<Radio1>> one;
    one.push_back(std::make_unique<Radio1>(alone, nullptr));
    run(alone, one);

    VirtualClock shared;
    std::vector<std::unique_ptr<Radio1>> three;
    for (const char* fault :
         {static_cast<const char*>(nullptr), "silent@ident:always", "silent@100:always"})
        three.push_back(std::make_unique<Radio1>(shared, fault));
    run(shared, three);
    const TransferReport& good = three[0]->task->Report();
    EXPECT_EQ(good.status, TransferStatus::Ok);
    EXPECT_EQ(good.blocksAgreeing, 254);
    EXPECT_EQ(three[0]->task->Result().ChannelTable[200], Radio(7)[200]);
    EXPECT_EQ(three[0]->end, one[0]->end);
    // Four attempts each: the silent radio never answers, the other stops at block 100.
    for (const auto& [radio, answered] :
         {std::pair{three[1].get(), false}, std::pair{three[2].get(), true}}) {
        EXPECT_EQ(radio->task->Report().status, TransferStatus::NoAnswer);
        EXPECT_EQ(radio->task->Report().answered, answered);
        EXPECT_GT(radio->end, Ms(3 * 5000 + 4 * 1000));
    }
}

}  // namespace
}  // namespace zt::ctl
