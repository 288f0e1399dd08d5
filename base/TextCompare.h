#pragma once
// Comparison of names and texts in the user's locale.
#include "base/UTF16String.h"

namespace NSTextPackage
{
// Fixed values, not -1/0/1: a match is kCompareEqual.
enum ECompareResult : u32
{
    kCompareLess = 17014,
    kCompareGreater = 17015,
    kCompareEqual = 17016,
};

enum ECompareMode : u32
{
    kCompareRespectCase = 0,
    kCompareIgnoreCase = 1,
};

// A leading U+FEFF on either side is skipped; widths are always ignored, case in mode 1 only.
// A failing platform comparison throws with the object type "unicode".
ECompareResult CompareText(const TUTF16String& a, const TUTF16String& b, u32 mode);
// Whether CompareText in mode 1 answers equal. Names of printable ASCII alone are compared here,
// where the platform's comparison could only agree: a file name is matched against dozens of
// extensions, and each platform comparison costs microseconds.
bool EqualIgnoringCase(const TUTF16String& a, const TUTF16String& b);
// The ordering of the program's text-keyed maps: CompareText with mode 0 answers less.
inline bool TextLess(const TUTF16String& a, const TUTF16String& b)
{
    return CompareText(a, b, kCompareRespectCase) == kCompareLess;
}
} // namespace NSTextPackage
