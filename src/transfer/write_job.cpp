// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/write_job.h"

#include <algorithm>

#include "link/link_texts.h"
#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/write_prep.h"

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
constexpr BiText kGoesOn{"The write goes on.", "写入继续进行。"};

constexpr int kReadUnits = 254;
constexpr int kWriteUnits = 240;

int Units(TransferPhase phase) {
    return phase == TransferPhase::Writing ? kWriteUnits : kReadUnits;
}

// Two sentences; the Chinese ones end in their own full stop.
BiString Join(const BiString& a, const BiString& b) {
    return {a.english + " " + b.english, a.chinese + b.chinese};
}

}  // namespace

WriteJob::WriteJob(WriteJobView& view, Port& port, LinkTimers& timers)
    : view_(view), port_(port), timers_(timers) {}

WriteJob::~WriteJob() { Abort(); }

void WriteJob::Start(Kind kind, AppState& state, const WriteJobSettings& settings) {
    Abort();
    kind_ = kind;
    limitShown_ = false;
    AppState source = state;
    WriteOptions options;
    options.verify = kind == Kind::Restore || settings.readBack;
    planned_.clear();
    if (kind == Kind::Restore) {
        source.ChannelTable = *backup_;
        options.asIs = true;
    } else {
        // The derived rows are the image's from the start, as for a plain write.
        PrepareImageForWrite(state.ChannelTable);
        source.ChannelTable = state.ChannelTable;
    }
    if (kind == Kind::Write && settings.keepBackup) {
        backup_.reset();
        options.backup = [this](const Image& memory, std::string&) {
            backup_ = memory;
            view_.BackupKept(memory);
            return true;
        };
        options.confirmModel = [this](const ModelMismatch& m) {
            return view_.ConfirmModel(Join(ModelMismatchText(m), BiString(kWriteAnyway)));
        };
        // The radio's last memory seen on this port, loaded once: it plans the
        // progress bar and spares the task looking it up again.
        if (settings.history) {
            if (auto latest = settings.history->Latest(settings.port))
                options.earlier.push_back(std::move(*latest));
        }
        planned_.insert(planned_.end(), options.earlier.empty() ? 2 : 1, TransferPhase::BackingUp);
    }
    planned_.push_back(TransferPhase::Writing);
    if (options.verify) planned_.push_back(TransferPhase::ReadingBack);
    total_ = 0;
    for (const TransferPhase p : planned_) total_ += Units(p);
    done_ = current_ = shown_ = 0;

    task_ = TransferTask::Write(source, std::move(options), port_, timers_, *this);
    task_->SetPhaseHandler([this](TransferPhase phase) { PhaseBegins(phase); });
    if (settings.history) {
        task_->SetHistory(
            {settings.history, settings.port,
             kind == Kind::Restore ? std::string() : settings.source,
             [this](const BiString& error) { view_.ShowMessage(Join(error, BiString(kGoesOn))); }});
    }
    Step();
}

void WriteJob::Abort() {
    timers_.Stop(LinkTimer::Close);
    timers_.SetTickHandler({});
    if (!task_) return;
    task_->Abort();
    task_.reset();
}

void WriteJob::Step() {
    if (task_ && task_->Step()) Finish();
}

void WriteJob::PhaseBegins(TransferPhase phase) {
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
        caption = kind_ == Kind::Restore ? kRestoring : kWriting;
    }
    view_.PhaseChanged(BiString(caption));
}

void WriteJob::OnProgress(int percent) {
    const int value = (done_ + current_ * percent / 100) * 100 / std::max(total_, 1);
    if (value <= shown_) return;
    shown_ = std::min(value, 100);
    view_.ProgressChanged(shown_);
}

void WriteJob::OnStatus(const LinkText& label) { view_.StatusChanged(label); }

void WriteJob::OnMessage(const LinkMessage& message) {
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
    view_.ShowLinkMessage(message);
}

