#pragma once
// Plain decimal text of integers, without grouping.
#include "base/UTF16String.h"

namespace NSTextPackage
{
// A minus sign before negative values, no blanks, no grouping.
TUTF16String FormatInteger(i64 value);

// Lenient reading: leading blanks and plus signs are skipped, then the run of digits and minus
// signs that follows is read as a signed decimal up to its first character that does not fit
// ("12-3" reads 12); a value beyond 64 bits saturates. False, with value 0, when that run holds
// no number ("", "abc", "-", "--5").
bool ParseInteger(const TUTF16String& text, i64& value);
} // namespace NSTextPackage
