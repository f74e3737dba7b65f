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

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/exchange_observer.h"
#include "link/port.h"
#include "link/serial_link.h"
#include "link/timer.h"
#include "model/app_state.h"

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
    PortFailed,    // the port would not open; nothing was sent
    NoAnswer,      // the radio did not answer after the retries
    CheckFailed,   // a frequency-limit check stopped the write; nothing was sent
    BackupFailed,  // the backup could not be kept; no write frame was sent
    VerifyFailed,  // two reads, or the write and its read-back, differ
};

struct TransferReport {
    TransferStatus status = TransferStatus::Ok;
    std::string portError;      // PortFailed: the system's reason
    int differingBlock = -1;    // VerifyFailed: the first block that differs
    std::string detail;         // CheckFailed, BackupFailed: why
    bool duringBackup = false;  // the failure happened while reading the backup
    bool duringVerify = false;  // ... while reading back after the write
    // NoAnswer: the radio had answered the programming request before it went
    // quiet (a write may have stopped part-way); false when it never did.
    bool answered = false;
    // NoAnswer: the port closed under the exchange (the link saw the line go).
    bool lineLost = false;
    // The blocks a verification compared (0 when none was made) and how many
    // of them agreed.
    int blocksCompared = 0;
    int blocksAgreeing = 0;
};

// The first of blocks 0..rows-1 where the images differ, -1 when none does.
[[nodiscard]] int FirstDifferingBlock(const Image& a, const Image& b, int rows);

struct WriteOptions {
    // Read the radio back after the write and compare blocks 0..239.
    bool verify = false;
    // When set: the radio is read first and its memory handed over; returning
    // false (with a reason) stops everything before the first write frame.
    std::function<bool(const Image& radio, std::string& reason)> backup;
};

// The exchange a task is running, or has just ended.
enum class TransferPhase {
    Starting,
    Reading,       // the read, or the first of two
    ReadingAgain,  // the second read of a verified read
    BackingUp,     // the read before a write
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

    // Call after every event (and once to begin): starts what comes next when
    // the running exchange has ended. True once the transfer is over. Never
    // call it from inside an observer callback.
    bool Step();
    // Stops the running exchange (timers stop, the port closes); the transfer
    // ends as not answered.
    void Abort();

    [[nodiscard]] TransferPhase Phase() const { return phase_; }
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
                                       ExchangeObserver& observer, bool verify);

// Writes app.ChannelTable to the radio as the write window does.
[[nodiscard]] TransferReport WriteRadio(AppState& app, const LinkRig& rig,
                                        ExchangeObserver& observer, const WriteOptions& options);

}  // namespace zt
