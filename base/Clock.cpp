#include "base/Clock.h"

#include <windows.h>

#include <vector>

#include "base/MulDiv64.h"

namespace NSFerrant
{
namespace
{
// Filled by the first conversion and never refreshed: the frequency is fixed at boot.
i64 gCounterFrequency = 0;
bool gCounterFrequencyKnown = false;
} // namespace

i64 CounterToMicroseconds(i64 ticks)
{
    if (!gCounterFrequencyKnown)
    {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        gCounterFrequency = frequency.QuadPart;
        gCounterFrequencyKnown = true;
    }
    return CounterToMicroseconds(ticks, gCounterFrequency);
}

i64 CounterToMicroseconds(i64 ticks, i64 frequency)
{
    return NSTextPackage::MulDiv64(ticks, frequency) / 1000;
}

i64 GetMilliseconds()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return CounterToMicroseconds(counter.QuadPart) / 1000;
}

NSTextPackage::TUTF16String FormatLocalDate(const u64& fileTime)
{
    FILETIME utc;
    utc.dwLowDateTime = DWORD(fileTime);
    utc.dwHighDateTime = DWORD(fileTime >> 32);
    FILETIME local;
    SYSTEMTIME date;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &date))
        return {};
    const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(std::size_t(length), L'\0');
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer.data(), length) <= 0)
        return {};
    return NSTextPackage::FromWide(buffer.data());
}
} // namespace NSFerrant
