#include "base/TextCompare.h"

#include <windows.h>

#include <stdexcept>

#include "base/TextFailure.h"

namespace NSTextPackage
{
namespace
{
constexpr u16 kByteOrderMark = 0xFEFF;

// The text without a leading byte-order mark, as pointer and length.
struct TComparedText
{
    const wchar_t* fUnits;
    int fLength;
};

TComparedText WithoutByteOrderMark(const TUTF16String& text)
{
    const std::size_t skip = !text.empty() && text[0] == kByteOrderMark ? 1 : 0;
    return {AsWide(text) + skip, CheckedPlatformLength(text.size() - skip)};
}
} // namespace

ECompareResult CompareText(const TUTF16String& a, const TUTF16String& b, u32 mode)
{
    const TComparedText left = WithoutByteOrderMark(a);
    const TComparedText right = WithoutByteOrderMark(b);
    DWORD flags = SORT_STRINGSORT | NORM_IGNOREWIDTH;
    if (mode == kCompareIgnoreCase)
        flags |= NORM_IGNORECASE;
    const int result = CompareStringEx(nullptr, flags, left.fUnits, left.fLength, right.fUnits, right.fLength,
                                       nullptr, nullptr, 0);
    switch (result)
    {
    case CSTR_LESS_THAN:
        return kCompareLess;
    case CSTR_EQUAL:
        return kCompareEqual;
    case CSTR_GREATER_THAN:
        return kCompareGreater;
    case 0:
        ThrowTextFailure(std::exception());
    default:
        ThrowTextFailure(std::logic_error(""));
    }
}
} // namespace NSTextPackage
