#include "base/WorkerThreads.h"

#include <algorithm>

namespace
{
constexpr u32 kMostProcessorThreads = 8;
} // namespace

CWorkerThreads::CWorkerThreads(u32 threadCount)
{
    const u32 count = std::max<u32>(threadCount, 1);
    try
    {
        fThreads.reserve(count);
        for (u32 i = 0; i < count; ++i)
            fThreads.emplace_back([this] { Run(); });
    }
    catch (...)
    {
        End();
        throw;
    }
}

CWorkerThreads::~CWorkerThreads()
{
    End();
}

void CWorkerThreads::End() noexcept
{
    {
        std::deque<std::function<void()>> dropped;
        {
            const std::lock_guard<std::mutex> lock(fLock);
            dropped.swap(fTasks);
            fEnding = true;
        }
        // Dropped before the running tasks are waited for: their futures learn it at once.
    }
    fQueued.notify_all();
    for (std::thread& thread : fThreads)
        thread.join();
}

u32 CWorkerThreads::GetProcessorThreadCount()
{
    // Counts the processors of the process's affinity, not of the machine.
    const u32 processors = std::thread::hardware_concurrency();
    return std::clamp<u32>(processors > 1 ? processors - 1 : 1, 1, kMostProcessorThreads);
}

void CWorkerThreads::Enqueue(std::function<void()> task)
{
    {
        const std::lock_guard<std::mutex> lock(fLock);
        fTasks.push_back(std::move(task));
    }
    fQueued.notify_one();
}

void CWorkerThreads::Run()
{
    for (;;)
    {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(fLock);
            fQueued.wait(lock, [this] { return fEnding || !fTasks.empty(); });
            if (fEnding)
                return;
            task = std::move(fTasks.front());
            fTasks.pop_front();
        }
        // A packaged task keeps its exception for the future; nothing escapes here.
        task();
    }
}
