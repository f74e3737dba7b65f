// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/safe_transfer.h"

#include <algorithm>

#include "link/write_checks.h"
#include "model/blank_image.h"
#include "transfer/difference_summary.h"

namespace zt {
namespace {

// Passes every event on and keeps the outcome of the exchange.
class OutcomeTap final : public ExchangeObserver {
  public:
    explicit OutcomeTap(ExchangeObserver& inner) : inner_(inner) {}
    void OnProgress(int percent) override { inner_.OnProgress(percent); }
    void OnStatus(const LinkText& label) override { inner_.OnStatus(label); }
    void OnStep(const LinkStep& step) override {
        if (step.kind == LinkStep::Kind::LineLost) lineLost_ = true;
        inner_.OnStep(step);
    }
    void OnMessage(const LinkMessage& message) override {
        if (message.kind == LinkMessageKind::LimitCheck) refusal_ = message.text;
        inner_.OnMessage(message);
    }
    void OnPowerValues(int low, int mid, int high) override {
        inner_.OnPowerValues(low, mid, high);
    }
    void OnFinished(ExchangeOutcome outcome) override {
        outcome_ = outcome;
        inner_.OnFinished(outcome);
    }
    void OnCloseDue() override { inner_.OnCloseDue(); }

    [[nodiscard]] const std::optional<ExchangeOutcome>& Outcome() const { return outcome_; }
    [[nodiscard]] bool LineLost() const { return lineLost_; }
    [[nodiscard]] const BiString& Refusal() const { return refusal_; }

  private:
    BiString refusal_;
    ExchangeObserver& inner_;
    std::optional<ExchangeOutcome> outcome_;
    bool lineLost_ = false;
};

}  // namespace

// One exchange on a fresh link.
struct TransferTask::Exchange {
    Exchange(LinkMode mode, AppState& state, Port& port, LinkTimers& timers,
             ExchangeObserver& observer)
        : tap(observer), link(mode, state, port, timers, tap) {}

    [[nodiscard]] bool Ended() const {
        return start != StartResult::Started || tap.Outcome().has_value();
    }

