#pragma once
// Exceptions for the Win32 error codes of the application's own Windows calls (registry, process
// start). The file library's backend maps its errors itself.
#include "base/Types.h"

namespace NSFileLibSupport
{
// Returns for 0 (ERROR_SUCCESS); throws the exception the code stands for otherwise.
void ThrowExceptionForWindowsError(u32 error);
} // namespace NSFileLibSupport
