#include "filelib/WindowsErrorExceptions.h"

#include "base/Quorral.h"
#include "filelib/WinErrors.h"

#include <windows.h>

using namespace NSQuorral;

namespace NSFileLibSupport
{
void ThrowExceptionForWindowsError(u32 error)
{
    if (error == ERROR_SUCCESS)
        return;
    // A code the file library knows raises what it raises there, so that one cause shows the
    // user one alert whichever call met it.
    WinThrowExceptionForKnownError(error);
    switch (error)
    {
    case ERROR_REQUEST_ABORTED:
        Throw(XNotFound(""), GetFileObjectType());
    case ERROR_GEN_FAILURE:
        Throw(std::runtime_error(""));
    default:
        Throw(std::exception());
    }
}
} // namespace NSFileLibSupport
