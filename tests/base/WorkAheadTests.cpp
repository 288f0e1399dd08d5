#include "base/WorkAhead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <stdexcept>
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

TEST(WorkAheadTests, DestroyingTheWindowDropsQueuedTasksAndWaitsForRunningOnes)
{
    // Both threads' tasks run until the last element's task is dropped, which its future tells
    // by a broken promise: the queue must be emptied before the running tasks are waited for.
    constexpr u32 kElements = 50;
    constexpr u32 kThreads = 2;
    std::mutex lock;
    std::condition_variable changed;
    u32 begun = 0;
    u32 finished = 0;
    u32 gaveUp = 0;
    std::shared_future<int> last;
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
            [&](std::size_t) -> std::optional<CWorkAhead<int>::TPrepared> {
                return CWorkAhead<int>::TPrepared{[&] {
                                                      std::shared_future<int> awaited;
                                                      {
                                                          std::unique_lock<std::mutex> guard(lock);
                                                          ++begun;
                                                          changed.notify_all();
                                                          changed.wait(guard, [&] { return last.valid(); });
                                                          awaited = last;
                                                      }
                                                      // The bound only turns a wrong order into a
                                                      // failure instead of a hang.
                                                      if (awaited.wait_for(20s) != std::future_status::ready)
                                                          count(gaveUp);
                                                      count(finished);
                                                      return 0;
                                                  },
                                                  1};
            },
            {kThreads, kElements, 1000});
        // Queues every element; the futures of all but the last are let go of, not their tasks.
        EXPECT_TRUE(window.Take(0).valid());
        std::unique_lock<std::mutex> guard(lock);
        last = window.Take(kElements - 1).share();
        changed.notify_all();
        changed.wait(guard, [&] { return begun == kThreads; });
    }
    EXPECT_EQ(begun, kThreads) << "no queued task started";
    EXPECT_EQ(finished, kThreads) << "the running tasks were waited for";
    EXPECT_EQ(gaveUp, 0u) << "the queued tasks were dropped before the running ones were waited for";
    try
    {
        last.get();
        ADD_FAILURE() << "the last task ran";
    }
    catch (const std::future_error& e)
    {
        EXPECT_EQ(e.code(), std::future_errc::broken_promise);
    }
}
} // namespace
