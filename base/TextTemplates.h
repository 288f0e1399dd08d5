#pragma once
// Message templates: "^" followed by decimal digits n is replaced by argument n.
#include <vector>

#include "base/UTF16String.h"

namespace NSTextPackage
{
// The template is read up to its first zero unit. A placeholder whose number has no argument
// vanishes; a "^" not followed by a digit stays; arguments are inserted as they are.
TUTF16String ExpandTemplate(const TUTF16String& templateText, const std::vector<TUTF16String>& arguments);
} // namespace NSTextPackage
