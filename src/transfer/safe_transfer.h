// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads and writes that a dealer can trust although the protocol carries no
// checksum: a read can be taken twice and compared, a write can be preceded by
// a backup of the radio and followed by a read-back of what it sent.
//
// A TransferTask runs one radio's exchanges one after another on fresh links
// over the same port and timers. It never waits: Step() is called after every
// event of whatever loop drives it (the Qt event loop in zt790ctl, a virtual
// clock in tests) and starts the next exchange once the last has ended, so the
// tasks of several radios share one loop. No Qt.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/exchange_observer.h"
#include "link/port.h"
#include "link/serial_link.h"
#include "link/timer.h"
#include "model/app_state.h"
#include "transfer/model_check.h"
#include "transfer/radio_history.h"

namespace zt {

// What drives one radio's transfer: the port, its timers, and a loop that
// handles events until the condition holds (false if it gave up waiting).
struct LinkRig {
    Port& port;
    LinkTimers& timers;
    std::function<bool(const std::function<bool()>&)> runUntil;
    // Told what comes next when one command runs several exchanges; may be empty.
    std::function<void(const std::string&)> announce;
};

enum class TransferStatus {
    Ok,
    PortFailed,       // the port would not open; nothing was sent
    NoAnswer,         // the radio did not answer after the retries
    CheckFailed,      // a frequency-limit check stopped the write; nothing was sent
    BackupFailed,     // the backup could not be kept; no write frame was sent
    VerifyFailed,     // two reads, or the write and its read-back, differ
    BackupUnsettled,  // three reads for the backup all differ; nothing was written
    ModelMismatch,    // the radio's band is not the image's; nothing was written
};

struct TransferReport {
    TransferStatus status = TransferStatus::Ok;
    std::string portError;    // PortFailed: the system's reason
    int differingBlock = -1;  // VerifyFailed, BackupUnsettled: the first block that differs
    BiString differences;     // VerifyFailed: where, in radio terms ("channels 3, 5")
    std::string detail;       // CheckFailed, BackupFailed: why
    BiString refusal;         // CheckFailed: the limit check's message
    std::optional<ModelMismatch> model;  // ModelMismatch: the two bands
    bool duringBackup = false;           // the failure happened while reading the backup
    bool duringWrite = false;            // ... while writing
    bool duringVerify = false;           // ... while reading back after the write
    // NoAnswer: the radio had answered the programming request before it went
    // quiet (a write may have stopped part-way); false when it never did.
    bool answered = false;
    // NoAnswer: the port closed under the exchange (the link saw the line go).
    bool lineLost = false;
    // The blocks a verification compared (0 when none was made) and how many
    // of them agreed.
    int blocksCompared = 0;
    int blocksAgreeing = 0;
    int backupReads = 0;  // the reads the backup took (0: none was taken)
};

// A write that stopped after the radio had taken blocks: it now holds part of
// the new image and part of its old memory.
[[nodiscard]] bool HalfWritten(const TransferReport& report);
// What a half-written radio means and what to do about it.
[[nodiscard]] BiString HalfWrittenText();

// The first of blocks 0..rows-1 where the images differ, -1 when none does.
[[nodiscard]] int FirstDifferingBlock(const Image& a, const Image& b, int rows);

// How many reads a backup may take: two that agree, or a third that agrees
// with one of them.
inline constexpr int kBackupReads = 3;

struct WriteOptions {
    // Read the radio back after the write and compare blocks 0..239.
    bool verify = false;
    // When set: the radio is read first, until two reads agree, and its memory
    // handed over; returning false (with a reason) stops everything before the
    // first write frame.
    std::function<bool(const Image& radio, std::string& reason)> backup;
    // Earlier reads of the radio (its history): a first backup read that
    // equals one of them in rows 0..253 needs no second read.
    std::vector<Image> earlier;
    // Asked when the backup shows the radio's band edges differ from the
    // image's: true writes all the same. Unset: the write is refused.
    std::function<bool(const ModelMismatch&)> confirmModel;
    // Send the image exactly as it is (a backup put back): no derived rows
    // completed, no limit checks.
    bool asIs = false;
};

// Where a task keeps what it read and wrote: the read, the backup and the
// image written, each as it completes.
struct HistoryTarget {
    RadioHistory* history = nullptr;  // none: nothing is kept
    std::string port;                 // the device, as entries name it
    std::string source;               // the channel file being written, if any
    // Told, once, when the history cannot be written; the transfer goes on.
    std::function<void(const BiString&)> onError;
};

// The exchange a task is running, or has just ended.
enum class TransferPhase {
    Starting,
    Reading,       // the read, or the first of two
    ReadingAgain,  // the second read of a verified read
    BackingUp,     // a read before a write (BackupPass() says which)
    Writing,
    ReadingBack,  // the read after a write
    Done,
};

class TransferTask {
  public:
    // Reads the radio's rows 0..253 (twice, and compared, with `verify`).
    static std::unique_ptr<TransferTask> Read(const AppState& app, bool verify, Port& port,
                                              LinkTimers& timers, ExchangeObserver& observer);
    // Writes app.ChannelTable as the write window does (the derived rows are
    // completed and both limit checks run first).
    static std::unique_ptr<TransferTask> Write(const AppState& app, WriteOptions options,
                                               Port& port, LinkTimers& timers,
                                               ExchangeObserver& observer);
    ~TransferTask();
    TransferTask(const TransferTask&) = delete;
    TransferTask& operator=(const TransferTask&) = delete;

