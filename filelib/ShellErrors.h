#pragma once
// How the shell items report failures: the object type "shell_item" and the mapping of failed
// shell calls (HRESULT values) to exceptions.
#include "base/Quorral.h"

#include <windows.h>

namespace NSFerrant
{
NSQuorral::TFixedName GetShellItemObjectType(); // "shell_item"

// Raises exception with the object type (none for the empty name), through the one throw shape.
[[noreturn]] void ThrowShellFailure(const std::exception& exception, const NSQuorral::TFixedName& objectType);

// Raises X with an empty message and the object type "shell_item".
template <class X> [[noreturn]] void ThrowShellItemFailure()
{
    ThrowShellFailure(X(""), GetShellItemObjectType());
}

// Returns for a value that is not negative; raises the exception of a failed shell call.
void ThrowIfFailedHRESULT(HRESULT result);
} // namespace NSFerrant