// The task takes its next step once the link's own call has returned.
void WriteJob::OnFinished(ExchangeOutcome) { view_.StepLater(); }

void WriteJob::Tell(const BiString& label, const BiString& box) {
    view_.StatusChanged(label);
    if (!box.empty()) view_.ShowMessage(box);
}

void WriteJob::Finish() {
    const std::unique_ptr<TransferTask> task = std::move(task_);
    const TransferReport& r = task->Report();
    const bool restore = kind_ == Kind::Restore;
    view_.PhaseChanged({});
    // The write exchange completed when the task went on to the read-back.
    const bool written = r.status == TransferStatus::Ok || r.duringVerify;
    if (written && !restore) view_.ImageWritten(task->Result().ChannelTable);
    const BiString repair(backup_ ? kRepair : kRepairWithoutBackup);
    const bool afterWrite = kind_ != Kind::Write;  // the radio was half-written before this job
    switch (r.status) {
        case TransferStatus::Ok: {
            view_.ProgressChanged(100);
            if (restore) {
                Tell(BiString(kRestored));
                view_.Ended(false, false);
                return;
            }
            BiString done(link_text::kWriteDone);
            if (r.blocksCompared > 0) {
                done = {done.english + "\n" + std::string(kVerified.english),
                        done.chinese + "\n" + std::string(kVerified.chinese)};
            }
            view_.StatusChanged(done);
            view_.Ended(true, false);
            // Half a second to see it, as after a plain write, on the job's
            // own timers (no link runs on them any more).
            timers_.SetTickHandler([this](LinkTimer timer) {
                if (timer != LinkTimer::Close) return;
                timers_.Stop(LinkTimer::Close);
                view_.CloseDue();
            });
            timers_.Start(LinkTimer::Close, kWriteCloseDelayMs);
            return;
        }
        case TransferStatus::VerifyFailed: {
            const BiString mismatch{
                "The radio does not hold what was written: " + r.differences.english + ".",
                "对讲机中的数据与写入的不一致：" + r.differences.chinese + " ！"};
            Tell(mismatch, Join(mismatch, repair));
            view_.Ended(false, true);
            return;
        }
        case TransferStatus::NoAnswer:
        case TransferStatus::PortFailed:
            if (HalfWritten(r)) {
                Tell(BiString(kHalfWritten), Join(HalfWrittenText(), repair));
                view_.Ended(false, true);
            } else if (r.duringVerify) {
                Tell(BiString(kNotCheckedShort), Join(BiString(kNotChecked), repair));
                view_.Ended(false, true);
            } else if (r.status == TransferStatus::PortFailed) {
                // The port message has been shown; the label says which port and why.
                view_.StatusChanged({r.portError, r.portError});
                view_.Ended(false, afterWrite);
            } else {
                Tell(Join(BiString(link_text::kCommunicationFault), BiString(kNothingWritten)),
                     BiString(link_text::kFailConnect));
                view_.Ended(false, afterWrite);
            }
            return;
        case TransferStatus::CheckFailed:
            Tell(BiString(kNothingWritten), limitShown_ ? BiString{} : r.refusal);
            view_.Ended(false, afterWrite);
            return;
        case TransferStatus::BackupUnsettled:
            Tell(BiString(kUnsettledShort),
                 {"Three reads of the radio differ, first at block " +
                      std::to_string(r.differingBlock) +
                      ": the line is unreliable and no backup could be kept. Nothing was written "
                      "to the radio.",
                  "三次读取对讲机的数据都不一致（首先在第 " + std::to_string(r.differingBlock) +
                      " 块）：连接不可靠，无法保存备份。没有写入任何数据 ！"});
            view_.Ended(false, false);
            return;
        case TransferStatus::ModelMismatch:
        case TransferStatus::BackupFailed:
            Tell(BiString(kNothingWritten));
            view_.Ended(false, false);
            return;
    }
}

}  // namespace zt
