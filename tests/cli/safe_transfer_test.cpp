// Verified reads, verified writes and backups against the in-process radio on a
// virtual clock, with the faults a protocol without checksum cannot see.
#include "cli/safe_transfer.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/channel.h"
#include "sim/sim_port.h"
#include "sim/sim_radio.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_timers.h"

namespace zt::ctl {
namespace {

// A memory where every block differs, with a valid band row and no channels
// outside it, so it can be written back.
Image RadioMemory() {
    Image image = BlankImage();
    for (int r = 211; r < kRadioRows; ++r) {
        if (r == kPowerRow) continue;
        for (int f = 0; f < kRowBytes; ++f) {
            image[static_cast<std::size_t>(r)][static_cast<std::size_t>(f)] =
                static_cast<std::uint8_t>(r * 7 + f);
        }
    }
    return image;
}

FaultPlan Fault(const char* spec) {
    std::string error;
    auto plan = ParseFaultSpec(spec, error);
    EXPECT_TRUE(plan) << error;
    return plan.value_or(FaultPlan{});
}

class SafeTransfer : public ::testing::Test {
  protected:
    SafeTransfer() { app.ChannelTable = BlankImage(); }

    LinkRig Rig() {
        return {port, timers,
                [this](const std::function<bool()>& done) {
                    return clock.RunUntil(done, Ms(10 * 60 * 1000));
                },
                [this](const std::string& text) { announced.push_back(text); }};
    }
    // The image a user would write: the radio's memory with one channel more.
    Image Edited() {
        Image image = RadioMemory();
        StoreRxText(image, 5, "446.1");
        ApplyGridDefaults(image, 5);
        return image;
    }
    bool SentAnyWriteFrame() const {
        const auto& sent = port.Sent();
        for (std::size_t i = 0; i + 3 < sent.size(); ++i) {
            if ((sent[i] == 'W' && sent[i + 3] == 0x10) ||
                (sent[i] == 'E' && i + 1 == sent.size())) {
                return true;
            }
        }
        return false;
    }

    AppState app;
    VirtualClock clock;
    SimRadio radio{RadioMemory()};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    ExchangeObserver quiet;
    std::vector<std::string> announced;
};

TEST_F(SafeTransfer, VerifiedReadOfASoundLine) {
    const TransferReport r = ReadRadio(app, Rig(), quiet, true);
    EXPECT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, RadioMemory(), kRadioRows), -1);
    EXPECT_EQ(radio.SessionsCompleted(), 2);
    EXPECT_EQ(announced, std::vector<std::string>{"Reading the radio a second time to verify"});
}

TEST_F(SafeTransfer, ACorruptedByteMakesTheTwoReadsDisagree) {
    for (const char* spec : {"corrupt@37", "corrupt@0", "corrupt@253"}) {
        SCOPED_TRACE(spec);
        radio.ClearFaults();
        radio.AddFault(Fault(spec));
        const Image before = app.ChannelTable;
        const TransferReport r = ReadRadio(app, Rig(), quiet, true);
        EXPECT_EQ(r.status, TransferStatus::VerifyFailed);
        EXPECT_EQ(r.differingBlock, std::atoi(std::string(spec).substr(8).c_str()));
        EXPECT_EQ(app.ChannelTable, before);  // nothing of either read is kept
    }
}

TEST_F(SafeTransfer, AnUnverifiedReadTakesWhatArrives) {
    radio.AddFault(Fault("corrupt@37"));
    EXPECT_EQ(ReadRadio(app, Rig(), quiet, false).status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, RadioMemory(), kRadioRows), 37);
}

