// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/safe_write.h"

#include <QTimer>

#include "model/app_state.h"
#include "qtio/serial_ports.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kWriteButton{"Write", "写入"};
constexpr BiText kCancelButton{"Cancel", "取消"};

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
    : QObject(parent),
      state_(state),
      presenter_(presenter),
      devices_(devices),
      depth_(depth),
      job_(*this, *devices.port, *devices.timers) {}

SafeWrite::~SafeWrite() { abort(); }

void SafeWrite::start(Job job) {
    job_.Abort();
    WriteJobSettings settings;
    settings.keepBackup = state_.WriteKeepsBackup;
    settings.readBack = state_.WriteReadsBack;
    history_ = state_.HistoryFolder.empty() ? nullptr
                                            : std::make_unique<RadioHistory>(state_.HistoryFolder);
    settings.history = history_.get();
    settings.port = HistoryPort(state_);
    settings.source = sourceFile ? sourceFile() : "";
    const LinkCallDepth::Scope scope(depth_);
    job_.Start(job, state_, settings);
}

void SafeWrite::StepLater() {
    // The task takes its next step once the link's own call has returned.
    QTimer::singleShot(0, this, [this] {
        const LinkCallDepth::Scope scope(depth_);
        job_.Step();
    });
}

void SafeWrite::PhaseChanged(const BiString& phase) {
    emit phaseChanged(qs(phase.in(state_.LanguageChinese)));
}

void SafeWrite::StatusChanged(const BiString& text) {
    emit statusChanged(qs(text.in(state_.LanguageChinese)));
}

void SafeWrite::ShowLinkMessage(const LinkMessage& message) {
    const LinkCallDepth::Scope scope(depth_);
    zt::ShowLinkMessage(presenter_, message, state_, devices_);
}

void SafeWrite::ShowMessage(const BiString& text) {
    const LinkCallDepth::Scope scope(depth_);
    ShowPrompt(presenter_, text, state_.LanguageChinese);
}

bool SafeWrite::ConfirmModel(const BiString& question) {
    const bool chinese = state_.LanguageChinese;
    const LinkCallDepth::Scope scope(depth_);
    return presenter_.ask(qs(question.in(chinese)), qs(kOperatePrompt, chinese),
                          {qs(kWriteButton, chinese), qs(kCancelButton, chinese)}, 1) == 0;
}

}  // namespace zt
