#include "support/parallel.h"

#include <gtest/gtest.h>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <ranges>
#include <thread>
#include <vector>

using namespace lumarc;

namespace {

// True when `indexes` holds 0 to count - 1, each once, in any order.
bool eachOnce(std::vector<int> indexes, int count)
{
    std::ranges::sort(indexes);
    return std::ranges::equal(indexes, std::views::iota(0, std::max(count, 0)));
}

} // namespace

TEST(RunIndexed, RunsIndexesOnceAndReportsEachOnTheCallingThreadUntilDoneSaysStop)
{
    const int cores = std::max(QThread::idealThreadCount(), 1);
    const std::thread::id caller = std::this_thread::get_id();
    const struct { int count, workers, stopAt, started, threads; } cases[] = {
        {30, 0, 99, 30, std::min(cores, 30)}, {30, 1, 99, 30, 1}, {30, 9, 99, 30, 9},
        {3, 8, 99, 3, 3},  // every thread is created with an index of its own, so only three work
        {0, 4, 99, 0, 0}, {-1, 4, 99, 0, 0},
        // After false from done(): each thread's first index, plus exactly one more per true.
        {50, 1, 1, 1, 1}, {50, 1, 3, 3, 1}, {50, 3, 1, 3, 3}, {50, 4, 2, 5, 4}, {50, 4, 10, 13, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " on " << c.workers << ", stop at done #" << c.stopAt);
        // Indexes run and reported, and per worker thread its indexes with -1 at workerFinished.
        std::mutex mutex;
        std::vector<int> runs, reported;
        std::map<std::thread::id, std::vector<int>> perThread;
        const auto log = [&](int index) {
            std::lock_guard lock(mutex);
            if (index >= 0)
                runs.push_back(index);
            perThread[std::this_thread::get_id()].push_back(index);
        };
        std::atomic<int> inDone{0};
        bool overlappedOrElsewhere = false;
        EXPECT_EQ(runIndexed(c.count, c.workers, log, [&](int i) {
            overlappedOrElsewhere |= inDone.fetch_add(1) != 0 || std::this_thread::get_id() != caller;
            reported.push_back(i);
            inDone.fetch_sub(1);
            return int(reported.size()) < c.stopAt;
        }, [&] { log(-1); }), c.started);
        EXPECT_TRUE(eachOnce(runs, c.started) && eachOnce(reported, c.started));
        EXPECT_FALSE(overlappedOrElsewhere);
        // workerFinished: once on each thread that worked, after its last index, never here.
        EXPECT_EQ(int(perThread.size()), c.threads);
        EXPECT_EQ(perThread.count(caller), 0u);
        for (const auto &[thread, events] : perThread)
            EXPECT_EQ(std::find(events.begin(), events.end(), -1), events.end() - 1);
    }
}

TEST(RunIndexed, ReportsAnIndexAsSoonAsItFinishesWhileOthersStillRun)
{
    // Index 0 cannot finish before done(1), so done(1) comes mid-call; the timeout only guards a broken pool.
    std::mutex mutex;
    std::condition_variable reported;
    std::vector<int> order;
    bool waitedInVain = false;
    runIndexed(2, 2, [&](int i) {
        std::unique_lock lock(mutex);
        if (i == 0)
            waitedInVain = !reported.wait_for(lock, std::chrono::seconds(30), [&] { return !order.empty(); });
    }, [&](int i) {
        std::lock_guard lock(mutex);
        order.push_back(i);
        reported.notify_all();
        return true;
    });
    EXPECT_FALSE(waitedInVain);
    EXPECT_EQ(order, (std::vector<int>{1, 0}));
}
