#include "filelib/WindowsErrorExceptions.h"

#include "base/Quorral.h"

#include <windows.h>

using namespace NSQuorral;

namespace NSFileLibSupport
{
void ThrowExceptionForWindowsError(u32 error)
{
    switch (error)
    {
    case ERROR_SUCCESS:
        return;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_REQUEST_ABORTED:
    case ERROR_RETRY:
        Throw(XNotFound(""), GetFileObjectType());
    case ERROR_TOO_MANY_OPEN_FILES:
        Throw(XOpen(""));
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        Throw(XLocked(""));
    case ERROR_NOT_ENOUGH_MEMORY:
        Throw(std::bad_alloc());
    case ERROR_WRITE_FAULT:
        Throw(XWrite(""));
    case ERROR_READ_FAULT:
        Throw(XRead(""));
    case ERROR_GEN_FAILURE:
        Throw(std::runtime_error(""));
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        Throw(XOutOfSpace(""), GetDiskObjectType());
    case ERROR_CANNOT_MAKE:
        Throw(XCreate(""));
    case ERROR_INVALID_PARAMETER:
        Throw(std::invalid_argument(""));
    default:
        Throw(std::exception());
    }
}
} // namespace NSFileLibSupport
