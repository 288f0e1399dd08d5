#pragma once
// Opening a file or a web address with the program the shell associates with it.
#include "base/UTF16String.h"

namespace NSFerrant
{
// The shell's "open" on the target; true when the shell reports success. Never throws: what to do
// about a failure is the caller's decision.
bool OpenWithShell(const NSTextPackage::TUTF16String& target);
} // namespace NSFerrant
