#pragma once
// A monotonic clock over the performance counter, and the user's short date of a moment.
#include "base/Types.h"
#include "base/UTF16String.h"

namespace NSFerrant
{
// Counter ticks to microseconds, truncated toward zero; the counter frequency is queried once.
i64 CounterToMicroseconds(i64 ticks);
// The same at a given frequency in ticks per second, so the conversion can be checked at
// frequencies other than this machine's.
i64 CounterToMicroseconds(i64 ticks, i64 frequency);
// The counter now in milliseconds; no fixed origin, only differences mean anything.
i64 GetMilliseconds();
// A FILETIME in UTC (100 ns since 1601) as the user's short date in local time; empty when
// Windows cannot convert the moment.
NSTextPackage::TUTF16String FormatLocalDate(const u64& fileTime);
} // namespace NSFerrant
