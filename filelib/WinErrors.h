#pragma once
// How a failed Win32 or COM call of the Windows layer becomes an exception. The class chosen
// here decides the status a caller of the file library finally sees, so the mapping is part of
// the library's contract.
#include "base/ExceptionClasses.h"
#include "base/Types.h"

#include <windows.h>

#include <exception>
#include <string>

// Raises the exception of a known Win32 error code and never returns for it; returns, doing
// nothing, for any other code.
void WinThrowExceptionForKnownError(u32 error);

// Returns for a success value (0 or more, S_FALSE included); raises for every failure.
void WinHandleOLEError(i32 result);

// Raises the exception through the error framework's throw shape.
[[noreturn]] void WinThrowException(const std::exception& exception);

// Raises X with the message.
template <class X> [[noreturn]] void WinThrow(const std::string& message)
{
    WinThrowException(X(message));
}

// The rule for a failed Win32 call: a known error raises its own exception, any other raises
// X with the calling function's message ("<Function> failed with unrecognized error type").
template <class X> [[noreturn]] void WinThrowForError(u32 error, const std::string& message)
{
    WinThrowExceptionForKnownError(error);
    WinThrow<X>(message);
}

// The rule applied to the thread's last error; call it right after the failed call.
template <class X> [[noreturn]] void WinThrowForLastError(const std::string& message)
{
    WinThrowForError<X>(::GetLastError(), message);
}
