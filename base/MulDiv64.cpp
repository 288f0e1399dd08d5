#include "base/MulDiv64.h"

namespace NSTextPackage
{
namespace
{
u64 Magnitude(i64 value)
{
    return value < 0 ? 0 - u64(value) : u64(value);
}
} // namespace

i64 MulDiv64(i64 a, i64 c)
{
    if (c == 0)
        return 0;
    using u128 = unsigned __int128;
    const u128 product = u128(Magnitude(a)) * 1000000000u;
    const u64 quotient = u64(product / Magnitude(c));
    const bool negative = (a < 0) != (c < 0);
    return i64(negative ? 0 - quotient : quotient);
}
} // namespace NSTextPackage