TEST_F(SafeTransfer, VerifiedWriteWithBackup) {
    app.ChannelTable = Edited();
    std::optional<Image> backup;
    WriteOptions options;
    options.verify = true;
    options.backup = [&](const Image& memory, std::string&) {
        EXPECT_EQ(radio.SessionsCompleted(), 1);  // only the read so far
        backup = memory;
        return true;
    };
    const TransferReport r = WriteRadio(app, Rig(), quiet, options);
    EXPECT_EQ(r.status, TransferStatus::Ok);
    ASSERT_TRUE(backup);
    EXPECT_EQ(FirstDifferingBlock(*backup, RadioMemory(), kRadioRows), -1);
    EXPECT_EQ((*backup)[255], BlankImage()[255]);
    // The radio holds the prepared image in blocks 0..239.
    EXPECT_EQ(FirstDifferingBlock(radio.Memory(), app.ChannelTable, kWriteRows), -1);
    EXPECT_FALSE(IsChannelEmpty(radio.Memory(), 5));
    EXPECT_EQ(radio.SessionsCompleted(), 3);
}

TEST_F(SafeTransfer, AWriteTheRadioAcknowledgedButDidNotStoreIsCaught) {
    app.ChannelTable = Edited();
    radio.AddFault(Fault("no-store@5"));
    WriteOptions options;
    options.verify = true;
    const TransferReport r = WriteRadio(app, Rig(), quiet, options);
    EXPECT_EQ(r.status, TransferStatus::VerifyFailed);
    EXPECT_TRUE(r.duringVerify);
    EXPECT_EQ(r.differingBlock, 5);
    // Without --verify the same write looks fine.
    radio.ClearFaults();
    radio.AddFault(Fault("no-store@5"));
    radio.Memory() = RadioMemory();
    EXPECT_EQ(WriteRadio(app, Rig(), quiet, {}).status, TransferStatus::Ok);
    EXPECT_TRUE(IsChannelEmpty(radio.Memory(), 5));
}

TEST_F(SafeTransfer, NoWriteFrameUnlessTheBackupIsKept) {
    app.ChannelTable = Edited();
    WriteOptions options;
    options.backup = [](const Image&, std::string& reason) {
        reason = "disk full";
        return false;
    };
    TransferReport r = WriteRadio(app, Rig(), quiet, options);
    EXPECT_EQ(r.status, TransferStatus::BackupFailed);
    EXPECT_EQ(r.detail, "disk full");
    EXPECT_FALSE(SentAnyWriteFrame());
    EXPECT_EQ(radio.Memory(), RadioMemory());

    // A backup read that never completes (the radio stops answering at block
    // 100, through every retry) stops the write as well.
    bool called = false;
    options.backup = [&](const Image&, std::string&) { return called = true; };
    radio.AddFault(Fault("silent@100:always"));
    port.ClearSent();
    r = WriteRadio(app, Rig(), quiet, options);
    EXPECT_EQ(r.status, TransferStatus::NoAnswer);
    EXPECT_TRUE(r.duringBackup);
    EXPECT_FALSE(called);
    EXPECT_FALSE(SentAnyWriteFrame());
    EXPECT_EQ(radio.Memory(), RadioMemory());
}

TEST_F(SafeTransfer, ALimitCheckStopsABackedUpWriteBeforeAnyByteIsSent) {
    app.ChannelTable = Edited();
    StoreRxText(app.ChannelTable, 6, "480");  // outside 400..470
    ApplyGridDefaults(app.ChannelTable, 6);
    WriteOptions options;
    options.backup = [](const Image&, std::string&) { return true; };
    const TransferReport r = WriteRadio(app, Rig(), quiet, options);
    EXPECT_EQ(r.status, TransferStatus::CheckFailed);
    EXPECT_NE(r.detail.find("Channel 6that Receiving"), std::string::npos) << r.detail;
    EXPECT_TRUE(port.Sent().empty());
}

TEST_F(SafeTransfer, APortThatWillNotOpen) {
    port.FailOpen(true);
    const TransferReport r = ReadRadio(app, Rig(), quiet, true);
    EXPECT_EQ(r.status, TransferStatus::PortFailed);
    EXPECT_TRUE(port.Sent().empty());
}

}  // namespace
}  // namespace zt::ctl
