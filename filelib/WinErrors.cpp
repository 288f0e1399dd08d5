#include "filelib/WinErrors.h"

#include "base/ObjectTypeNames.h"
#include "base/Throw.h"
#include "base/ThrowContext.h"

#include <new>
#include <stdexcept>

namespace
{
enum class EKnownErrorClass
{
    kLogicError,
    kBadAlloc,
    kNotFound,
    kOutOfFileHandles,
    kPermission,
    kLocked,
    kWrite,
    kRead,
    kOutOfSpace,
    kCreate,
};

struct TKnownError
{
    u32 code;
    const char* name;
    EKnownErrorClass errorClass;
};

const TKnownError kKnownErrors[] = {
    {NO_ERROR, "NO_ERROR", EKnownErrorClass::kLogicError},
    {ERROR_FILE_NOT_FOUND, "ERROR_FILE_NOT_FOUND", EKnownErrorClass::kNotFound},
    {ERROR_PATH_NOT_FOUND, "ERROR_PATH_NOT_FOUND", EKnownErrorClass::kNotFound},
    {ERROR_TOO_MANY_OPEN_FILES, "ERROR_TOO_MANY_OPEN_FILES", EKnownErrorClass::kOutOfFileHandles},
    {ERROR_ACCESS_DENIED, "ERROR_ACCESS_DENIED", EKnownErrorClass::kPermission},
    {ERROR_NOT_ENOUGH_MEMORY, "ERROR_NOT_ENOUGH_MEMORY", EKnownErrorClass::kBadAlloc},
    {ERROR_INVALID_DRIVE, "ERROR_INVALID_DRIVE", EKnownErrorClass::kNotFound},
    {ERROR_WRITE_PROTECT, "ERROR_WRITE_PROTECT", EKnownErrorClass::kLocked},
    {ERROR_NOT_READY, "ERROR_NOT_READY", EKnownErrorClass::kLogicError},
    {ERROR_WRITE_FAULT, "ERROR_WRITE_FAULT", EKnownErrorClass::kWrite},
    {ERROR_READ_FAULT, "ERROR_READ_FAULT", EKnownErrorClass::kRead},
    {ERROR_SHARING_VIOLATION, "ERROR_SHARING_VIOLATION", EKnownErrorClass::kLocked},
    {ERROR_LOCK_VIOLATION, "ERROR_LOCK_VIOLATION", EKnownErrorClass::kLocked},
    {ERROR_HANDLE_DISK_FULL, "ERROR_HANDLE_DISK_FULL", EKnownErrorClass::kOutOfSpace},
    {ERROR_CANNOT_MAKE, "ERROR_CANNOT_MAKE", EKnownErrorClass::kCreate},
    {ERROR_INVALID_PARAMETER, "ERROR_INVALID_PARAMETER", EKnownErrorClass::kLogicError},
    {ERROR_DISK_FULL, "ERROR_DISK_FULL", EKnownErrorClass::kOutOfSpace},
    {ERROR_RETRY, "ERROR_RETRY", EKnownErrorClass::kLogicError},
};

[[noreturn]] void ThrowKnownError(const TKnownError& known)
{
    const std::string message = std::string("WinThrowExceptionForKnownError(") + known.name + ")";
    switch (known.errorClass)
    {
    case EKnownErrorClass::kLogicError:
        WinThrow<std::logic_error>(message);
    case EKnownErrorClass::kBadAlloc:
        WinThrowException(std::bad_alloc());
    case EKnownErrorClass::kNotFound:
        WinThrow<NSQuorral::XNotFound>(message);
    case EKnownErrorClass::kOutOfFileHandles:
    {
        NSQuorral::XOutOfItems exception(message);
        NSQuorral::TThrowSite site;
        NSQuorral::CThrowContext context(site);
        context << exception;
        context.SetTargetObjectType(NSQuorral::GetFileHandleObjectType());
        NSQuorral::ThrowException(context);
    }
    case EKnownErrorClass::kPermission:
        WinThrow<NSQuorral::XPermission>(message);
    case EKnownErrorClass::kLocked:
        WinThrow<NSQuorral::XLocked>(message);
    case EKnownErrorClass::kWrite:
        WinThrow<NSQuorral::XWrite>(message);
    case EKnownErrorClass::kRead:
        WinThrow<NSQuorral::XRead>(message);
    case EKnownErrorClass::kOutOfSpace:
        WinThrow<NSQuorral::XOutOfSpace>(message);
    case EKnownErrorClass::kCreate:
        WinThrow<NSQuorral::XCreate>(message);
    }
    WinThrow<std::logic_error>(message);
}

struct TKnownOLEError
{
    u32 result;
    const char* message;
    bool isAccessDenial; // XPermission; the others are XNotFound
};

const TKnownOLEError kKnownOLEErrors[] = {
    {0x80070005, "WinHandleOLEError E_ACCESSDENIED", true},
    {0x80070015, "WinHandleOLEError OLE_ERROR_DEVICE_NOT_READY", false},
    {0x80070035, "WinHandleOLEError OLE_ERROR_NETWORK_PATH_NOT_FOUND", false},
    {0x80070040, "WinHandleOLEError OLE_ERROR_NETWORK_NAME_NO_LONGER_AVAILABLE", false},
    {0x80070043, "WinHandleOLEError OLE_ERROR_NETWORK_NAME_NOT_FOUND", false},
    {0x800704DC, "WinHandleOLEError OLE_ERROR_NETWORK_USER_NOT_AUTHENTICATED", false},
};
} // namespace

void WinThrowException(const std::exception& exception)
{
    NSQuorral::Throw(exception);
}

void WinThrowExceptionForKnownError(u32 error)
{
    for (const TKnownError& known : kKnownErrors)
    {
        if (known.code == error)
            ThrowKnownError(known);
    }
}

void WinHandleOLEError(i32 result)
{
    if (result >= 0)
        return;
    for (const TKnownOLEError& known : kKnownOLEErrors)
    {
        if (known.result != u32(result))
            continue;
        if (known.isAccessDenial)
            WinThrow<NSQuorral::XPermission>(known.message);
        WinThrow<NSQuorral::XNotFound>(known.message);
    }
    WinThrow<std::invalid_argument>("WinHandleOLEError unrecognized OLE error");
}
