// SPDX-License-Identifier: GPL-3.0-or-later
// The safe-transfer layer against the in-process radio on a virtual clock, with
// the faults a protocol without checksum cannot see: verified reads, backups
// settled by agreeing reads, the model check, the read-back, a radio left
// half-written, a backup put back byte for byte, and the history each keeps.
#include "transfer/safe_transfer.h"
#include "files/scratch_dir.h"
#include "link/link_rig.h"
#include "model/channel.h"
#include "model/write_prep.h"

namespace zt {
namespace {

using testing::PatternImage;

// A radio memory where every byte tells its address, with the UHF band edges.
Image RadioMemory(int salt = 0) {
    Image image = PatternImage(salt);
    image[kBandEdgeRow] = BlankImage()[kBandEdgeRow];
    return image;
}

// What a user writes: channels 1..20, one of them named.
Image UserImage() {
    Image image = BlankImage();
    for (int c = 1; c <= 20; ++c) {
        StoreRxText(image, c, "446.0" + std::to_string(c % 10));
        ApplyGridDefaults(image, c);
    }
    WriteName(image, 5, "BASE");
    return image;
}

FaultPlan Corrupt(int block, int byte) {
    FaultPlan plan{FaultKind::CorruptRead, {FaultTarget::Kind::Block, block}};
    plan.corruptByte = byte;
    return plan;
}

FaultPlan Spec(const char* spec) {
    std::string error;
    return *ParseFaultSpec(spec, error);
}

class SafeTransfer : public ScratchDir {
  protected:
    LinkRig Rig() {
        return {port, timers, [this](auto& done) { return clock.RunUntil(done, Ms(900'000)); },
                [this](const std::string& text) { announced.push_back(text); }};
    }
    // Writes `image` with a backup that records what it was handed.
    TransferReport Write(WriteOptions options, const Image& image = UserImage(),
                         HistoryTarget history = {}) {
        app.ChannelTable = image;
        return WriteRadio(app, Rig(), quiet, options, std::move(history));
    }
    std::function<bool(const Image&, std::string&)> Keeper() {
        return [this](const Image& memory, std::string&) {
            backedUp = memory;
            return true;
        };
    }
    bool SentAnyWriteFrame() const {
        const auto& sent = port.Sent();
        for (std::size_t i = 0; i + 3 < sent.size(); ++i)
            if (sent[i] == 'W' && sent[i + 3] == 0x10) return true;
        return false;
    }
    static bool SameRadioRows(const Image& a, const Image& b) {
        return FirstDifferingBlock(a, b, 254) < 0;
    }

    AppState app;
    VirtualClock clock;
    SimRadio radio{RadioMemory()};
    SimPort port{clock, &radio};
    VirtualTimers timers{clock};
    ExchangeObserver quiet;
    std::vector<std::string> announced;
    std::optional<Image> backedUp;
};

TEST_F(SafeTransfer, VerifiedReadKeepsOnlyTwoAgreeingReads) {
    EXPECT_EQ(ReadRadio(app, Rig(), quiet, true).status, TransferStatus::Ok);
    EXPECT_TRUE(SameRadioRows(app.ChannelTable, RadioMemory()));
    EXPECT_EQ(radio.SessionsCompleted(), 2);
    for (int block : {0, 253}) {
        radio.AddFault(Corrupt(block, 0));
        const Image before = app.ChannelTable;
        const TransferReport r = ReadRadio(app, Rig(), quiet, true);
        EXPECT_EQ(r.status, TransferStatus::VerifyFailed);
        EXPECT_EQ(r.differingBlock, block);
        EXPECT_EQ(app.ChannelTable, before);  // nothing of either read is kept
    }
    // An unverified read takes what arrives.
    radio.AddFault(Corrupt(37, 0));
    EXPECT_EQ(ReadRadio(app, Rig(), quiet, false).status, TransferStatus::Ok);
    EXPECT_EQ(FirstDifferingBlock(app.ChannelTable, RadioMemory(), 254), 37);
}

// A backup is the radio's memory or nothing: a garbled read is read again
// until two agree, and with three different reads nothing is written.
TEST_F(SafeTransfer, ABackupIsSettledByAgreeingReadsOrRefused) {
    const Image memory = RadioMemory();
    const std::vector<Image> none, same{memory}, older{RadioMemory(1)};
    const struct {
        const char* name;
        int garbled;  // reads garbled at block 50, each at another byte
        const std::vector<Image>& earlier;
        TransferStatus status;
        int reads;
    } cases[] = {
        {"clean", 0, none, TransferStatus::Ok, 2},
        {"clean, as the history has it", 0, same, TransferStatus::Ok, 1},
        {"clean, the history older", 0, older, TransferStatus::Ok, 2},
        {"first read garbled", 1, none, TransferStatus::Ok, 3},
        {"first read garbled, as the history has it", 1, same, TransferStatus::Ok, 3},
        {"three reads differ", 3, none, TransferStatus::BackupUnsettled, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        radio = SimRadio(memory);
        for (int byte = 0; byte < c.garbled; ++byte) radio.AddFault(Corrupt(50, byte));
        port.ClearSent();
        backedUp.reset();
        WriteOptions options;
        options.backup = Keeper();
        options.earlier = c.earlier;
        const TransferReport r = Write(options);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.backupReads, c.reads);
        if (c.status != TransferStatus::Ok) {
            EXPECT_EQ(r.differingBlock, 50);
            EXPECT_FALSE(backedUp.has_value());
            EXPECT_FALSE(SentAnyWriteFrame());
            EXPECT_EQ(radio.Memory(), memory);
            continue;
        }
        EXPECT_TRUE(SameRadioRows(*backedUp, memory));
        EXPECT_EQ(radio.Memory()[7], app.ChannelTable[7]);
    }
}

// A 136-174 MHz radio and a 400-470 MHz image: asked, and refused unless the
// answer is yes; the backup comes first, nothing is written before the answer.
TEST_F(SafeTransfer, TheModelCheckAsksBeforeAnImageOfAnotherBandIsWritten) {
    EXPECT_FALSE(CheckModel(RadioMemory(), UserImage()).has_value());
    Image vhf = RadioMemory();
    WriteBandEdges(vhf, {136, 174});
    const ModelMismatch expected{{136, 174}, {400, 470}};
    EXPECT_EQ(ModelMismatchText(expected).english,
              "The radio is a ZT790 C1.0 VHF (136-174 MHz), but the image is for a ZT790 C1.0 "
              "UHF (400-470 MHz).");
    EXPECT_EQ(ModelMismatchText(expected).chinese,
              "对讲机是 ZT790 C1.0 VHF（136-174 MHz），而数据是为 ZT790 C1.0 UHF（400-470 "
              "MHz） 编写的 ！");
    EXPECT_EQ(ModelMismatchText({{1, 2}, {400, 470}}).english.substr(0, 38),
              "The radio is a radio of 1-2 MHz, but t");
    for (const std::optional<bool> answer : {std::optional<bool>{}, {false}, {true}}) {
        radio = SimRadio(vhf);
        std::vector<ModelMismatch> asked;
        WriteOptions options;
        options.backup = Keeper();
        options.earlier = {vhf};
        if (answer) {
            options.confirmModel = [&, yes = *answer](const ModelMismatch& m) {
                asked.push_back(m);
                return yes;
            };
        }
        const TransferReport r = Write(options);
        EXPECT_EQ(r.status,
                  answer.value_or(false) ? TransferStatus::Ok : TransferStatus::ModelMismatch);
        EXPECT_EQ(asked.size(), answer ? 1U : 0U);
        if (r.status == TransferStatus::ModelMismatch) {
            EXPECT_EQ(r.model, expected);
            EXPECT_EQ(radio.Memory(), vhf);
            EXPECT_EQ(radio.SessionsCompleted(), 1);  // the backup's read alone
        }
    }
}

// The read-back compares every row sent, the rows a write fills in included,
// and says where the radio differs in its own terms. Silence or a pulled cable
// during the write proper leaves the radio half-written; before it answered,
// or during the backup, it is untouched.
TEST_F(SafeTransfer, AWriteTheRadioDidNotTakeWhole) {
    const struct {
        const char* fault;
        bool backup;
        bool halfWritten;
        const char* places;  // where the read-back finds the radio differs; nullptr: no answer
    } cases[] = {
        {"no-store@5", false, false, "channel 5"},
        {"no-store@165", false, false, "channels 17-20"},
        {"no-store@210", false, false, "rows a write fills in"},
        {"no-store@230", false, false, "row 230"},
        {"silent@150:always", false, true, nullptr},
        {"silent@ident:always", false, false, nullptr},
        {"silent@100:always", true, false, nullptr},
        {"pull@100", false, true, nullptr},  // last: the port stays unplugged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        radio = SimRadio(RadioMemory());
        radio.AddFault(Spec(c.fault));
        WriteOptions options;
        options.verify = true;
        if (c.backup) options.backup = Keeper();
        Image image = UserImage();
        WriteName(image, 18, "NEW");
        const TransferReport r = Write(options, image);
        EXPECT_EQ(r.status, c.places ? TransferStatus::VerifyFailed : TransferStatus::NoAnswer);
        EXPECT_EQ(HalfWritten(r), c.halfWritten);
        EXPECT_EQ(r.duringBackup, c.backup);
        EXPECT_EQ(r.duringVerify, c.places != nullptr);
        if (c.places) {
            EXPECT_EQ(r.differences.english, c.places);
            EXPECT_EQ(r.blocksAgreeing, 239);
        }
    }
    EXPECT_TRUE(HalfWrittenText().english.starts_with("The radio is now half-written"));
}

// Putting a backup back sends it as it was read: no derived row recomputed, no
// limit check (a radio may hold what the write window would refuse).
TEST_F(SafeTransfer, ABackupGoesBackByteForByte) {
    Image memory = RadioMemory();
    memory[kOptionRow][1] |= 0x10;  // a write clears this bit
    memory[3][0] = 0x99;            // a channel far outside the band
    radio = SimRadio(memory);
    ASSERT_EQ(Write({}).status, TransferStatus::Ok);
    ASSERT_NE(radio.Memory(), memory);
    WriteOptions restore;
    restore.asIs = true;
    restore.verify = true;
    EXPECT_EQ(Write(restore, memory).status, TransferStatus::Ok);
    EXPECT_EQ(radio.Memory(), memory);
}

// Each transfer keeps what it read, backed up and wrote; a folder that cannot
// be written is told once and the transfer goes on.
TEST_F(SafeTransfer, TransfersKeepTheirHistory) {
    RadioHistory history(dir / "history");
    std::vector<std::string> told;
    const HistoryTarget target{&history, "/dev/ttyUSB0", "club.chann",
                               [&](const BiString& e) { told.push_back(e.english); }};
    ASSERT_EQ(ReadRadio(app, Rig(), quiet, false, target).status, TransferStatus::Ok);
    WriteOptions options;
    options.backup = Keeper();
    options.verify = true;
    ASSERT_EQ(Write(options, UserImage(), target).status, TransferStatus::Ok);
    EXPECT_EQ(radio.SessionsCompleted(), 4);  // the read settled the backup's first read
    std::string kinds;
    for (const HistoryEntry& e : history.Entries())
        kinds += std::string(HistoryKindText(e.kind).english) + " " + e.source + "|";
    EXPECT_EQ(kinds, "written club.chann|backup |read |");
    EXPECT_EQ(history.Latest("/dev/ttyUSB0"), app.ChannelTable);
    EXPECT_TRUE(told.empty());

    ScratchDir::Write(dir / "file", "");
    RadioHistory blocked(dir / "file" / "history");
    const HistoryTarget nowhere{&blocked, "/dev/ttyUSB0", "",
                                [&](const BiString& e) { told.push_back(e.english); }};
    EXPECT_EQ(Write(options, UserImage(), nowhere).status, TransferStatus::Ok);
    ASSERT_EQ(told.size(), 1U);
    EXPECT_TRUE(told[0].starts_with("The history folder " + (dir / "file" / "history").string() +
                                    " cannot be written ("))
        << told[0];
    EXPECT_TRUE(told[0].ends_with("): this copy of the radio's memory is not kept.")) << told[0];
}

// Past its limit the history loses its oldest entries, never the newest, and
// their files with them; numbers stay with their entries.
TEST_F(SafeTransfer, TheHistoryKeepsTheNewestPastItsLimit) {
    RadioHistory history(dir / "h", 3);
    BiString error;
    for (int salt = 1; salt <= 5; ++salt)
        ASSERT_TRUE(history.Add(HistoryKind::Read, "p", RadioMemory(salt), "", error));
    std::string numbers;
    for (const HistoryEntry& e : history.Entries()) numbers += std::to_string(e.number) + " ";
    EXPECT_EQ(numbers, "5 4 3 ");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "h"), {}),
              4);  // and the index
    ASSERT_TRUE(history.Remove(4, error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "h"), {}), 3);
    EXPECT_FALSE(history.Remove(4, error));
    EXPECT_EQ(error.english, "The history has no entry 4.");
    Image image{};
    ASSERT_TRUE(history.Load(*history.Find(3), image, error));
    EXPECT_EQ(image, RadioMemory(3));
    ASSERT_TRUE(history.Add(HistoryKind::Written, "q", UserImage(), "club.chann", error));
    const HistoryEntry newest = history.Entries().front();
    EXPECT_EQ(newest.number, 6);
    EXPECT_EQ(newest.usedChannels, 20);
    EXPECT_EQ(newest.source, "club.chann");
    EXPECT_EQ(history.Latest("p"), RadioMemory(5));
}

// Radios on one loop: each task takes the next step after every event, so a
// good radio finishes as soon as it would alone while the others fail beside
// it, each in its own way.
TEST(TransferTasks, ShareOneLoopAndFailAlone) {
    struct Radio1 {
        explicit Radio1(VirtualClock& clock, const char* fault)
            : port(clock, &radio), timers(clock) {
            port.SetByteTimeMicros(1042);  // 9600 baud
            if (fault) radio.AddFault(Spec(fault));
        }
        SimRadio radio{RadioMemory(7)};
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
    EXPECT_EQ(three[0]->task->Result().ChannelTable[200], RadioMemory(7)[200]);
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
}  // namespace zt
