#include "base/WorkAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
using TWindow = CWorkAhead<int>;
using namespace std::chrono_literals;

TWindow::TPrepared Square(std::size_t index, u64 bytes = 1)
{
    return {[index] { return int(index * index); }, bytes};
}

TEST(WorkAheadTests, EachPreparedElementsResultArrivesInItsTurnOthersAreLeftToTheCaller)
{
    std::vector<std::size_t> prepared;
    TWindow window(
        10,
        [&](std::size_t index) -> std::optional<TWindow::TPrepared> {
            prepared.push_back(index);
            if (index % 3 == 0)
                return std::nullopt; // worked on in its turn
            return Square(index);
        },
        {3, 4, 1000});
    for (std::size_t i = 0; i < 10; ++i)
    {
        std::future<int> work = window.Take(i);
        ASSERT_EQ(work.valid(), i % 3 != 0) << i;
        if (work.valid())
        {
            EXPECT_EQ(work.get(), int(i * i));
        }
    }
    EXPECT_EQ(prepared, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(WorkAheadTests, PreparesNoFurtherAheadThanTheElementAndByteLimitsAllow)
{
    struct TCase
    {
        u32 fMostElements;
        u64 fMostBytes;
        u64 fBytesEach;
        std::size_t fMostAhead; // elements prepared at once, from the one taken on
    };
    const TCase cases[] = {
        {4, 1000, 1, 4},
        {1, 1000, 1, 1},
        {8, 25, 10, 3},   // the third goes over the byte limit by its own size
        {8, 5, 1000, 1},  // a single large element is still worked ahead
    };
    for (const TCase& test : cases)
    {
        std::size_t highest = 0;
        TWindow window(
            40,
            [&](std::size_t index) -> std::optional<TWindow::TPrepared> {
                highest = std::max(highest, index);
                return Square(index, test.fBytesEach);
            },
            {2, test.fMostElements, test.fMostBytes});
        std::size_t mostAhead = 0;
        for (std::size_t i = 0; i < 40; ++i)
        {
            std::future<int> work = window.Take(i);
            ASSERT_TRUE(work.valid());
            EXPECT_EQ(work.get(), int(i * i));
            mostAhead = std::max(mostAhead, highest + 1 - i);
        }
        EXPECT_EQ(mostAhead, test.fMostAhead) << test.fMostElements << " " << test.fMostBytes;
    }
}

TEST(WorkAheadTests, ElementsLeftToTheirTurnHoldTheirPlaceAhead)
{
    // Declined or failed, an element was prepared: a long run of them must not all be prepared
    // by one Take.
    const std::function<std::optional<TWindow::TPrepared>(std::size_t)> kLeftToTheirTurn[] = {
        [](std::size_t) -> std::optional<TWindow::TPrepared> { return std::nullopt; },
        [](std::size_t) -> std::optional<TWindow::TPrepared> { throw std::runtime_error("bad row"); },
        [](std::size_t index) -> std::optional<TWindow::TPrepared> {
            if (index % 2 == 0)
                return std::nullopt;
            return Square(index);
        },
    };
    for (std::size_t row = 0; row < std::size(kLeftToTheirTurn); ++row)
    {
        std::vector<std::size_t> prepared;
        TWindow window(
            1000,
            [&](std::size_t index) {
                prepared.push_back(index);
                return kLeftToTheirTurn[row](index);
            },
            {2, 4, 1000});
        for (std::size_t i = 0; i < 1000; ++i)
        {
            std::future<int> work = window.Take(i);
            ASSERT_FALSE(prepared.empty());
            ASSERT_LE(prepared.back() + 1 - i, 4u) << "row " << row << ", element " << i;
            if (work.valid())
            {
                EXPECT_EQ(work.get(), int(i * i));
            }
        }
        EXPECT_EQ(prepared.size(), 1000u) << "each element prepared once, row " << row;
    }
}

TEST(WorkAheadTests, AFailureReachesOnlyItsOwnElementsTurn)
{
    TWindow window(
        6,
        [](std::size_t index) -> std::optional<TWindow::TPrepared> {
            if (index == 2)
                throw std::runtime_error("preparing failed"); // left to the caller's turn
            if (index == 4)
                return TWindow::TPrepared{[]() -> int { throw std::range_error("task failed"); }, 1};
            return Square(index);
        },
        {2, 6, 1000});
    for (std::size_t i = 0; i < 6; ++i)
    {
        std::future<int> work = window.Take(i);
        if (i == 2)
        {
            EXPECT_FALSE(work.valid());
            continue;
        }
        ASSERT_TRUE(work.valid());
        if (i == 4)
            EXPECT_THROW(work.get(), std::range_error);
        else
            EXPECT_EQ(work.get(), int(i * i));
    }
}

// Work marked for the caller's turn runs on the caller's thread when its result is asked for,
// between the worked-ahead elements around it, and its failure reaches only its own turn.
TEST(WorkAheadTests, WorkForTheCallersTurnRunsOnItsThreadWhenAskedForAndFailsThere)
{
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<std::size_t> ranHere;
    TWindow window(
        6,
        [&](std::size_t index) -> std::optional<TWindow::TPrepared> {
            if (index % 2 == 0)
                return Square(index);
            return TWindow::TPrepared{[&, index]() -> int {
                                          if (std::this_thread::get_id() == caller)
                                              ranHere.push_back(index);
                                          if (index == 3)
                                              throw std::range_error("task failed");
                                          return int(index * index);
                                      },
                                      1, true};
        },
        {2, 6, 1000});
    for (std::size_t i = 0; i < 6; ++i)
    {
        std::future<int> work = window.Take(i);
        ASSERT_TRUE(work.valid());
        EXPECT_EQ(ranHere.size(), i / 2) << "ran before its turn";
        if (i == 3)
            EXPECT_THROW(work.get(), std::range_error);
        else
            EXPECT_EQ(work.get(), int(i * i));
    }
    EXPECT_EQ(ranHere, (std::vector<std::size_t>{1, 3, 5}));
}

// Records the thread each element ran on, in the order they ran.
struct TRunRecord
{
    std::mutex fLock;
    std::vector<std::size_t> fOrder;
    std::vector<std::thread::id> fThreads;

    explicit TRunRecord(std::size_t count) : fThreads(count) {}

    void Ran(std::size_t index)
    {
        const std::lock_guard<std::mutex> guard(fLock);
        fOrder.push_back(index);
        fThreads[index] = std::this_thread::get_id();
    }
};

TWindow::TPrepared BatchedSquare(TRunRecord& record, std::size_t index, std::size_t failing)
{
    TWindow::TPrepared prepared{[&record, index, failing]() -> int {
                                    record.Ran(index);
                                    if (index == failing)
                                        throw std::range_error("task failed");
                                    return int(index * index);
                                },
                                1};
    prepared.fBatched = true;
    return prepared;
}

// Batched elements run one after another in one task, whoever runs it; a failure in the middle of
// a batch reaches only its own element's turn, and the elements after it are still done.
TEST(WorkAheadTests, BatchedElementsRunTogetherEachWithItsOwnResultOrFailure)
{
    constexpr std::size_t kCount = 10;
    constexpr std::size_t kFailing = 5;
    TRunRecord record(kCount);
    TWindow window(
        kCount, [&](std::size_t index) { return std::optional(BatchedSquare(record, index, kFailing)); },
        {2, kCount, 1000, 4});
    for (std::size_t i = 0; i < kCount; ++i)
    {
        std::future<int> work = window.Take(i);
        ASSERT_TRUE(work.valid());
        if (i == kFailing)
            EXPECT_THROW(work.get(), std::range_error);
        else
            EXPECT_EQ(work.get(), int(i * i));
    }
    EXPECT_EQ(record.fOrder.size(), kCount);
    for (std::size_t batch = 0; batch < kCount; batch += 4)
        for (std::size_t i = batch; i < std::min(batch + 4, kCount); ++i)
            EXPECT_EQ(record.fThreads[i], record.fThreads[batch]) << "element " << i << " left its batch";
    for (std::size_t i = 1; i < kCount; ++i)
        if (i % 4 != 0)
        {
            EXPECT_LT(std::find(record.fOrder.begin(), record.fOrder.end(), i - 1) - record.fOrder.begin(),
                      std::find(record.fOrder.begin(), record.fOrder.end(), i) - record.fOrder.begin())
                << "a batch ran out of order at " << i;
        }
}

// The window stops preparing before the batch is full; the caller reaching it runs it then, and
// nothing is added to it afterwards.
TEST(WorkAheadTests, ABatchNotYetFullIsRunByTheCallerWhenItReachesIt)
{
    constexpr std::size_t kCount = 6;
    TRunRecord record(kCount);
    TWindow window(
        kCount, [&](std::size_t index) { return std::optional(BatchedSquare(record, index, kCount)); },
        {1, 2, 1000, 4});
    for (std::size_t i = 0; i < kCount; ++i)
        EXPECT_EQ(window.Take(i).get(), int(i * i)) << i;
    EXPECT_EQ(record.fThreads[0], std::this_thread::get_id());
    EXPECT_EQ(record.fThreads[1], std::this_thread::get_id());
}

TEST(WorkAheadTests, ElementsSkippedByTheCallerAreDroppedAndNotReturned)
{
    TWindow window(
        8, [](std::size_t index) -> std::optional<TWindow::TPrepared> { return Square(index); }, {2, 8, 1000});
    EXPECT_EQ(window.Take(0).get(), 0);
    EXPECT_EQ(window.Take(5).get(), 25);
    EXPECT_EQ(window.Take(7).get(), 49);
}

TEST(WorkAheadTests, TasksRunTogetherOnEveryThread)
{
    // Each task waits until all four have started: with fewer threads than four at work, none
    // would ever finish, and the wait gives up.
    std::mutex lock;
    std::condition_variable started;
    u32 running = 0;
    CWorkAhead<bool> window(
        4,
        [&](std::size_t) -> std::optional<CWorkAhead<bool>::TPrepared> {
            return CWorkAhead<bool>::TPrepared{[&] {
                                                   std::unique_lock<std::mutex> guard(lock);
                                                   ++running;
                                                   started.notify_all();
                                                   return started.wait_for(guard, 20s, [&] { return running == 4; });
                                               },
                                               1};
        },
        {4, 4, 1000});
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(window.Take(i).get()) << i;
}

// The first element waits for the second: with one worker, which cannot do both, only the caller
// doing one of them itself lets the first see the second done (otherwise it gives up).
TEST(WorkAheadTests, TheCallerDoesWorkThatNoWorkerHasBegun)
{
    std::mutex lock;
    std::condition_variable secondDone;
    bool second = false;
    bool firstSawSecond = false;
    {
        CWorkAhead<bool> window(
            2,
            [&](std::size_t index) -> std::optional<CWorkAhead<bool>::TPrepared> {
                if (index == 0)
                    return CWorkAhead<bool>::TPrepared{[&] {
                                                           std::unique_lock<std::mutex> guard(lock);
                                                           firstSawSecond =
                                                               secondDone.wait_for(guard, 20s, [&] { return second; });
                                                           return firstSawSecond;
                                                       },
                                                       1};
                return CWorkAhead<bool>::TPrepared{[&] {
                                                       const std::lock_guard<std::mutex> guard(lock);
                                                       second = true;
                                                       secondDone.notify_all();
                                                       return true;
                                                   },
                                                   1};
            },
            {1, 2, 1000});
        std::future<bool> first = window.Take(0);
        EXPECT_TRUE(window.Take(1).get());
        EXPECT_TRUE(first.get());
    }
    EXPECT_TRUE(firstSawSecond);
}

// Set when the last task that still holds it is gone.
class CDroppedSignal
{
public:
    explicit CDroppedSignal(std::promise<void>& dropped) : fDropped(dropped) {}
    ~CDroppedSignal() { fDropped.set_value(); }

private:
    std::promise<void>& fDropped;
};

TEST(WorkAheadTests, DestroyingTheWindowDropsQueuedTasksAndWaitsForRunningOnes)
{
    // Every task but the first holds the signal until it begins, then waits for it: the running
    // tasks can only end once every queued task is gone, so the queue must be emptied before the
    // running tasks are waited for.
    constexpr u32 kElements = 50;
    constexpr u32 kThreads = 2;
    std::mutex lock;
    std::condition_variable changed;
    u32 begun = 0;
    u32 finished = 0;
    u32 gaveUp = 0;
    std::promise<void> dropped;
    const std::shared_future<void> allDropped = dropped.get_future().share();
    auto signal = std::make_shared<CDroppedSignal>(dropped);
    const auto count = [&](u32& step) {
        {
            const std::lock_guard<std::mutex> guard(lock);
            ++step;
        }
        changed.notify_all();
    };
    {
        CWorkAhead<int> window(
            kElements,
            [&](std::size_t index) -> std::optional<CWorkAhead<int>::TPrepared> {
                if (index == 0)
                    return Square(0);
                return CWorkAhead<int>::TPrepared{[&, held = signal]() mutable {
                                                      held.reset();
                                                      count(begun);
                                                      // The bound only turns a wrong order into a
                                                      // failure instead of a hang.
                                                      if (allDropped.wait_for(20s) != std::future_status::ready)
                                                          count(gaveUp);
                                                      count(finished);
                                                      return 0;
                                                  },
                                                  1};
            },
            {kThreads, kElements, 1000});
        // Queues every element; the first, which waits for nothing, is taken in its turn.
        EXPECT_EQ(window.Take(0).get(), 0);
        signal.reset();
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return begun == kThreads; });
    }
    EXPECT_EQ(begun, kThreads) << "no queued task started";
    EXPECT_EQ(finished, kThreads) << "the running tasks were waited for";
    EXPECT_EQ(gaveUp, 0u) << "the queued tasks were dropped before the running ones were waited for";
}
} // namespace
