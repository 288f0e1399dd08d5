#pragma once
// Numbers as the user writes them: digits grouped with the separators of the regional settings.
// The settings are read from Windows, not through the C++ runtime's locales, which the runtime
// cannot build for a named user locale.
#include <vector>

#include "base/UTF16String.h"

namespace NSTextPackage
{
struct TNumberLocale
{
    // Digits per group, from the rightmost group leftwards; an empty list means no grouping.
    std::vector<u8> fGroupSizes;
    // The last size repeats for every group further left; otherwise those digits stay together.
    bool fRepeatLastGroup = false;
    TUTF16String fThousandsSeparator;
    TUTF16String fDecimalPoint;
};

// Reads the user's default number settings into the program-wide number locale, replacing the
// one installed before. Never fails: settings that cannot be read give plain ungrouped digits.
void InstallGroupingLocale();
// The program-wide number locale; installed on first use if start-up has not done it.
const TNumberLocale& GetNumberLocale();

// Decimal digits grouped by the locale, a minus sign before negative values.
TUTF16String FormatGroupedNumber(i64 value, const TNumberLocale& locale);
TUTF16String FormatGroupedNumber(i64 value);

// Reads the leading run of "0123456789abcdefABCDEF+- ", the decimal point and the thousands
// separator; from it, after blanks and an optional sign, decimal digits with separators that
// must follow the locale's grouping. True when a number was read; false for no digits, a
// misplaced separator or a value beyond 64 bits. "12ab" reads 12; "ab" fails.
bool ParseNumber(const TUTF16String& text, i64& value, const TNumberLocale& locale);
} // namespace NSTextPackage