    // Told the text of each exchange after the first as it begins.
    void SetAnnounce(std::function<void(const std::string&)> announce) {
        announce_ = std::move(announce);
    }
    // Told the phase of each exchange just before it starts.
    void SetPhaseHandler(std::function<void(TransferPhase)> handler) {
        onPhase_ = std::move(handler);
    }

    // Keeps the task's reads and writes in a history; its newest entry for the
    // port also counts as an earlier read of the radio for the backup.
    void SetHistory(HistoryTarget target) { history_ = std::move(target); }

    // Call after every event (and once to begin): starts what comes next when
    // the running exchange has ended. True once the transfer is over. Never
    // call it from inside an observer callback.
    bool Step();
    // Stops the running exchange (timers stop, the port closes); the transfer
    // ends as not answered.
    void Abort();

    [[nodiscard]] TransferPhase Phase() const { return phase_; }
    // While backing up: the read under way, 1..kBackupReads.
    [[nodiscard]] int BackupPass() const { return backupPass_; }
    // The radio's memory as the backup settled it, once it has.
    [[nodiscard]] const std::optional<Image>& Backup() const { return backup_; }
    [[nodiscard]] const TransferReport& Report() const { return report_; }
    // After a successful read: the image read (rows 0..253 the radio's, the rest
    // as given). After a write: the image as sent, derived rows included.
    [[nodiscard]] const AppState& Result() const { return *result_; }

  private:
    struct Exchange;
    TransferTask(const AppState& app, bool read, bool verify, WriteOptions options, Port& port,
                 LinkTimers& timers, ExchangeObserver& observer);
    void Begin(TransferPhase phase, LinkMode mode, AppState& state);
    // The running exchange has ended: its outcome, then what comes after it.
    void EndExchange();
    void Next();
    void Fail(TransferReport report);
    void Compare(const Image& expected, const Image& got, int rows);
    void StartBackup();
    void NextBackupRead();
    // A backup read has ended: settled, read again, or given up.
    void SettleBackup();
    void AfterBackup();
    void BeginWrite();
    void Keep(HistoryKind kind, const Image& image);
    void Announce(const std::string& text);

    bool read_;
    bool verify_;
    WriteOptions options_;
    Port& port_;
    LinkTimers& timers_;
    ExchangeObserver& observer_;
    std::function<void(const std::string&)> announce_;
    std::function<void(TransferPhase)> onPhase_;

    AppState app_;     // the read's first pass, or the image to write
    AppState second_;  // the second pass, the backup or the read-back
    const AppState* result_ = &app_;
    std::array<Image, kBackupReads> backupReads_{};
    int backupPass_ = 0;
    std::optional<Image> backup_;
    HistoryTarget history_;
    bool historyFailed_ = false;
    bool kept_ = false;  // the end of the task has been kept
    TransferPhase phase_ = TransferPhase::Starting;
    std::unique_ptr<Exchange> exchange_;
    TransferReport report_;
};

// Runs a task to its end on the rig's loop.
[[nodiscard]] TransferReport RunTask(TransferTask& task, const LinkRig& rig);

// Reads the radio's rows 0..253 into app.ChannelTable. With `verify` the radio
// is read twice; when the passes differ the report names the first differing
// block and the image is left as it was.
[[nodiscard]] TransferReport ReadRadio(AppState& app, const LinkRig& rig,
                                       ExchangeObserver& observer, bool verify,
                                       HistoryTarget history = {});

// Writes app.ChannelTable to the radio as the write window does.
[[nodiscard]] TransferReport WriteRadio(AppState& app, const LinkRig& rig,
                                        ExchangeObserver& observer, const WriteOptions& options,
                                        HistoryTarget history = {});

}  // namespace zt
