#pragma once
// The process exit code of the install and uninstall modes, which the copy that relaunched the
// program waits for. WinMain returns it in those modes; a normal run always exits with 0.
#include "base/Types.h"

namespace NSVantleApp
{
// The code until something sets it, also when the program ends before the duties ran.
constexpr u32 kExitCodeFailed = 0xFFFFFFFF;
constexpr u32 kExitCodeDone = 0;
// The user is no administrator, or a duty was cancelled.
constexpr u32 kExitCodeCancelled = 1;

void SetExitCode(u32 code);
u32 GetExitCode();
} // namespace NSVantleApp
