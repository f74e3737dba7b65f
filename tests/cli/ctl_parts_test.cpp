// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl's parts called directly: the port list report and port failures;
// verified reads and backed-up writes against the in-process radio on a virtual
// clock, with the faults a protocol without checksum cannot see.
#include "cli/port_report.h"
#include "cli/safe_transfer.h"

#include "ctl_run.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::ctl {
namespace {

using testing::Radio;

const UserGroups kAnn{"ann", {"ann"}, {"ann"}};

PortLine Line(const std::string& device, const char* description, bool accessible) {
    return {{device.substr(5), device, description, false}, {true, accessible, "dialout"}};
}

TEST(PortReport, NumbersAccessAndAdvice) {
    EXPECT_EQ(PortListReport({}, kAnn),
              "No serial ports found.\n"
              "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
              "/dev/ttyACM0.\n");
    EXPECT_EQ(PortListReport({Line("/dev/ttyUSB0", "FT232R USB UART (FTDI)", false),
                              Line("/dev/ttyACM0", "", true), Line("/dev/ttyS0", "", false)},
                             kAnn),
              "No.  Device        Access  Description\n"
              "  1  /dev/ttyUSB0  denied  FT232R USB UART (FTDI)\n"
              "  2  /dev/ttyACM0  ok\n"
              "  3  /dev/ttyS0    denied\n"
              "\n"
              "Serial ports belong to the dialout group. To use them without root, add yourself "
              "to it:\n"
              "    sudo adduser ann dialout\n"
              "then log out and in again.\n");
    // Added to the group, but not yet logged in again.
    const std::string report =
        PortListReport({Line("/dev/ttyUSB0", "", false)}, {"ann", {"ann"}, {"ann", "dialout"}});
    EXPECT_NE(report.find("You are in the dialout group, but this login session started before "
                          "you were added:\nlog out and in again (or run: newgrp dialout).\n"),
              std::string::npos)
        << report;
}

TEST(PortAccess, FailuresAreToldApart) {
    EXPECT_EQ(ClassifyPortFailure({false, false, ""}, true), PortFailure::NoSuchDevice);
    EXPECT_EQ(ClassifyPortFailure({true, false, "dialout"}, true), PortFailure::PermissionDenied);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, true), PortFailure::Busy);
    EXPECT_EQ(ClassifyPortFailure({true, true, "dialout"}, false), PortFailure::Other);
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
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, Radio(0), kRadioRows), -1);
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
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, Radio(0), kRadioRows), 37);
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
