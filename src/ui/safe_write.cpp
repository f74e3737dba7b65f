// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/safe_write.h"

#include <QTimer>
#include <algorithm>

#include "link/link_texts.h"
#include "model/app_state.h"
#include "model/write_prep.h"
#include "qtio/serial_ports.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// The phases, as the progress bar names them.
constexpr BiText kBackingUp[] = {
    {"Keeping a backup of the radio: reading it", "保存对讲机备份：读取数据"},
    {"Keeping a backup of the radio: reading it again to check", "保存对讲机备份：再次读取核对"},
    {"Keeping a backup of the radio: the two reads differ, reading a third time",
     "保存对讲机备份：两次读取不一致，第三次读取"},
};
constexpr BiText kWriting{"Writing the radio", "写入对讲机"};
constexpr BiText kRestoring{"Putting the backup back into the radio", "将备份写回对讲机"};
constexpr BiText kReadingBack{"Reading the radio back to compare", "读回对讲机数据核对"};

// The outcomes: short for the window's label, in full for the message box.
constexpr BiText kVerified{"Read back and compared: the radio holds the image.",
                           "已读回核对：对讲机中的数据与写入的一致 ！"};
constexpr BiText kRestored{"The backup is back in the radio: it holds what it held before.",
                           "备份已写回：对讲机恢复为原来的数据 ！"};
constexpr BiText kNothingWritten{"Nothing was written to the radio.",
                                 "没有向对讲机写入任何数据 ！"};
constexpr BiText kHalfWritten{"The radio is now half-written.", "对讲机只写入了一部分 ！"};
constexpr BiText kNotCheckedShort{"Written, but not read back: not checked.",
                                  "已写入，但未能读回核对 ！"};
constexpr BiText kNotChecked{
    "The radio was written, but it did not answer the read-back: what it holds is not checked.",
    "数据已写入，但读回时对讲机没有应答，未能核对 ！"};
constexpr BiText kUnsettledShort{"No backup: three reads differ. Nothing was written.",
                                 "无法保存备份：三次读取都不一致。没有写入任何数据 ！"};
constexpr BiText kRepair{
    "Write Again sends the image once more; Restore Backup puts back what the radio held.",
    "“重新写入”再次写入数据；“恢复备份”写回对讲机原来的数据。"};
constexpr BiText kRepairWithoutBackup{"Write Again sends the image once more.",
                                      "“重新写入”再次写入数据。"};
constexpr BiText kWriteAnyway{"Write it all the same?", "仍然写入吗？"};
constexpr BiText kWriteButton{"Write", "写入"};
constexpr BiText kCancelButton{"Cancel", "取消"};
constexpr BiText kGoesOn{"The write goes on.", "写入继续进行。"};

constexpr int kReadUnits = 254;
constexpr int kWriteUnits = 240;
constexpr int kCloseDelayMs = 500;

int Units(TransferPhase phase) {
    return phase == TransferPhase::Writing ? kWriteUnits : kReadUnits;
}

// Two sentences; the Chinese ones end in their own full stop.
BiString Join(const BiString& a, const BiString& b) {
    return {a.english + " " + b.english, a.chinese + b.chinese};
}

// The port as the history names it: the device.
std::string HistoryPort(const AppState& state) {
    const ResolvedPort resolved = ResolvePortChoice(state.ComPort, state.ComDevice);
    return resolved.ok ? resolved.device : "COM" + std::to_string(state.ComPort);
}

void ShowPrompt(MessagePresenter& presenter, const BiString& text, bool chinese) {
    presenter.show(qs(text.in(chinese)), qs(kOperatePrompt, chinese));
}

}  // namespace

void KeepInHistory(const AppState& state, MessagePresenter& presenter, HistoryKind kind,
                   const Image& image, const std::string& source) {
    if (state.HistoryFolder.empty()) return;
    RadioHistory history(state.HistoryFolder);
    BiString error;
    if (!history.Add(kind, HistoryPort(state), image, source, error))
        ShowPrompt(presenter, error, state.LanguageChinese);
}

SafeWrite::SafeWrite(AppState& state, MessagePresenter& presenter, LinkDevices& devices,
                     LinkCallDepth& depth, QObject* parent)
    : QObject(parent), state_(state), presenter_(presenter), devices_(devices), depth_(depth) {}

SafeWrite::~SafeWrite() { abort(); }

