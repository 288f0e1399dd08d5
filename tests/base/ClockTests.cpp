#include <gtest/gtest.h>
#include <windows.h>

#include "base/Clock.h"

using namespace NSFerrant;

namespace
{
TEST(Clock, CounterToMicrosecondsAtTheCounterFrequency)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ASSERT_EQ(frequency.QuadPart, 10000000) << "Wine's counter runs at 10 MHz";

    struct Case
    {
        i64 ticks;
        i64 microseconds;
    };
    const Case kCases[] = {
        {0, 0},
        {10000000, 1000000},
        {5000000, 500000},
        {15, 1}, // 1500 ns truncated
        {9, 0},
        {-15, -1},
        {-9, 0},
        {-10000000, -1000000},
        // Three years of ticks: ticks × 10^9 needs more than 64 bits on the way.
        {1000000000000000, 100000000000000},
        {-1000000000000000, -100000000000000},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(CounterToMicroseconds(c.ticks), c.microseconds) << c.ticks;
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
    Sleep(20);
    EXPECT_GE(GetMilliseconds() - previous, 15);
}

TEST(Clock, UnconvertibleMomentGivesEmptyText)
{
    EXPECT_EQ(FormatLocalDate(u64(1) << 63), NSTextPackage::TUTF16String());
}
} // namespace
