#pragma once
// The program's fixed names (XML element and attribute names, device type names) are ASCII
// literals: matched against UTF-16 texts unit for unit and widened when written.
#include "base/UTF16String.h"

namespace NSASCIIText
{
// Same length and same units: letter case counts.
bool Equals(const NSTextPackage::TUTF16String& text, const char* ascii);
NSTextPackage::TUTF16String Widen(const char* ascii);
} // namespace NSASCIIText
