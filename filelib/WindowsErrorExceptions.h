#pragma once
// Exceptions for the Win32 error codes of the application's own Windows calls (registry, process
// start): the codes the file library's Windows layer knows raise what they raise there.
#include "base/Types.h"

namespace NSFileLibSupport
{
// Returns for 0 (ERROR_SUCCESS); throws the exception the code stands for otherwise.
void ThrowExceptionForWindowsError(u32 error);
} // namespace NSFileLibSupport
