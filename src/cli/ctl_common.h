// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the zt790ctl subcommands share: exit codes, the port option, and running
// one serial exchange on a Qt event loop with progress on standard error.

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/exchange_observer.h"
#include "link/serial_link.h"
#include "model/app_state.h"

namespace zt::ctl {

enum ExitCode : int {
    kOk = 0,
    kNoAnswer = 1,  // the radio did not answer
    kUsage = 2,
    kFileError = 3,
    kLimitCheck = 4,        // a frequency-limit check stopped a write
    kNoSuchPort = 5,        // no device at that path, or no n-th port
    kPermissionDenied = 6,  // the port exists but this user may not open it
    kPortBusy = 7,          // another program has the port open
    kVerifyFailed = 8,      // two reads, or a write and its read-back, differ
    kModelMismatch = 9,     // the radio's band is not the image's
};

// The exit codes as --help lists them.
[[nodiscard]] std::string ExitCodeHelp();

// Reports an exchange on standard error: a bar when that is a terminal, plain
// lines otherwise; in zt790ctl's words (StepText), not the windows' texts.
class ConsoleObserver : public ExchangeObserver {
  public:
    ConsoleObserver();
    void OnProgress(int percent) override;
    void OnStep(const LinkStep& step) override;
    void OnMessage(const LinkMessage& message) override;
    void OnPowerValues(int low, int mid, int high) override;
    void OnFinished(ExchangeOutcome outcome) override;

    [[nodiscard]] std::optional<ExchangeOutcome> Outcome() const { return outcome_; }

  private:
    void Draw(bool withPercent);
    void EndBarLine();

    bool terminal_;
    bool barShown_ = false;
    int percent_ = -1;
    int lastPrinted_ = -10;
    std::string label_;
    std::optional<ExchangeOutcome> outcome_;
};

// Sets up the program-wide state the exchange needs and the port from PORT
// (a device path or a number 1..8). Returns false, having printed why, when
// the port text is unusable.
[[nodiscard]] bool PrepareState(AppState& app, const std::string& portText);

// Runs the event loop until `done` holds. Returns false if it does not within
// `limitMs` (a safety net; the exchange's own time-outs end it long before).
bool RunUntil(const std::function<bool()>& done, int limitMs);

// Adds the --port option to a subcommand.
void AddPortOption(CLI::App& command, std::string& port);
// Adds a --port option that may be given once per radio.
void AddPortsOption(CLI::App& command, std::vector<std::string>& ports);

// The subcommands; each returns the process exit code.
void AddReadCommand(CLI::App& app, std::function<int()>& run);
void AddWriteCommand(CLI::App& app, std::function<int()>& run);
void AddPowerCommand(CLI::App& app, std::function<int()>& run);
void AddCloneCommand(CLI::App& app, std::function<int()>& run);
void AddDiffCommand(CLI::App& app, std::function<int()>& run);
void AddDoctorCommand(CLI::App& app, std::function<int()>& run);
void AddHistoryCommand(CLI::App& app, std::function<int()>& run);

// What diff prints for rows 0 .. rows - 1 of A and B (the text report, or the
// channels as CSV), and its exit code: 0 the same, 1 different.
int PrintDiff(const Image& a, const Image& b, int rows, const std::string& nameA,
              const std::string& nameB, bool csv);

}  // namespace zt::ctl