    OutcomeTap tap;
    SerialLink link;
    StartResult start = StartResult::Started;
    bool answered = false;  // the link came up in some attempt
};

int FirstDifferingBlock(const Image& a, const Image& b, int rows) {
    for (int r = 0; r < rows; ++r) {
        if (a[static_cast<std::size_t>(r)] != b[static_cast<std::size_t>(r)]) return r;
    }
    return -1;
}

std::unique_ptr<TransferTask> TransferTask::Read(const AppState& app, bool verify, Port& port,
                                                 LinkTimers& timers, ExchangeObserver& observer) {
    return std::unique_ptr<TransferTask>(
        new TransferTask(app, true, verify, {}, port, timers, observer));
}

std::unique_ptr<TransferTask> TransferTask::Write(const AppState& app, WriteOptions options,
                                                  Port& port, LinkTimers& timers,
                                                  ExchangeObserver& observer) {
    const bool verify = options.verify;
    return std::unique_ptr<TransferTask>(
        new TransferTask(app, false, verify, std::move(options), port, timers, observer));
}

TransferTask::TransferTask(const AppState& app, bool read, bool verify, WriteOptions options,
                           Port& port, LinkTimers& timers, ExchangeObserver& observer)
    : read_(read),
      verify_(verify),
      options_(std::move(options)),
      port_(port),
      timers_(timers),
      observer_(observer),
      app_(app) {}

TransferTask::~TransferTask() = default;

bool TransferTask::Step() {
    while (phase_ != TransferPhase::Done) {
        if (exchange_) {
            exchange_->answered = exchange_->answered || exchange_->link.Vars().LinkUp;
            if (!exchange_->Ended()) return false;
            EndExchange();
            continue;
        }
        Next();
    }
    if (!kept_) {
        kept_ = true;
        if (read_ && report_.status == TransferStatus::Ok)
            Keep(HistoryKind::Read, app_.ChannelTable);
    }
    return true;
}

void TransferTask::Keep(HistoryKind kind, const Image& image) {
    if (!history_.history) return;
    BiString error;
    // Only an image written came from a file; the others are the radio's memory.
    const std::string source = kind == HistoryKind::Written ? history_.source : "";
    if (history_.history->Add(kind, history_.port, image, source, error)) return;
    if (!historyFailed_ && history_.onError) history_.onError(error);
    historyFailed_ = true;
}

void TransferTask::Abort() {
    if (phase_ == TransferPhase::Done) return;
    TransferReport report;
    report.status = TransferStatus::NoAnswer;
    report.duringBackup = phase_ == TransferPhase::BackingUp;
    report.duringWrite = phase_ == TransferPhase::Writing;
    report.duringVerify = phase_ == TransferPhase::ReadingBack;
    if (exchange_) {
        report.answered = exchange_->answered;
        report.lineLost = exchange_->tap.LineLost();
        exchange_->link.Abort();
    }
    exchange_.reset();
    Fail(report);
}

void TransferTask::Begin(TransferPhase phase, LinkMode mode, AppState& state) {
    phase_ = phase;
    if (onPhase_) onPhase_(phase);
    exchange_ = std::make_unique<Exchange>(mode, state, port_, timers_, observer_);
    if (options_.asIs) exchange_->link.SendImageAsIs();
    exchange_->start = exchange_->link.Start();
}

void TransferTask::EndExchange() {
    TransferReport report;
    SerialLink& link = exchange_->link;
    switch (exchange_->start) {
        case StartResult::Started:
            switch (*exchange_->tap.Outcome()) {
                case ExchangeOutcome::Completed:
                    break;
                case ExchangeOutcome::PortFailed:
                    report.status = TransferStatus::PortFailed;
                    report.portError = link.LastPortError();
                    break;
                case ExchangeOutcome::Failed:
                case ExchangeOutcome::PowerEnded:
                    report.status = TransferStatus::NoAnswer;
                    break;
            }
            break;
        case StartResult::CheckFailed:
            report.status = TransferStatus::CheckFailed;
            report.refusal = exchange_->tap.Refusal();
            break;
        case StartResult::PortFailed:
            report.status = TransferStatus::PortFailed;
            report.portError = link.LastPortError();
            break;
        case StartResult::Busy:
            report.status = TransferStatus::NoAnswer;
            break;
    }
    report.answered = exchange_->answered;
    report.lineLost = exchange_->tap.LineLost();
    // The link closes the port at its end; make sure before the next one opens it.
    link.Abort();
    exchange_.reset();
    if (report.status == TransferStatus::Ok) return;
    report.duringBackup = phase_ == TransferPhase::BackingUp;
    report.duringWrite = phase_ == TransferPhase::Writing;
    report.duringVerify = phase_ == TransferPhase::ReadingBack;
    Fail(report);
}

void TransferTask::Next() {
    switch (phase_) {
        case TransferPhase::Starting:
            if (read_) {
                Begin(TransferPhase::Reading, LinkMode::Read, app_);
            } else if (options_.backup) {
                StartBackup();
            } else {
                BeginWrite();
            }
            return;
        case TransferPhase::Reading:
            if (!verify_) break;
            Announce("Reading the radio a second time to verify");
            // Each pass reads into its own copy: a differing pass changes nothing.
            second_ = app_;
            Begin(TransferPhase::ReadingAgain, LinkMode::Read, second_);
            return;
        case TransferPhase::ReadingAgain:
            Compare(app_.ChannelTable, second_.ChannelTable, kRadioRows);
            return;
        case TransferPhase::BackingUp:
            SettleBackup();
            return;
        case TransferPhase::Writing:
            Keep(HistoryKind::Written, app_.ChannelTable);
            if (!verify_) break;
            Announce("Reading the radio back to verify the write");
            // app_ now holds exactly what was sent, derived rows included.
            second_ = app_;
            Begin(TransferPhase::ReadingBack, LinkMode::Read, second_);
            return;
        case TransferPhase::ReadingBack:
            Compare(app_.ChannelTable, second_.ChannelTable, kWriteRows);
            return;
        case TransferPhase::Done:
            return;
    }
    phase_ = TransferPhase::Done;
}

void TransferTask::StartBackup() {
    if (!options_.asIs) {
        // Fail on the write's own checks before the radio is touched at all;
        // the write itself prepares the image again.
        AppState prepared = app_;
        BiString refusal;
        if (!PrepareAndCheckWrite(prepared, refusal)) {
            TransferReport report;
            report.status = TransferStatus::CheckFailed;
            report.detail = refusal.english;
            report.refusal = std::move(refusal);
            Fail(report);
            return;
        }
    }
    if (history_.history && options_.earlier.empty()) {
        if (auto latest = history_.history->Latest(history_.port))
            options_.earlier.push_back(*latest);
    }
    Announce("Reading the radio into the backup first");
    NextBackupRead();
}

void TransferTask::NextBackupRead() {
    // Each read holds the radio's rows 0..253 and the blank image's 254..255,
    // as a read into a fresh program does.
    second_ = app_;
    second_.ChannelTable = BlankImage();
    ++backupPass_;
    report_.backupReads = backupPass_;
    Begin(TransferPhase::BackingUp, LinkMode::Read, second_);
}

void TransferTask::SettleBackup() {
    const int pass = backupPass_;
    const Image& read = second_.ChannelTable;
    backupReads_[static_cast<std::size_t>(pass - 1)] = read;
    auto agrees = [&read](const Image& other) {
        return FirstDifferingBlock(read, other, kRadioRows) < 0;
    };
    // A line without checksum can garble any read; two reads alike cannot both
    // be garbled the same way.
    bool settled = false;
    if (pass == 1) {
        settled = std::any_of(options_.earlier.begin(), options_.earlier.end(), agrees);
    } else {
        for (int p = 0; p < pass - 1; ++p) settled = settled || agrees(backupReads_[p]);
    }
    if (settled) {
        backup_ = read;
        Keep(HistoryKind::Backup, read);
        AfterBackup();
        return;
    }
    if (pass < kBackupReads) {
        Announce(pass == 1 ? "Reading the radio again to check the backup"
                           : "Reading the radio a third time: the first two reads differ");
        NextBackupRead();
        return;
    }
    TransferReport report;
    report.status = TransferStatus::BackupUnsettled;
    report.duringBackup = true;
    report.differingBlock = FirstDifferingBlock(backupReads_[0], backupReads_[1], kRadioRows);
    Fail(report);
}

void TransferTask::AfterBackup() {
    if (const auto mismatch = CheckModel(*backup_, app_.ChannelTable); mismatch && !options_.asIs) {
        if (!options_.confirmModel || !options_.confirmModel(*mismatch)) {
            TransferReport report;
            report.status = TransferStatus::ModelMismatch;
            report.model = mismatch;
            Fail(report);
            return;
        }
    }
    std::string reason;
    if (!options_.backup(*backup_, reason)) {
        TransferReport report;
        report.status = TransferStatus::BackupFailed;
        report.detail = reason;
        Fail(report);
        return;
    }
    Announce("Writing the radio");
    BeginWrite();
}

void TransferTask::BeginWrite() { Begin(TransferPhase::Writing, LinkMode::Write, app_); }

void TransferTask::Compare(const Image& expected, const Image& got, int rows) {
    report_.blocksCompared = rows;
    report_.blocksAgreeing = 0;
    for (int r = 0; r < rows; ++r) {
        if (expected[static_cast<std::size_t>(r)] == got[static_cast<std::size_t>(r)])
            ++report_.blocksAgreeing;
    }
    const int block = FirstDifferingBlock(expected, got, rows);
    if (block >= 0) {
        report_.status = TransferStatus::VerifyFailed;
        report_.differingBlock = block;
        report_.differences = DescribeDifferences(expected, got, rows);
        report_.duringVerify = phase_ == TransferPhase::ReadingBack;
    }
    phase_ = TransferPhase::Done;
}

bool HalfWritten(const TransferReport& r) {
    return (r.status == TransferStatus::NoAnswer || r.status == TransferStatus::PortFailed) &&
           r.duringWrite && r.answered;
}

BiString HalfWrittenText() {
    return {
        "The radio is now half-written: it stopped answering part-way through the write and "
        "holds part of the new image and part of its old memory. Check the cable and that the "
        "radio is switched on, then write again.",
        "对讲机只写入了一部分：写入中途停止应答，现存数据一部分是新的，一部分是原来的。请检查"
        "连接线并确认对讲机已开机，然后重新写入 ！"};
}

void TransferTask::Fail(TransferReport report) {
    report.backupReads = report_.backupReads;
    report_ = std::move(report);
    phase_ = TransferPhase::Done;
}

void TransferTask::Announce(const std::string& text) {
    if (announce_) announce_(text);
}

TransferReport RunTask(TransferTask& task, const LinkRig& rig) {
    if (rig.announce) task.SetAnnounce(rig.announce);
    if (!rig.runUntil([&task] { return task.Step(); })) task.Abort();
    return task.Report();
}

TransferReport ReadRadio(AppState& app, const LinkRig& rig, ExchangeObserver& observer, bool verify,
                         HistoryTarget history) {
    const auto task = TransferTask::Read(app, verify, rig.port, rig.timers, observer);
    task->SetHistory(std::move(history));
    const TransferReport report = RunTask(*task, rig);
    if (report.status == TransferStatus::Ok) {
        app.ChannelTable = task->Result().ChannelTable;
        app.CommBuffer = task->Result().CommBuffer;
    }
    return report;
}

TransferReport WriteRadio(AppState& app, const LinkRig& rig, ExchangeObserver& observer,
                          const WriteOptions& options, HistoryTarget history) {
    const auto task = TransferTask::Write(app, options, rig.port, rig.timers, observer);
    task->SetHistory(std::move(history));
    const TransferReport report = RunTask(*task, rig);
    // The write completes the derived rows of the image, as the write window does.
    app.ChannelTable = task->Result().ChannelTable;
    return report;
}

}  // namespace zt
