// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A write as a user runs it, for every front end that offers one (the desktop
// write window, the browser page): the safeguards chosen (a backup of the
// radio first, read until two reads agree, with the model check; a read-back
// compared with what was sent), one progress value over the whole job, each
// phase named, and the outcome worded, short for a label and in full for a
// message box, with whether the radio may need repairing (Write Again,
// Restore Backup). It drives a TransferTask on the front end's port and
// timers; the front end shows what its WriteJobView is told. No Qt.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/exchange_observer.h"
#include "link/port.h"
#include "link/timer.h"
#include "model/bitext.h"
#include "transfer/safe_transfer.h"

namespace zt {

class WriteJobView {
  public:
    virtual ~WriteJobView() = default;

    virtual void ProgressChanged(int percent) = 0;
    // The phase under way ("Writing the radio"), empty once the job has ended.
    virtual void PhaseChanged(const BiString& phase) = 0;
    // The status label: the link's own text during a phase, then the outcome.
    virtual void StatusChanged(const BiString& text) = 0;
    // A message of the link (the port would not open, a limit check failed).
    virtual void ShowLinkMessage(const LinkMessage& message) = 0;
    // A message box titled "Operate prompt".
    virtual void ShowMessage(const BiString& text) = 0;
    // Asked when the radio's band is not the image's: true writes all the same.
    virtual bool ConfirmModel(const BiString& question) = 0;
    // Every block of the image was acknowledged: `image` as sent.
    virtual void ImageWritten(const Image& image) = 0;
    // The radio's memory as the backup settled it.
    virtual void BackupKept(const Image& /*memory*/) {}
    // The job has ended. `done`: the radio holds what was meant (CloseDue
    // follows half a second later); `repair`: offer Write Again and Restore
    // Backup.
    virtual void Ended(bool done, bool repair) = 0;
    virtual void CloseDue() = 0;
    // Call WriteJob::Step() once the call that asks for it has returned.
    virtual void StepLater() = 0;
};

struct WriteJobSettings {
    bool keepBackup = true;
    bool readBack = true;
    // Where the job keeps what it read and wrote; none: nothing is kept.
    RadioHistory* history = nullptr;
    std::string port;    // the device, as the history names it
    std::string source;  // the channel file being written, if any
};

class WriteJob : private ExchangeObserver {
  public:
    enum class Kind {
        Write,       // as the settings say
        WriteAgain,  // the image once more, keeping the backup already taken
        Restore,     // the backup put back as it was read, then read back
    };

    WriteJob(WriteJobView& view, Port& port, LinkTimers& timers);
    ~WriteJob() override;
    WriteJob(const WriteJob&) = delete;
    WriteJob& operator=(const WriteJob&) = delete;

    // Starts a job on `state`'s image (a write completes its derived rows
    // first, in `state` too), in `state`'s language.
    void Start(Kind kind, AppState& state, const WriteJobSettings& settings);
    // Takes the next step; call it when the view asks (StepLater).
    void Step();
    // Stops at once: timers stop, the port closes.
    void Abort();

    [[nodiscard]] bool Running() const { return task_ != nullptr; }
    [[nodiscard]] const std::optional<Image>& Backup() const { return backup_; }

  private:
    void OnProgress(int percent) override;
    void OnStatus(const LinkText& label) override;
    void OnMessage(const LinkMessage& message) override;
    void OnFinished(ExchangeOutcome outcome) override;

    void PhaseBegins(TransferPhase phase);
    void Finish();
    // The outcome: `label` in the window, `box` in a message box when given.
    void Tell(const BiString& label, const BiString& box = {});

    WriteJobView& view_;
    Port& port_;
    LinkTimers& timers_;
    std::unique_ptr<TransferTask> task_;
    Kind kind_ = Kind::Write;
    std::optional<Image> backup_;
    bool limitShown_ = false;
    // The progress bar: the passes still expected (254 blocks a read, 240 the
    // write), the blocks of those done, the pass under way.
    std::vector<TransferPhase> planned_;
    int done_ = 0;
    int current_ = 0;
    int total_ = 1;
    int shown_ = 0;
};

}  // namespace zt
