// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write window's job when its safeguards are on: a backup of the radio
// first (read until two reads agree; the model check with it), the write, and
// a read-back compared with what was sent, each phase named on the way and the
// progress bar covering them all. When the radio ends up holding something
// else, or is left half-written, it says so and the window offers Write Again
// and Restore Backup. The job and its words are the safe-transfer layer's
// (transfer/write_job.h); this runs it on the event loop, shows its messages
// through the presenter and keeps the history in the program's folder.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "transfer/write_job.h"
#include "ui/exchange_support.h"

namespace zt {

struct AppState;
class MessagePresenter;

// Keeps a plain read or write in the history, if the program keeps one; a
// folder that cannot be written is told.
void KeepInHistory(const AppState& state, MessagePresenter& presenter, HistoryKind kind,
                   const Image& image, const std::string& source = {});

class SafeWrite : public QObject, private WriteJobView {
    Q_OBJECT
  public:
    // Write (as the window's two options say), WriteAgain (the image once
    // more, keeping the backup already taken), Restore (the backup put back as
    // it was read, then read back).
    using Job = WriteJob::Kind;

    // Runs over the window's port and timers; `depth` is the window's guard
    // against being unloaded from inside a call (a message box).
    SafeWrite(AppState& state, MessagePresenter& presenter, LinkDevices& devices,
              LinkCallDepth& depth, QObject* parent = nullptr);
    ~SafeWrite() override;

    void start(Job job);
    // The channel file the image came from, for the history; may be unset.
    std::function<std::string()> sourceFile;
    [[nodiscard]] bool running() const { return job_.Running(); }
    [[nodiscard]] bool hasBackup() const { return job_.Backup().has_value(); }
    // Stops at once: timers stop, the port closes.
    void abort() { job_.Abort(); }

  signals:
    void progressChanged(int percent);
    // The phase under way ("Writing the radio"), empty once the job has ended.
    void phaseChanged(const QString& phase);
    // The status label: the link's own text during a phase, then the outcome.
    void statusChanged(const QString& text);
    // The job has ended. `done`: the radio holds what was meant and the window
    // may close (closeDue follows half a second later); `repair`: offer Write
    // Again and Restore Backup.
    void ended(bool done, bool repair);
    void closeDue();
    // Every block of the image was acknowledged: `image` as sent.
    void imageWritten(const zt::Image& image);

  private:
    void ProgressChanged(int percent) override { emit progressChanged(percent); }
    void PhaseChanged(const BiString& phase) override;
    void StatusChanged(const BiString& text) override;
    void ShowLinkMessage(const LinkMessage& message) override;
    void ShowMessage(const BiString& text) override;
    bool ConfirmModel(const BiString& question) override;
    void ImageWritten(const Image& image) override { emit imageWritten(image); }
    void Ended(bool done, bool repair) override { emit ended(done, repair); }
    void CloseDue() override { emit closeDue(); }
    void StepLater() override;

    AppState& state_;
    MessagePresenter& presenter_;
    LinkDevices& devices_;
    LinkCallDepth& depth_;
    std::unique_ptr<RadioHistory> history_;
    WriteJob job_;
};

}  // namespace zt
