#include "doctor/background_jobs.h"

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

namespace {

TEST(BackgroundJobs, EveryJobRunsOnceAndAnErrorReachesTheWaiter) {
    std::vector<int> runs(5000);
    std::vector<std::size_t> reported;
    {
        TBackgroundJobs jobs(runs.size(), [&](std::size_t i) { ++runs[i]; });
        jobs.Wait("things", [&](std::string_view what, std::size_t done, std::size_t total) {
            EXPECT_EQ(what, "things");
            EXPECT_EQ(total, runs.size());
            reported.push_back(done);
        });
    }
    EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), 0), 5000);
    EXPECT_EQ(*std::max_element(runs.begin(), runs.end()), 1);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), runs.size());

    TBackgroundJobs failing(100, [](std::size_t i) {
        if (i == 42) throw std::runtime_error("job 42");
    });
    EXPECT_THROW(failing.Wait("things", {}), std::runtime_error);
    TBackgroundJobs none(0, [](std::size_t) {});
    none.Wait("nothing", {});
}

} // namespace
