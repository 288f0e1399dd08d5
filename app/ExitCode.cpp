#include "app/ExitCode.h"

namespace NSVantleApp
{
namespace
{
u32 gExitCode = kExitCodeFailed;
}

void SetExitCode(u32 code)
{
    gExitCode = code;
}

u32 GetExitCode()
{
    return gExitCode;
}
} // namespace NSVantleApp
