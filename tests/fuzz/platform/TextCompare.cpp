// The fuzz build's stand-in for base/TextCompare.cpp: UTF-16 code units compared in order, after
// the stand-in's case mapping when case is ignored. Not the user's collation, but a total order,
// which is what the readers' maps and equality checks rely on.
#include "base/TextCompare.h"

#include "base/TextCase.h"

namespace NSTextPackage
{
namespace
{
constexpr u16 kByteOrderMark = 0xFEFF;

TUTF16String WithoutByteOrderMark(const TUTF16String& text)
{
    return !text.empty() && text[0] == kByteOrderMark ? text.substr(1) : text;
}
} // namespace

ECompareResult CompareText(const TUTF16String& a, const TUTF16String& b, u32 mode)
{
    TUTF16String left = WithoutByteOrderMark(a);
    TUTF16String right = WithoutByteOrderMark(b);
    if (mode == kCompareIgnoreCase)
    {
        left = ToUpper(left);
        right = ToUpper(right);
    }
    const int order = left.compare(right);
    return order < 0 ? kCompareLess : order > 0 ? kCompareGreater : kCompareEqual;
}
} // namespace NSTextPackage
