#pragma once
// Works on the elements of a sequence ahead of their turn, on worker threads, while the caller
// goes through the sequence in order. The caller's thread prepares each element (whatever must
// happen on it, such as opening a file); a worker runs the prepared task. A bounded number of
// elements, holding a bounded number of bytes, is ahead at once, so memory stays bounded
// however long the sequence. The caller does not wait for work that no worker has begun: it
// does that work itself, so it adds its own processor to the workers' (all there is on two).
// Small pieces of work go to a worker in batches, since each hand-off costs system calls.
#include "base/Types.h"
#include "base/WorkerThreads.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <type_traits>

template <class TResult> class CWorkAhead
{
public:
    struct TPrepared
    {
        std::function<TResult()> fTask;
        // What the element holds while it waits for its turn.
        u64 fBytes = 0;
        // Run by the caller when it asks for the result, never by a worker: for work that costs less
        // than handing it to another thread and waiting for it there.
        bool fInTurn = false;
        // Run in one task with the batched elements prepared next to it: for work that costs less
        // than a hand-off of its own. Each element still has its own result.
        bool fBatched = false;
    };
    // Answers nothing for an element that the caller works on in its turn instead: one that
    // does not pay. An exception counts as nothing too: the caller meets that failure again in
    // the element's turn, where it belongs.
    using TPrepare = std::function<std::optional<TPrepared>(std::size_t index)>;

    struct TLimits
    {
        u32 fThreads;
        // Preparing stops once this many elements are ahead (those left to their turn
        // included) or they hold this many bytes; one element may go over the byte limit by its
        // own size.
        u32 fMostElements;
        u64 fMostBytes;
        // Batched elements in one task at most; a batch is handed to the workers once full or at
        // the end of the sequence, and the caller runs one it reaches before that.
        u32 fMostPerBatch = 1;
    };

    CWorkAhead(std::size_t count, TPrepare prepare, const TLimits& limits)
        : fCount(count), fPrepare(std::move(prepare)), fLimits(limits), fWorkers(limits.fThreads)
    {
    }

    // The tasks still queued are then held by the workers' queue alone, so ending the workers
    // drops them before the running ones are waited for.
    ~CWorkAhead()
    {
        fAhead.clear();
        fOpenBatch.reset();
    }

    // The work of the element at index: its future, or an empty future (valid() is false) when
    // it is not worked ahead. Indices are taken in increasing order. The future rethrows the
    // task's exception; the caller calls get() where it would have done the work itself.
    std::future<TResult> Take(std::size_t index)
    {
        while (!fAhead.empty() && fAhead.front().fIndex < index)
            Release();
        PrepareAhead(index);
        if (fAhead.empty() || fAhead.front().fIndex != index)
            return {};
        if (fAhead.front().fQueued)
            RunUnlessBegun(*fAhead.front().fQueued);
        // While its only worker finishes this element, the caller does later work that the worker
        // has not begun: its processor is half of those there are. Beside more workers it is
        // better kept free to hand out the work and take the results.
        for (std::size_t later = 1; fLimits.fThreads == 1 && later < fAhead.size() &&
                                    fAhead.front().fResult.valid() &&
                                    fAhead.front().fResult.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
             ++later)
            if (fAhead[later].fQueued)
                RunUnlessBegun(*fAhead[later].fQueued);
        std::future<TResult> result = std::move(fAhead.front().fResult);
        Release();
        return result;
    }

private:
    // Queued work of one or more elements, in their order, that whichever comes first runs: a
    // worker, or the caller in the turn of its first element. Elements are added only before it
    // is queued.
    class CQueuedTask
    {
    public:
        std::future<TResult> Add(std::function<TResult()> task)
        {
            fTasks.push_back({std::move(task), {}});
            return fTasks.back().fResult.get_future();
        }

        std::size_t GetCount() const { return fTasks.size(); }

        void RunUnlessBegun()
        {
            if (fBegun.exchange(true))
                return;
            for (TElementTask& element : fTasks)
                try
                {
                    if constexpr (std::is_void_v<TResult>)
                    {
                        element.fTask();
                        element.fResult.set_value();
                    }
                    else
                        element.fResult.set_value(element.fTask());
                }
                catch (...)
                {
                    element.fResult.set_exception(std::current_exception());
                }
        }

    private:
        struct TElementTask
        {
            std::function<TResult()> fTask;
            std::promise<TResult> fResult;
        };
        std::deque<TElementTask> fTasks;
        std::atomic<bool> fBegun = false;
    };

    struct TAhead
    {
        std::size_t fIndex;
        u64 fBytes;
        std::future<TResult> fResult; // empty for an element left to its turn
        // Null for work left to the caller's turn and for an element left to its turn.
        std::shared_ptr<CQueuedTask> fQueued;
    };

    void PrepareAhead(std::size_t index)
    {
        fNext = std::max(fNext, index);
        while (fNext < fCount && fAhead.size() < fLimits.fMostElements && fBytesAhead < fLimits.fMostBytes)
        {
            const std::size_t next = fNext++;
            std::optional<TPrepared> prepared;
            try
            {
                prepared = fPrepare(next);
            }
            catch (...)
            {
            }
            // An element left to its turn holds its place ahead too: otherwise a run of them
            // would be prepared all at once, each preparation paying whatever it costs.
            if (!prepared)
            {
                fAhead.push_back({next, 0, {}, nullptr});
                continue;
            }
            fBytesAhead += prepared->fBytes;
            if (prepared->fInTurn)
            {
                fAhead.push_back(
                    {next, prepared->fBytes, std::async(std::launch::deferred, std::move(prepared->fTask)), nullptr});
                continue;
            }
            if (!prepared->fBatched)
            {
                auto queued = std::make_shared<CQueuedTask>();
                fAhead.push_back({next, prepared->fBytes, queued->Add(std::move(prepared->fTask)), queued});
                Queue(queued);
                continue;
            }
            if (!fOpenBatch)
                fOpenBatch = std::make_shared<CQueuedTask>();
            fAhead.push_back({next, prepared->fBytes, fOpenBatch->Add(std::move(prepared->fTask)), fOpenBatch});
            if (fOpenBatch->GetCount() >= fLimits.fMostPerBatch)
                Queue(std::move(fOpenBatch));
        }
        if (fNext == fCount && fOpenBatch)
            Queue(std::move(fOpenBatch));
    }

    void Queue(std::shared_ptr<CQueuedTask> queued)
    {
        fWorkers.Queue([queued] { queued->RunUnlessBegun(); });
    }

    // The batch still open takes no more elements once begun.
    void RunUnlessBegun(CQueuedTask& queued)
    {
        if (fOpenBatch.get() == &queued)
            fOpenBatch.reset();
        queued.RunUnlessBegun();
    }

    void Release()
    {
        fBytesAhead -= fAhead.front().fBytes;
        fAhead.pop_front();
    }

    std::size_t fCount;
    TPrepare fPrepare;
    TLimits fLimits;
    std::size_t fNext = 0;
    u64 fBytesAhead = 0;
    std::deque<TAhead> fAhead;
    // The batch that batched elements join, not yet handed to the workers.
    std::shared_ptr<CQueuedTask> fOpenBatch;
    // Last member: destroyed first, so no worker outlives what its task refers to.
    CWorkerThreads fWorkers;
};
