#include "base/TextCompare.h"

#include <windows.h>

#include <algorithm>
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
bool IsPrintableASCII(const TUTF16String& text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit >= 0x20 && unit < 0x7F; });
}

char16_t FoldASCII(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? char16_t(unit - u'a' + u'A') : unit;
}
} // namespace

bool EqualIgnoringCase(const TUTF16String& a, const TUTF16String& b)
{
    if (!IsPrintableASCII(a) || !IsPrintableASCII(b))
        return CompareText(a, b, kCompareIgnoreCase) == kCompareEqual;
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldASCII(x) == FoldASCII(y); });
}

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
