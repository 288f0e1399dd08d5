#include <gtest/gtest.h>
#include <windows.h>

#include "base/Clock.h"

using namespace NSFerrant;

namespace
{
TEST(Clock, CounterToMicrosecondsAtAGivenFrequency)
{
    struct Case
    {
        i64 frequency;
        i64 ticks;
        i64 microseconds;
    };
    const Case kCases[] = {
        {10000000, 0, 0},
        {10000000, 10000000, 1000000},
        {10000000, 5000000, 500000},
        {10000000, 15, 1}, // 1500 ns truncated
        {10000000, 9, 0},
        {10000000, -15, -1},
        {10000000, -9, 0},
        {10000000, -10000000, -1000000},
        // Three years of ticks: ticks × 10^9 needs more than 64 bits on the way.
        {10000000, 1000000000000000, 100000000000000},
        {10000000, -1000000000000000, -100000000000000},
        // A frequency that divides no power of ten.
        {3579545, 3579545, 1000000},
        {3579545, 358, 100}, // 100 012.7 ns
        {3579545, 1, 0},
        {3579545, -358, -100},
        {3579545, 1000000000000000, 279365114840014},
        {1000000000, 1999, 1},
        {1000000000, -1999, -1},
        {1000000000, 1000000000000000000, 1000000000000000},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(CounterToMicroseconds(c.ticks, c.frequency), c.microseconds)
            << c.ticks << " at " << c.frequency;
}

TEST(Clock, CounterToMicrosecondsAtThisMachinesFrequency)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const i64 perSecond = frequency.QuadPart;
    ASSERT_GT(perSecond, 0);
    EXPECT_EQ(CounterToMicroseconds(perSecond), 1000000) << "one second of ticks";
    EXPECT_EQ(CounterToMicroseconds(-3 * perSecond), -3000000);
    EXPECT_EQ(CounterToMicroseconds(perSecond / 2), CounterToMicroseconds(perSecond / 2, perSecond));
}

TEST(Clock, MillisecondsNeverDecrease)
{
    i64 previous = GetMilliseconds();
    for (int i = 0; i < 1000; ++i)
    {
        const i64 now = GetMilliseconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(Clock, MillisecondsAreTheCounterInMilliseconds)
{
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceCounter(&before);
    const i64 now = GetMilliseconds();
    QueryPerformanceCounter(&after);
    EXPECT_LE(CounterToMicroseconds(before.QuadPart) / 1000, now);
    EXPECT_GE(CounterToMicroseconds(after.QuadPart) / 1000, now);
}

TEST(Clock, UnconvertibleMomentGivesEmptyText)
{
    EXPECT_EQ(FormatLocalDate(u64(1) << 63), NSTextPackage::TUTF16String());
}
} // namespace
