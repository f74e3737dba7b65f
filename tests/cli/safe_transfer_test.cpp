// Verified reads and backed-up writes against the in-process radio on a virtual
// clock, with the faults a protocol without checksum cannot see.
#include "cli/safe_transfer.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/channel.h"
#include "sim/sim_port.h"
#include "sim/virtual_timers.h"

namespace zt::ctl {
namespace {

// A memory where every block differs, with a valid band row and no channels
// outside it, so it can be written back.
Image RadioMemory() {
    Image image = BlankImage();
    for (int r = 211; r < kRadioRows; ++r) {
        if (r == kPowerRow) continue;
        for (int f = 0; f < kRowBytes; ++f) image[r][f] = static_cast<std::uint8_t>(r * 7 + f);
    }
    return image;
}

class SafeTransfer : public ::testing::Test {
  protected:
    SafeTransfer() {
        // The radio's memory with one channel more, as a user would write it.
        app.ChannelTable = RadioMemory();
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
    SimRadio radio{RadioMemory()};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    ExchangeObserver quiet;
    std::vector<std::string> announced;
};

TEST_F(SafeTransfer, VerifiedReadKeepsOnlyTwoAgreeingReads) {
    EXPECT_EQ(Read(true).status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, RadioMemory(), kRadioRows), -1);
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
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, RadioMemory(), kRadioRows), 37);
}

TEST_F(SafeTransfer, NoByteIsWrittenUnlessTheBackupIsKeptAndTheLimitsHold) {
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
    EXPECT_EQ(radio.Memory(), RadioMemory());

    // A limit check stops a backed-up write before anything is sent.
    radio.ClearFaults();
    port.ClearSent();
    StoreRxText(app.ChannelTable, 6, "480");  // outside 400..470
    ApplyGridDefaults(app.ChannelTable, 6);
    r = Write([](const Image&, std::string&) { return true; });
    EXPECT_EQ(r.status, TransferStatus::CheckFailed);
    EXPECT_NE(r.detail.find("Channel 6that Receiving"), std::string::npos) << r.detail;
    EXPECT_TRUE(port.Sent().empty());
    port.FailOpen(true);
    EXPECT_EQ(Read(true).status, TransferStatus::PortFailed);
    EXPECT_TRUE(port.Sent().empty());
}

}  // namespace
}  // namespace zt::ctl