void SafeWrite::start(Job job) {
    abort();
    job_ = job;
    limitShown_ = false;
    AppState source = state_;
    WriteOptions options;
    options.verify = job == Job::Restore || state_.WriteReadsBack;
    const bool keepHistory = !state_.HistoryFolder.empty();
    history_ = keepHistory ? std::make_unique<RadioHistory>(state_.HistoryFolder) : nullptr;
    planned_.clear();
    if (job == Job::Restore) {
        source.ChannelTable = *backup_;
        options.asIs = true;
    } else {
        // The derived rows are the image's from the start, as for a plain write.
        PrepareImageForWrite(state_.ChannelTable);
        source.ChannelTable = state_.ChannelTable;
    }
    if (job == Job::Write && state_.WriteKeepsBackup) {
        backup_.reset();
        options.backup = [this](const Image& memory, std::string&) {
            backup_ = memory;
            return true;
        };
        options.confirmModel = [this](const ModelMismatch& m) { return askModel(m); };
        const bool seenBefore = history_ && history_->Latest(HistoryPort(state_)).has_value();
        planned_.insert(planned_.end(), seenBefore ? 1 : 2, TransferPhase::BackingUp);
    }
    planned_.push_back(TransferPhase::Writing);
    if (options.verify) planned_.push_back(TransferPhase::ReadingBack);
    total_ = 0;
    for (const TransferPhase p : planned_) total_ += Units(p);
    done_ = current_ = shown_ = 0;

    task_ =
        TransferTask::Write(source, std::move(options), *devices_.port, *devices_.timers, *this);
    task_->SetPhaseHandler([this](TransferPhase phase) { phaseBegins(phase); });
    if (history_) {
        const std::string source = sourceFile && job != Job::Restore ? sourceFile() : "";
        task_->SetHistory(
            {history_.get(), HistoryPort(state_), source, [this](const BiString& error) {
                 const LinkCallDepth::Scope scope(depth_);
                 ShowPrompt(presenter_, Join(error, BiString(kGoesOn)), state_.LanguageChinese);
             }});
    }
    step();
}

void SafeWrite::abort() {
    devices_.timers->Stop(LinkTimer::Close);
    devices_.timers->SetTickHandler({});
    if (!task_) return;
    task_->Abort();
    task_.reset();
}

void SafeWrite::step() {
    if (!task_) return;
    bool over = false;
    {
        const LinkCallDepth::Scope scope(depth_);
        over = task_->Step();
    }
    if (over) finish();
}

void SafeWrite::phaseBegins(TransferPhase phase) {
    done_ += current_;
    current_ = Units(phase);
    const auto it = std::find(planned_.begin(), planned_.end(), phase);
    if (it == planned_.end()) {
        total_ += current_;  // a read more than expected
    } else {
        for (auto skipped = planned_.begin(); skipped != it; ++skipped) total_ -= Units(*skipped);
        planned_.erase(planned_.begin(), it + 1);
    }
    BiText caption = kReadingBack;
    if (phase == TransferPhase::BackingUp) {
        caption = kBackingUp[std::clamp(task_->BackupPass(), 1, 3) - 1];
    } else if (phase == TransferPhase::Writing) {
        caption = job_ == Job::Restore ? kRestoring : kWriting;
    }
    emit phaseChanged(qs(caption, state_.LanguageChinese));
}

void SafeWrite::OnProgress(int percent) {
    const int value = (done_ + current_ * percent / 100) * 100 / std::max(total_, 1);
    if (value <= shown_) return;
    shown_ = std::min(value, 100);
    emit progressChanged(shown_);
}

void SafeWrite::OnStatus(const LinkText& label) {
    emit statusChanged(qs(label.in(state_.LanguageChinese)));
}

void SafeWrite::OnMessage(const LinkMessage& message) {
    switch (message.kind) {
        case LinkMessageKind::ReadComplete:  // the backup and the read-back are steps of the job
        case LinkMessageKind::FailConnect:   // told with what it means once the job has ended
            return;
        case LinkMessageKind::LimitCheck:
            limitShown_ = true;
            break;
        case LinkMessageKind::PortError:
        case LinkMessageKind::Busy:
        case LinkMessageKind::DontClose:
            break;
    }
    const LinkCallDepth::Scope scope(depth_);
    ShowLinkMessage(presenter_, message, state_, devices_);
}

