#pragma once
// Scaled division for the clock: counter ticks to nanoseconds without overflow.
#include "base/Types.h"

namespace NSTextPackage
{
// a × 1 000 000 000 / c with an exact 128-bit intermediate, truncated toward zero; only the low
// 64 bits of the quotient remain. c = 0 gives 0.
i64 MulDiv64(i64 a, i64 c);
} // namespace NSTextPackage
