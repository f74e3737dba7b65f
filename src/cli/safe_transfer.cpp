// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/safe_transfer.h"

#include <optional>

#include "model/blank_image.h"
#include "model/limits.h"
#include "model/write_prep.h"

namespace zt::ctl {
namespace {

// Passes every event on and keeps the outcome of the exchange.
class OutcomeTap final : public ExchangeObserver {
  public:
    explicit OutcomeTap(ExchangeObserver& inner) : inner_(inner) {}
    void OnProgress(int percent) override { inner_.OnProgress(percent); }
    void OnStatus(const LinkText& label) override { inner_.OnStatus(label); }
    void OnMessage(const LinkMessage& message) override { inner_.OnMessage(message); }
    void OnPowerValues(int low, int mid, int high) override {
        inner_.OnPowerValues(low, mid, high);
    }
    void OnFinished(ExchangeOutcome outcome) override {
        outcome_ = outcome;
        inner_.OnFinished(outcome);
    }
    void OnCloseDue() override { inner_.OnCloseDue(); }

    [[nodiscard]] const std::optional<ExchangeOutcome>& Outcome() const { return outcome_; }

  private:
    ExchangeObserver& inner_;
    std::optional<ExchangeOutcome> outcome_;
};

void Announce(const LinkRig& rig, const std::string& text) {
    if (rig.announce) rig.announce(text);
}

}  // namespace

int FirstDifferingBlock(const Image& a, const Image& b, int rows) {
    for (int r = 0; r < rows; ++r) {
        if (a[static_cast<std::size_t>(r)] != b[static_cast<std::size_t>(r)]) return r;
    }
    return -1;
}

TransferReport RunExchange(LinkMode mode, AppState& app, const LinkRig& rig,
                           ExchangeObserver& observer) {
    OutcomeTap tap(observer);
    SerialLink link(mode, app, rig.port, rig.timers, tap);
    TransferReport report;
    switch (link.Start()) {
        case StartResult::Started:
            break;
        case StartResult::CheckFailed:
            report.status = TransferStatus::CheckFailed;
            return report;
        case StartResult::PortFailed:
            report.status = TransferStatus::PortFailed;
            report.portError = link.LastPortError();
            return report;
        case StartResult::Busy:
            report.status = TransferStatus::NoAnswer;
            return report;
    }
    const bool ended = rig.runUntil([&] { return tap.Outcome().has_value(); });
    if (!ended) {
        link.Abort();
        report.status = TransferStatus::NoAnswer;
        return report;
    }
    switch (*tap.Outcome()) {
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
    // The link closes the port at its end; make sure before the next one opens it.
    link.Abort();
    return report;
}

TransferReport ReadRadio(AppState& app, const LinkRig& rig, ExchangeObserver& observer,
                         bool verify) {
    // Each pass reads into a copy, so a failed or differing read changes nothing.
    AppState first = app;
    TransferReport report = RunExchange(LinkMode::Read, first, rig, observer);
    if (report.status != TransferStatus::Ok) return report;
    if (verify) {
        Announce(rig, "Reading the radio a second time to verify");
        AppState second = app;
        report = RunExchange(LinkMode::Read, second, rig, observer);
        if (report.status != TransferStatus::Ok) return report;
        const int block = FirstDifferingBlock(first.ChannelTable, second.ChannelTable, kRadioRows);
        if (block >= 0) {
            report.status = TransferStatus::VerifyFailed;
            report.differingBlock = block;
            return report;
        }
    }
    app.ChannelTable = first.ChannelTable;
    app.CommBuffer = first.CommBuffer;
    return report;
}

TransferReport WriteRadio(AppState& app, const LinkRig& rig, ExchangeObserver& observer,
                          const WriteOptions& options) {
    TransferReport report;
    if (options.backup) {
        // Fail on the limit checks before the radio is touched at all.
        Image prepared = app.ChannelTable;
        PrepareImageForWrite(prepared);
        const LimitCheckResult check = CheckLimits(prepared);
        if (!check.passed) {
            report.status = TransferStatus::CheckFailed;
            report.detail = check.message.english;
            return report;
        }
        // The backup holds the radio's rows 0..253 and the blank image's 254..255,
        // as a read into a fresh program does.
        Announce(rig, "Reading the radio into the backup first");
        AppState radio = app;
        radio.ChannelTable = BlankImage();
        report = ReadRadio(radio, rig, observer, false);
        if (report.status != TransferStatus::Ok) {
            report.duringBackup = true;
            return report;
        }
        std::string reason;
        if (!options.backup(radio.ChannelTable, reason)) {
            report.status = TransferStatus::BackupFailed;
            report.detail = reason;
            return report;
        }
    }

    if (options.backup) Announce(rig, "Writing the radio");
    report = RunExchange(LinkMode::Write, app, rig, observer);
    if (report.status != TransferStatus::Ok || !options.verify) return report;

    Announce(rig, "Reading the radio back to verify the write");
    // app.ChannelTable now holds exactly what was sent, derived rows included.
    AppState readBack = app;
    report = RunExchange(LinkMode::Read, readBack, rig, observer);
    if (report.status != TransferStatus::Ok) {
        report.duringVerify = true;
        return report;
    }
    const int block = FirstDifferingBlock(app.ChannelTable, readBack.ChannelTable, kWriteRows);
    if (block >= 0) {
        report.status = TransferStatus::VerifyFailed;
        report.differingBlock = block;
        report.duringVerify = true;
    }
    return report;
}

}  // namespace zt::ctl
