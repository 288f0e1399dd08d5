#pragma once
// Small operations on UTF-16 text and on the zero-terminated buffers at the platform's edge.
#include <cstddef>
#include <string>

#include "base/UTF16String.h"

namespace NSTextPackage
{
// At most maxUnits units, never ending in half a surrogate pair.
TUTF16String TruncateText(const TUTF16String& text, std::size_t maxUnits);
// Every unit that occurs in the 7-bit character set becomes "_"; the length is kept.
TUTF16String ReplaceCharacters(const TUTF16String& text, const std::string& characterSet);
// Units before the first zero unit.
std::size_t GetWideLength(const u16* text);
// Copies at most maxUnits units, stopping at a zero unit, and always terminates:
// destination must hold maxUnits + 1 units.
void CopyWide(u16* destination, const u16* source, std::size_t maxUnits);
} // namespace NSTextPackage
