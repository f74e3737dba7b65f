#pragma once
// The fault-injection campaign: one run reads or writes the simulated radio
// through a faulty cable on the virtual clock, the way `zt790ctl read --verify`
// and `write --verify` do (a read is read again and compared; a write is read
// back and compared), and checks what the user would be told against what the
// radio really holds.

#include <cstdint>
#include <string>
#include <vector>

#include "fault_schedule.h"

namespace zt::reliability {

enum class Verdict {
    Completed,      // reported success, and the result is right
    FailedCleanly,  // reported failure (the image untouched, the message defined)
    Wrong,          // reported success with a wrong result
    Hang,           // did not end within its time bound
    Broken,         // ended, but broke another invariant (see `problem`)
};

struct RunResult {
    Verdict verdict = Verdict::Completed;
    // A first pass that completed with a wrong result which only the verifying
    // pass caught (the protocol has no checksum).
    bool caughtByVerify = false;
    std::string problem;
};

[[nodiscard]] RunResult RunSchedule(const Schedule& schedule);

struct Tally {
    int schedules = 0;
    int completed = 0;
    int failedCleanly = 0;
    int wrong = 0;
    int hangs = 0;
    int broken = 0;
    int caughtByVerify = 0;
    std::vector<std::string> problems;  // the first few, with their schedules

    void Add(const Schedule& schedule, const RunResult& result);
    [[nodiscard]] std::string Summary() const;
};

// Runs the schedules of seeds first .. first + count - 1.
[[nodiscard]] Tally RunCampaign(std::uint64_t first, int count);

}  // namespace zt::reliability
