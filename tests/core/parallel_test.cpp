#include "support/parallel.h"

#include <gtest/gtest.h>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace lumarc;

namespace {

// Everything the worker threads did, recorded under one lock and checked after the call.
struct Trace {
    std::mutex mutex;
    std::vector<int> runs;                                  // work() indexes
    std::map<std::thread::id, std::vector<int>> perThread;  // work() indexes, -1 at its end

    void ran(int index)
    {
        std::lock_guard lock(mutex);
        runs.push_back(index);
        perThread[std::this_thread::get_id()].push_back(index);
    }
    void ended()
    {
        std::lock_guard lock(mutex);
        perThread[std::this_thread::get_id()].push_back(-1);
    }
};

// True when `indexes` holds 0 to count - 1, each once, in any order.
bool eachOnce(std::vector<int> indexes, int count)
{
    std::sort(indexes.begin(), indexes.end());
    for (int i = 0; i < int(indexes.size()); ++i) {
        if (indexes[std::size_t(i)] != i)
            return false;
    }
    return int(indexes.size()) == count;
}

} // namespace

TEST(RunIndexed, RunsEveryIndexOnceAndReportsEachOnTheCallingThreadOneAtATime)
{
    const int cores = std::max(QThread::idealThreadCount(), 1);
    for (const int workers : {0, 1, 2, 4, 9}) {
        SCOPED_TRACE(workers);
        Trace trace;
        std::vector<int> reported;
        std::atomic<int> inDone{0};
        bool overlapped = false;
        bool elsewhere = false;
        const std::thread::id caller = std::this_thread::get_id();
        const int started = runIndexed(
            30, workers, [&](int i) { trace.ran(i); },
            [&](int i) {
                overlapped = overlapped || inDone.fetch_add(1) != 0;
                elsewhere = elsewhere || std::this_thread::get_id() != caller;
                reported.push_back(i);
                inDone.fetch_sub(1);
                return true;
            },
            [&] { trace.ended(); });

        EXPECT_EQ(started, 30);
        EXPECT_TRUE(eachOnce(trace.runs, 30));
        EXPECT_TRUE(eachOnce(reported, 30));
        EXPECT_FALSE(overlapped);
        EXPECT_FALSE(elsewhere);

        // workerFinished: once on each thread that worked, after its last index, never here.
        const int expectedThreads = workers > 0 ? workers : std::min(cores, 30);
        EXPECT_EQ(int(trace.perThread.size()), expectedThreads);
        EXPECT_EQ(trace.perThread.count(caller), 0u);
        for (const auto &[thread, events] : trace.perThread) {
            EXPECT_EQ(std::count(events.begin(), events.end(), -1), 1);
            EXPECT_EQ(events.back(), -1);
        }
    }
}

TEST(RunIndexed, UsesNoMoreThreadsThanIndexesAndNoneForNothingToDo)
{
    Trace trace;
    EXPECT_EQ(runIndexed(3, 8, [&](int i) { trace.ran(i); }, [](int) { return true; }, [&] { trace.ended(); }), 3);
    // Every thread is created with an index of its own, so all three work.
    EXPECT_EQ(trace.perThread.size(), 3u);

    for (const int count : {0, -1}) {
        bool called = false;
        EXPECT_EQ(runIndexed(count, 4, [&](int) { called = true; }, [&](int) { return called = true; },
                             [&] { called = true; }),
                  0);
        EXPECT_FALSE(called) << count;
    }
}

TEST(RunIndexed, FalseFromDoneStartsNothingMoreButReportsWhatIsRunning)
{
    // After its first index a thread starts another only once done() has allowed it, so
    // the counts are exact: the first index of every thread, plus one per true from done().
    const struct {
        int workers, stopAt, started;
    } cases[] = {{1, 1, 1}, {1, 3, 3}, {3, 1, 3}, {4, 2, 5}, {4, 10, 13}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.workers << " workers, stop at done #" << c.stopAt);
        Trace trace;
        std::vector<int> reported;
        const int started = runIndexed(
            50, c.workers, [&](int i) { trace.ran(i); },
            [&](int i) {
                reported.push_back(i);
                return int(reported.size()) < c.stopAt;
            },
            [&] { trace.ended(); });

        EXPECT_EQ(started, c.started);
        EXPECT_TRUE(eachOnce(trace.runs, c.started));
        EXPECT_TRUE(eachOnce(reported, c.started));
        for (const auto &[thread, events] : trace.perThread)
            EXPECT_EQ(events.back(), -1);
    }
}

TEST(RunIndexed, ReportsAnIndexAsSoonAsItFinishesWhileOthersStillRun)
{
    // Index 0 cannot finish before done(1) has run, so done(1) must come first, from the
    // middle of the call, not from its end.
    std::mutex mutex;
    std::condition_variable reported;
    bool oneReported = false;
    bool waitedInVain = false;
    std::vector<int> order;
    runIndexed(
        2, 2,
        [&](int i) {
            if (i != 0)
                return;
            std::unique_lock lock(mutex);
            // A guard against hanging on a broken pool, not a timing assumption.
            waitedInVain = !reported.wait_for(lock, std::chrono::seconds(30), [&] { return oneReported; });
        },
        [&](int i) {
            order.push_back(i);
            std::lock_guard lock(mutex);
            oneReported = oneReported || i == 1;
            reported.notify_all();
            return true;
        });
    EXPECT_FALSE(waitedInVain);
    EXPECT_EQ(order, (std::vector<int>{1, 0}));
}

TEST(RunIndexed, AThrowingCallbackStopsHandingOutAndTheCallStillReturns)
{
    std::vector<int> reported;
    int ended = 0;
    const auto report = [&](int i) {
        reported.push_back(i);
        return true;
    };
    const auto brokenWork = [](int i) {
        if (i == 2)
            throw std::runtime_error("broken work");
    };
    const auto brokenCleanup = [&] {
        ++ended;
        throw std::runtime_error("broken cleanup");
    };
    EXPECT_EQ(runIndexed(10, 1, brokenWork, report, brokenCleanup), 3);
    EXPECT_EQ(reported, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ended, 1);

    reported.clear();
    const auto brokenReport = [&](int i) {
        if (i == 1)
            throw std::runtime_error("broken report");
        return report(i);
    };
    EXPECT_EQ(runIndexed(10, 1, [](int) {}, brokenReport), 2);
    EXPECT_EQ(reported, std::vector<int>{0});
}
