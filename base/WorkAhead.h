#pragma once
// Works on the elements of a sequence ahead of their turn, on worker threads, while the caller
// goes through the sequence in order. The caller's thread prepares each element (whatever must
// happen on it, such as opening a file); a worker runs the prepared task. A bounded number of
// elements, holding a bounded number of bytes, is ahead at once, so memory stays bounded
// however long the sequence.
#include "base/Types.h"
#include "base/WorkerThreads.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <future>
#include <optional>

template <class TResult> class CWorkAhead
{
public:
    struct TPrepared
    {
        std::function<TResult()> fTask;
        // What the element holds while it waits for its turn.
        u64 fBytes = 0;
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
    };

    CWorkAhead(std::size_t count, TPrepare prepare, const TLimits& limits)
        : fCount(count), fPrepare(std::move(prepare)), fLimits(limits), fWorkers(limits.fThreads)
    {
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
        std::future<TResult> result = std::move(fAhead.front().fResult);
        Release();
        return result;
    }

private:
    struct TAhead
    {
        std::size_t fIndex;
        u64 fBytes;
        std::future<TResult> fResult; // empty for an element left to its turn
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
                fAhead.push_back({next, 0, {}});
                continue;
            }
            fBytesAhead += prepared->fBytes;
            fAhead.push_back({next, prepared->fBytes, fWorkers.Queue(std::move(prepared->fTask))});
        }
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
    // Last member: destroyed first, so no worker outlives what its task refers to.
    CWorkerThreads fWorkers;
};
