#include "support/parallel.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace lumarc {

namespace {

// What the calling thread and its workers share; every field is guarded by `mutex`.
struct Pool {
    std::mutex mutex;
    std::condition_variable workerWake;  // a permit, a stop, or nothing left to hand out
    std::condition_variable callerWake;  // an index finished, or a thread ended
    std::deque<int> finished;            // in completion order, not yet given to done()
    int count = 0;
    int next = 0;         // the next index to hand out, so also how many were started
    int permits = 0;      // starts allowed by done(), not yet taken by a thread
    int running = 0;      // threads not yet ended
    bool closed = false;  // no new index: done() said stop, or a callback threw
};

// A callback that throws is a programmer error; it counts as a stop, so the call still ends.
bool reportDone(const std::function<bool(int)> &done, int index) noexcept
{
    try {
        return done(index);
    } catch (...) {
        return false;
    }
}

void finishWorker(const std::function<void()> &workerFinished) noexcept
{
    if (!workerFinished)
        return;
    try {
        workerFinished();
    } catch (...) {
    }
}

void runWorker(Pool &pool, int index, const std::function<void(int)> &work, const std::function<void()> &workerFinished)
{
    for (;;) {
        bool threw = false;
        try {
            work(index);
        } catch (...) {
            threw = true;
        }
        std::unique_lock lock(pool.mutex);
        if (threw) {
            pool.closed = true;
            pool.workerWake.notify_all();
        }
        pool.finished.push_back(index);
        pool.callerWake.notify_one();
        // A permit once given is used even after a stop, so that each true from done()
        // starts exactly one index, whichever thread is first to take it.
        pool.workerWake.wait(lock, [&] { return pool.permits > 0 || pool.closed || pool.next >= pool.count; });
        if (pool.permits == 0 || pool.next >= pool.count)
            break;
        --pool.permits;
        index = pool.next++;
        if (pool.next == pool.count)
            pool.workerWake.notify_all();  // the threads waiting for a permit can end
    }
    finishWorker(workerFinished);
    std::lock_guard lock(pool.mutex);
    --pool.running;
    pool.callerWake.notify_one();
}

// When the system gives no thread at all, the calling thread does the work itself, in order,
// rather than reporting everything as not started; it then stands in for the worker thread.
int runHere(int count, const std::function<void(int)> &work, const std::function<bool(int)> &done,
            const std::function<void()> &workerFinished)
{
    int started = 0;
    while (started < count) {
        bool threw = false;
        try {
            work(started);
        } catch (...) {
            threw = true;
        }
        if (!reportDone(done, started++) || threw)
            break;
    }
    finishWorker(workerFinished);
    return started;
}

}  // namespace

int runIndexed(int count, int workers, const std::function<void(int)> &work, const std::function<bool(int)> &done,
               const std::function<void()> &workerFinished)
{
    if (count <= 0)
        return 0;
    const int threadCount = std::clamp(workers > 0 ? workers : QThread::idealThreadCount(), 1, count);

    // Each thread is given its first index as it is created, so how many indexes start never
    // depends on how soon the system schedules a new thread.
    Pool pool;
    pool.count = count;
    pool.next = threadCount;
    pool.running = threadCount;
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        try {
            threads.emplace_back(runWorker, std::ref(pool), t, std::cref(work), std::cref(workerFinished));
        } catch (...) {
            // Out of threads: carry on with those that did start. No permit exists yet, so
            // `next` is still ours to set.
            std::lock_guard lock(pool.mutex);
            pool.running -= threadCount - t;
            pool.next = t;
            break;
        }
    }
    if (threads.empty())
        return runHere(count, work, done, workerFinished);

    std::unique_lock lock(pool.mutex);
    for (;;) {
        pool.callerWake.wait(lock, [&] { return !pool.finished.empty() || pool.running == 0; });
        if (pool.finished.empty())
            break;  // every thread has ended and every finished index was reported
        const int index = pool.finished.front();
        pool.finished.pop_front();
        lock.unlock();
        const bool more = reportDone(done, index);
        lock.lock();
        if (pool.closed)
            continue;
        if (more) {
            ++pool.permits;
            pool.workerWake.notify_one();
        } else {
            pool.closed = true;
            pool.workerWake.notify_all();
        }
    }
    const int started = pool.next;
    lock.unlock();
    for (std::thread &thread : threads)
        thread.join();
    return started;
}

}  // namespace lumarc
