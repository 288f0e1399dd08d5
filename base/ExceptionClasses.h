#pragma once
// The closed family of exception classes, one per failure kind. Each joins a standard exception
// base (what(), plain std::exception handlers) with the exception body (its properties).
//
// Program code constructs the NSQuorral classes from a message and throws them through the
// throw machinery (base/ThrowContext.h), never with a plain throw statement. The
// NSQuorralDetails classes wrap standard exceptions; only the machinery constructs them.
// Catch by reference: as the class, as its standard bases, as std::exception or as
// CExceptionBodyMixin.
#include "base/ExceptionBody.h"
#include "base/FailureCodes.h"

#include <new>
#include <stdexcept>
#include <string>

namespace NSQuorral
{
namespace NSQuorralDetails
{
// The standard base with its message. std::exception holds no message, so classes on it keep
// their text here; what() of the bad-allocation class is always "bad allocation".
template <class TStdBase> class CStandardBase : public TStdBase
{
public:
    explicit CStandardBase(const std::string& message) : TStdBase(message) {}
};

template <> class CStandardBase<std::exception> : public std::exception
{
public:
    explicit CStandardBase(const std::string& message) : fText(message) {}
    const char* what() const noexcept override { return fText.c_str(); }

private:
    std::string fText;
};

template <> class CStandardBase<std::bad_alloc> : public std::bad_alloc
{
public:
    explicit CStandardBase(const std::string&) {}
    const char* what() const noexcept override { return "bad allocation"; }
};

template <class TStdBase, EFailureCode kKind, bool kMadeFromMessage>
class XQuorralException : public CStandardBase<TStdBase>, public CExceptionBodyMixin
{
public:
    static constexpr EFailureCode kFailureKind = kKind;

    // A fresh body; ThrowException throws a new object built from the final body.
    explicit XQuorralException(const std::string& message) requires kMadeFromMessage
        : CStandardBase<TStdBase>(message)
    {
    }

    // The final body of a throw and the message of its first throw.
    XQuorralException(const CExceptionBodyMixin& body, const std::string& message)
        : CStandardBase<TStdBase>(message), CExceptionBodyMixin(body)
    {
    }
};

template <class TStdBase, EFailureCode kKind>
using XWrappedStandardException = XQuorralException<TStdBase, kKind, false>;

// Kinds 6 and 7: a plain std::exception, or a standard class no other class names.
using XStdException = XWrappedStandardException<std::exception, kFailureCode_Exception>;
// Carries another library's error code in the property "error_code".
using XTunneledError = XWrappedStandardException<std::exception, kFailureCode_TunneledError>;
using XStdLogicError = XWrappedStandardException<std::logic_error, kFailureCode_LogicError>;
using XStdDomainError = XWrappedStandardException<std::domain_error, kFailureCode_LogicError_Domain>;
using XStdInvalidArgument =
    XWrappedStandardException<std::invalid_argument, kFailureCode_LogicError_InvalidArgument>;
using XStdLengthError = XWrappedStandardException<std::length_error, kFailureCode_LogicError_Length>;
using XStdOutOfRange = XWrappedStandardException<std::out_of_range, kFailureCode_LogicError_OutOfRange>;
// Ignores the message: what() is "bad allocation".
using XStdBadAlloc = XWrappedStandardException<std::bad_alloc, kFailureCode_BadAlloc>;
using XStdRuntimeError = XWrappedStandardException<std::runtime_error, kFailureCode_RuntimeError>;
using XStdOverflowError = XWrappedStandardException<std::overflow_error, kFailureCode_RuntimeError_Overflow>;
using XStdUnderflowError =
    XWrappedStandardException<std::underflow_error, kFailureCode_RuntimeError_Underflow>;
using XStdRangeError = XWrappedStandardException<std::range_error, kFailureCode_RuntimeError_RangeError>;
} // namespace NSQuorralDetails

using NSQuorralDetails::XStdBadAlloc;
using NSQuorralDetails::XStdDomainError;
using NSQuorralDetails::XStdException;
using NSQuorralDetails::XStdInvalidArgument;
using NSQuorralDetails::XStdLengthError;
using NSQuorralDetails::XStdLogicError;
using NSQuorralDetails::XStdOutOfRange;
using NSQuorralDetails::XStdOverflowError;
using NSQuorralDetails::XStdRangeError;
using NSQuorralDetails::XStdRuntimeError;
using NSQuorralDetails::XStdUnderflowError;
using NSQuorralDetails::XTunneledError;

template <class TStdBase, EFailureCode kKind>
using XProgramException = NSQuorralDetails::XQuorralException<TStdBase, kKind, true>;

// An operation was called out of its required order.
using XIllegalCallSequence = XProgramException<std::logic_error, kFailureCode_LogicError_IllegalCallSequence>;
// An internal invariant or an object's validity check failed.
using XInvariantCorrupt = XProgramException<std::logic_error, kFailureCode_LogicError_InvariantCorrupt>;

using XUnsupportedFormat = XProgramException<std::runtime_error, kFailureCode_RuntimeError_UnsupportedFormat>;
// Data that breaks the rules of its format: bad magic, bad length, bad text.
using XFormatViolation = XProgramException<std::runtime_error, kFailureCode_RuntimeError_FormatViolation>;
using XVersionTooOld = XProgramException<std::runtime_error, kFailureCode_RuntimeError_VersionTooOld>;
using XVersionTooNew = XProgramException<std::runtime_error, kFailureCode_RuntimeError_VersionTooNew>;
using XRead = XProgramException<std::runtime_error, kFailureCode_RuntimeError_ReadFailure>;
using XWrite = XProgramException<std::runtime_error, kFailureCode_RuntimeError_WriteFailure>;
// Object type "disk" for a full disk.
using XOutOfSpace = XProgramException<std::runtime_error, kFailureCode_RuntimeError_OutOfSpace>;
// Object type "file_handle" when handles run out.
using XOutOfItems = XProgramException<std::runtime_error, kFailureCode_RuntimeError_OutOfItems>;
using XCreate = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Create>;
using XOpen = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Open>;
using XClose = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Close>;
using XDelete = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Delete>;
// A reference (shortcut, alias, sample reference) cannot be resolved.
using XResolve = XProgramException<std::runtime_error, kFailureCode_RuntimeError_ResolveFailure>;
using XNotFound = XProgramException<std::runtime_error, kFailureCode_RuntimeError_NotFound>;
using XAlreadyExists = XProgramException<std::runtime_error, kFailureCode_RuntimeError_AlreadyExists>;
using XPermission = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Permission>;
// Locked or in use.
using XLocked = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Locked>;
using XReadOnly = XProgramException<std::runtime_error, kFailureCode_RuntimeError_ReadOnly>;
using XNotReady = XProgramException<std::runtime_error, kFailureCode_RuntimeError_NotReady>;
using XTimeout = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Timeout>;
using XAbort = XProgramException<std::runtime_error, kFailureCode_RuntimeError_Abort>;
// Abandoned with nothing to report, such as a user's Stop ("User aborted").
using XSilentAbort = XProgramException<std::runtime_error, kFailureCode_RuntimeError_SilentAbort>;
// A self-test check failed.
using XUnitTestFailure = XProgramException<std::exception, kFailureCode_UnitTestFailure>;
} // namespace NSQuorral
