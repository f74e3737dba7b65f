// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Comm_Read and Form_Comm_Write: the windows that read the radio's memory
// into the image and write the image back. Each runs one SerialLink over its own
// port and timers and only shows what the exchange reports: the status label
// Label_tr_count, ProgressBar1 and the exchange's messages. Everything runs on
// the event loop; the window closes itself once the exchange has completed.
//
// The write window also has two safeguards, both on unless the user turned
// them off (the choice is remembered): a backup of the radio first and a
// read-back compared with what was sent (ui/safe_write.h). With both off it is
// the plain write above.
//
// While an exchange runs, Cancel and the window's close button are refused with
// the "don't close" message. A main-window command that reopens the window stops
// the exchange instead: timers stop and the port closes, so an interrupted read
// leaves the image as it was and an interrupted write leaves the radio with the
// blocks it acknowledged, as a failed exchange would.

#include <QWidget>
#include <functional>
#include <memory>

#include "link/exchange_observer.h"
#include "link/serial_link.h"
#include "model/radio_image.h"
#include "ui/exchange_support.h"
#include "ui/safe_write.h"
#include "ui/window_support.h"

class QBoxLayout;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zt {

struct AppState;
class MessagePresenter;

class CommWindow : public QWidget, public ExchangeObserver, public ForcedUnload {
    Q_OBJECT
  public:
    // `mode` is LinkMode::Read or LinkMode::Write.
    // `remember` is told when the write window's safeguards change.
    CommWindow(LinkMode mode, AppState& state, MessagePresenter& presenter, LinkDevices devices,
               std::function<void()> remember = {}, QWidget* parent = nullptr);
    ~CommWindow() override;

    // Command_read / Command_Write.
    void start();
    // Command_Cancel: refused while busy, otherwise closes the window.
    void cancel();

    // An exchange is busy or waiting out the pause before a retry.
    [[nodiscard]] bool exchangeRunning() const;
    // The link of a plain read or write (none while the safeguarded write runs).
    [[nodiscard]] const SerialLink& link() const { return *link_; }
    [[nodiscard]] LinkMode mode() const { return mode_; }

    void prepareForcedUnload() override { forcedUnload_ = true; }

    // The channel file the image came from, kept with a write in the history.
    std::function<QString()> imageFile;

  signals:
    // The exchange completed: `image` is what the radio now holds, the image
    // read, or the image as it was when the write began (after its
    // preparation).
    void exchangeCompleted(const zt::Image& image);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // What the exchange reports.
    void OnProgress(int percent) override;
    void OnStatus(const LinkText& label) override;
    void OnMessage(const LinkMessage& message) override;
    void OnFinished(ExchangeOutcome outcome) override;
    void OnCloseDue() override;

    // Closes the window once no link call is under way.
    void closeWhenIdle();
    // The write window's two check boxes, and what runs when a safeguard is on.
    void addSafeguards(QBoxLayout* layout, QHBoxLayout* buttons, std::function<void()> remember);
    [[nodiscard]] bool safeguarded() const;
    void runSafeWrite(SafeWrite::Job job);
    void ensureLink();

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    LinkCallDepth depth_;
    bool forcedUnload_ = false;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* cancel_;
    QPushButton* help_;
    QCheckBox* keepBackup_ = nullptr;
    QCheckBox* readBack_ = nullptr;
    QPushButton* writeAgain_ = nullptr;
    QPushButton* restore_ = nullptr;
    // The link goes before the port and timers it runs over.
    LinkDevices devices_;
    LinkMode mode_;
    std::unique_ptr<SerialLink> link_;
    SafeWrite* safe_ = nullptr;
    Image written_{};  // the image a running write sends
};

}  // namespace zt
