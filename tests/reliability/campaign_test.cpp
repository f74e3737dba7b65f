// The seeded fault-injection campaign. The normal test run takes a few hundred
// schedules; scripts/reliability sets ZT_CAMPAIGN_SCHEDULES for thousands.
// A failing schedule prints its seed; ZT_CAMPAIGN_SEED=<seed> and
// ZT_CAMPAIGN_SCHEDULES=1 replay it alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "campaign.h"

namespace zt::reliability {
namespace {

long EnvOr(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

TEST(Campaign, EveryScheduleEndsInTimeAndNeverReportsAWrongResult) {
    const auto first = static_cast<std::uint64_t>(EnvOr("ZT_CAMPAIGN_SEED", 1));
    const int count = static_cast<int>(EnvOr("ZT_CAMPAIGN_SCHEDULES", 300));
    const Tally tally = RunCampaign(first, count);
    std::cout << tally.Summary() << "\n";
    for (const std::string& problem : tally.problems) ADD_FAILURE() << problem;
    EXPECT_EQ(tally.schedules, count);
    EXPECT_EQ(tally.wrong, 0);
    EXPECT_EQ(tally.hangs, 0);
    EXPECT_EQ(tally.broken, 0);
    // The campaign must exercise both ends: runs that get through and runs that do not.
    if (count >= 100) {
        EXPECT_GT(tally.completed, count / 10);
        EXPECT_GT(tally.failedCleanly, 0);
    }
}

}  // namespace
}  // namespace zt::reliability
