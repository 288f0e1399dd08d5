#pragma once
// Text as 32-bit code points, as the XML reader collects character references.
#include "base/UTF16String.h"

#include <string>

namespace NSTextPackage
{
using TUTF32String = std::basic_string<u32>;

// Code points from U+10000 up become surrogate pairs. The input is not validated: the caller
// hands in code points it has checked.
TUTF16String UTF32ToUTF16(const TUTF32String& codePoints);
} // namespace NSTextPackage
