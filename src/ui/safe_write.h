// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write window's job when its safeguards are on: a backup of the radio
// first (read until two reads agree; the model check with it), the write, and
// a read-back compared with what was sent, each phase named on the way and the
// progress bar covering them all. When the radio ends up holding something
// else, or is left half-written, it says so and the window offers Write Again
// and Restore Backup. The work is the safe-transfer layer's; this only drives
// it on the event loop and words it for the window.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "link/exchange_observer.h"
#include "transfer/safe_transfer.h"
#include "ui/exchange_support.h"

namespace zt {

struct AppState;
class MessagePresenter;

// Keeps a plain read or write in the history, if the program keeps one; a
// folder that cannot be written is told.
void KeepInHistory(const AppState& state, MessagePresenter& presenter, HistoryKind kind,
                   const Image& image, const std::string& source = {});

class SafeWrite : public QObject, private ExchangeObserver {
    Q_OBJECT
  public:
    enum class Job {
        Write,       // as the window's two options say
        WriteAgain,  // the image once more, keeping the backup already taken
        Restore,     // the backup put back as it was read, then read back
    };

    // Runs over the window's port and timers; `depth` is the window's guard
    // against being unloaded from inside a call (a message box).
    SafeWrite(AppState& state, MessagePresenter& presenter, LinkDevices& devices,
              LinkCallDepth& depth, QObject* parent = nullptr);
    ~SafeWrite() override;

    void start(Job job);
    // The channel file the image came from, for the history; may be unset.
    std::function<std::string()> sourceFile;
    [[nodiscard]] bool running() const { return task_ != nullptr; }
    [[nodiscard]] bool hasBackup() const { return backup_.has_value(); }
    // Stops at once: timers stop, the port closes.
    void abort();

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
    void OnProgress(int percent) override;
    void OnStatus(const LinkText& label) override;
    void OnMessage(const LinkMessage& message) override;
    void OnFinished(ExchangeOutcome outcome) override;

    void step();
    void phaseBegins(TransferPhase phase);
    void finish();
    // The outcome: `label` in the window, `box` in a message box when given.
    void tell(const BiText& label, const BiString& box = {});
    void tell(const BiString& label, const BiString& box = {});
    [[nodiscard]] bool askModel(const ModelMismatch& mismatch);

    AppState& state_;
    MessagePresenter& presenter_;
    LinkDevices& devices_;
    LinkCallDepth& depth_;
    std::unique_ptr<RadioHistory> history_;
    std::unique_ptr<TransferTask> task_;
    Job job_ = Job::Write;
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
