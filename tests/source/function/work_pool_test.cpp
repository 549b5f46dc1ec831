#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "work_pool.hpp"

namespace {

TEST(WorkPool, RunsEveryTaskOnItsThreadsAndWaitsInAnyOrder) {
    wl::WorkPool pool(3);
    ASSERT_EQ(pool.threads(), 3u);
    std::vector<int> results(40, 0);
    std::atomic<int> wrongThread{0};
    std::vector<std::shared_ptr<wl::WorkPool::Job>> jobs;
    for (int i = 0; i < 40; ++i)
        jobs.push_back(pool.submit([&, i](unsigned thread) {
            if (thread >= 3) ++wrongThread;
            results[static_cast<std::size_t>(i)] = i * i;
        }));
    for (std::size_t i = jobs.size(); i-- > 0;) pool.wait(jobs[i]);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(results[static_cast<std::size_t>(i)], i * i);
    EXPECT_EQ(wrongThread, 0);
}

TEST(WorkPool, ATasksExceptionReachesItsWaiterAndTheOthersStillRun) {
    wl::WorkPool pool(2);
    std::atomic<int> ran{0};
    auto bad = pool.submit([](unsigned) { throw std::runtime_error("part failed"); });
    auto good = pool.submit([&](unsigned) { ++ran; });
    EXPECT_THROW(pool.wait(bad), std::runtime_error);
    pool.wait(good);
    EXPECT_EQ(ran, 1);
}

TEST(WorkPool, TasksHandedOverRunBeforeThePoolGoes) {
    std::atomic<int> ran{0};
    {
        wl::WorkPool pool(1);
        for (int i = 0; i < 20; ++i) pool.submit([&](unsigned) { ++ran; });
    }
    EXPECT_EQ(ran, 20);
}

}  // namespace
