#pragma once
// A fixed set of threads that run queued tasks, oldest first. Tasks still queued when the set is
// destroyed are dropped first (their futures report a broken promise), then the running ones are
// waited for. Only the owning thread queues.
#include "base/Types.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CWorkerThreads
{
public:
    // At least one thread is started, whatever the count.
    explicit CWorkerThreads(u32 threadCount);
    ~CWorkerThreads();
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    // The task's result, or the exception it ended with, arrives through the future.
    template <class TTask> auto Queue(TTask task) -> std::future<decltype(task())>
    {
        using TResult = decltype(task());
        // std::function needs a copyable target; the packaged task is not.
        auto packaged = std::make_shared<std::packaged_task<TResult()>>(std::move(task));
        std::future<TResult> result = packaged->get_future();
        Enqueue([packaged] { (*packaged)(); });
        return result;
    }

    // Threads worth starting beside the calling thread for work that keeps a processor busy: one
    // per processor the process may run on, less the caller's own (which hands out the work and
    // must not wait for a processor), at least one, a few at most, since each holds buffers of
    // its own.
    static u32 GetProcessorThreadCount();

private:
    void Enqueue(std::function<void()> task);
    void Run();
    // Drops the queued tasks and joins the threads.
    void End() noexcept;

    std::mutex fLock;
    std::condition_variable fQueued; // a task was queued, or the threads are to end
    std::deque<std::function<void()>> fTasks;
    bool fEnding = false;
    std::vector<std::thread> fThreads;
};
