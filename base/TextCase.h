#pragma once
// Upper- and lower-case copies through the platform's case mapping of each unit.
#include "base/UTF16String.h"

namespace NSTextPackage
{
// The case folding of hashed names. A failing platform call throws with the object type "unicode".
TUTF16String ToUpper(const TUTF16String& text);
TUTF16String ToLower(const TUTF16String& text);
} // namespace NSTextPackage