void SafeWrite::OnFinished(ExchangeOutcome) {
    // The task takes its next step once the link's own call has returned.
    QTimer::singleShot(0, this, &SafeWrite::step);
}

bool SafeWrite::askModel(const ModelMismatch& mismatch) {
    const bool chinese = state_.LanguageChinese;
    const BiString question = Join(ModelMismatchText(mismatch), BiString(kWriteAnyway));
    const LinkCallDepth::Scope scope(depth_);
    return presenter_.ask(qs(question.in(chinese)), qs(kOperatePrompt, chinese),
                          {qs(kWriteButton, chinese), qs(kCancelButton, chinese)}, 1) == 0;
}

void SafeWrite::tell(const BiText& label, const BiString& box) { tell(BiString(label), box); }

void SafeWrite::tell(const BiString& label, const BiString& box) {
    const bool chinese = state_.LanguageChinese;
    emit statusChanged(qs(label.in(chinese)));
    if (box.empty()) return;
    const LinkCallDepth::Scope scope(depth_);
    ShowPrompt(presenter_, box, chinese);
}

void SafeWrite::finish() {
    const std::unique_ptr<TransferTask> task = std::move(task_);
    const TransferReport& r = task->Report();
    const bool restore = job_ == Job::Restore;
    emit phaseChanged({});
    // The write exchange completed when the task went on to the read-back.
    const bool written = r.status == TransferStatus::Ok || r.duringVerify;
    if (written && !restore) emit imageWritten(task->Result().ChannelTable);
    const BiString repair(hasBackup() ? kRepair : kRepairWithoutBackup);
    const bool afterWrite = job_ != Job::Write;  // the radio was half-written before this job
    const bool chinese = state_.LanguageChinese;
    switch (r.status) {
        case TransferStatus::Ok: {
            emit progressChanged(100);
            if (restore) {
                tell(kRestored);
                emit ended(false, false);
                return;
            }
            QString done = qs(link_text::kWriteDone, chinese);
            if (r.blocksCompared > 0) done += "\n" + qs(kVerified, chinese);
            emit statusChanged(done);
            emit ended(true, false);
            // Half a second to see it, as after a plain write, on the job's
            // own timers (no link runs on them any more).
            devices_.timers->SetTickHandler([this](LinkTimer timer) {
                if (timer != LinkTimer::Close) return;
                devices_.timers->Stop(LinkTimer::Close);
                emit closeDue();
            });
            devices_.timers->Start(LinkTimer::Close, kCloseDelayMs);
            return;
        }
        case TransferStatus::VerifyFailed: {
            const BiString mismatch{
                "The radio does not hold what was written: " + r.differences.english + ".",
                "对讲机中的数据与写入的不一致：" + r.differences.chinese + " ！"};
            tell(mismatch, Join(mismatch, repair));
            emit ended(false, true);
            return;
        }
        case TransferStatus::NoAnswer:
        case TransferStatus::PortFailed:
            if (HalfWritten(r)) {
                tell(kHalfWritten, Join(HalfWrittenText(), repair));
                emit ended(false, true);
            } else if (r.duringVerify) {
                tell(kNotCheckedShort, Join(BiString(kNotChecked), repair));
                emit ended(false, true);
            } else if (r.status == TransferStatus::PortFailed) {
                // The port message has been shown; the label says which port and why.
                emit statusChanged(qs(r.portError));
                emit ended(false, afterWrite);
            } else {
                tell(Join(BiString(link_text::kCommunicationFault), BiString(kNothingWritten)),
                     BiString(link_text::kFailConnect));
                emit ended(false, afterWrite);
            }
            return;
        case TransferStatus::CheckFailed:
            tell(kNothingWritten, limitShown_ ? BiString{} : r.refusal);
            emit ended(false, afterWrite);
            return;
        case TransferStatus::BackupUnsettled:
            tell(kUnsettledShort,
                 {"Three reads of the radio differ, first at block " +
                      std::to_string(r.differingBlock) +
                      ": the line is unreliable and no backup could be kept. Nothing was written "
                      "to the radio.",
                  "三次读取对讲机的数据都不一致（首先在第 " + std::to_string(r.differingBlock) +
                      " 块）：连接不可靠，无法保存备份。没有写入任何数据 ！"});
            emit ended(false, false);
            return;
        case TransferStatus::ModelMismatch:
        case TransferStatus::BackupFailed:
            tell(kNothingWritten);
            emit ended(false, false);
            return;
    }
}

}  // namespace zt
