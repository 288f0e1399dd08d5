#include "base/ExceptionClassification.h"

#include "base/ExceptionClasses.h"

#include <typeinfo>

namespace NSQuorral
{
namespace
{
template <class TClass> bool Is(const std::exception& exception)
{
    return dynamic_cast<const TClass*>(&exception) != nullptr;
}

// The first class in order that the exception is decides; kind 5 when none is.
template <class... TClasses> u32 FirstKindOf(const std::exception& exception)
{
    u32 kind = kFailureCode_UndefinedException;
    ((Is<TClasses>(exception) ? (kind = TClasses::kFailureKind, true) : false) || ...);
    return kind;
}

u32 RuntimeErrorKind(const std::exception& exception)
{
    if (Is<std::overflow_error>(exception))
        return kFailureCode_RuntimeError_Overflow;
    if (Is<std::underflow_error>(exception))
        return kFailureCode_RuntimeError_Underflow;
    if (Is<std::range_error>(exception))
        return kFailureCode_RuntimeError_RangeError;
    const u32 kind = FirstKindOf<XUnsupportedFormat, XFormatViolation, XVersionTooOld, XVersionTooNew, XRead,
                                 XWrite, XOutOfSpace, XOutOfItems, XCreate, XOpen, XClose, XDelete, XResolve,
                                 XNotFound, XAlreadyExists, XPermission, XLocked, XReadOnly, XNotReady,
                                 XTimeout, XAbort, XSilentAbort>(exception);
    return kind != kFailureCode_UndefinedException ? kind : kFailureCode_RuntimeError;
}

u32 LogicErrorKind(const std::exception& exception)
{
    if (Is<std::domain_error>(exception))
        return kFailureCode_LogicError_Domain;
    if (Is<std::invalid_argument>(exception))
        return kFailureCode_LogicError_InvalidArgument;
    if (Is<std::length_error>(exception))
        return kFailureCode_LogicError_Length;
    if (Is<std::out_of_range>(exception))
        return kFailureCode_LogicError_OutOfRange;
    const u32 kind = FirstKindOf<XIllegalCallSequence, XInvariantCorrupt>(exception);
    return kind != kFailureCode_UndefinedException ? kind : kFailureCode_LogicError;
}

u32 ClassifyKind(const std::exception& exception)
{
    if (Is<std::bad_alloc>(exception))
        return kFailureCode_BadAlloc;
    if (Is<std::runtime_error>(exception))
        return RuntimeErrorKind(exception);
    if (Is<std::logic_error>(exception))
        return LogicErrorKind(exception);
    const u32 kind = FirstKindOf<XStdException, XTunneledError, XUnitTestFailure>(exception);
    if (kind != kFailureCode_UndefinedException)
        return kind;
    return typeid(exception) == typeid(std::exception) ? kFailureCode_Exception
                                                       : kFailureCode_NonQuorralException;
}
} // namespace

TClassification ClassifyException(const std::exception& exception)
{
    const u32 kind = ClassifyKind(exception);
    // The runtime's own texts for these two differ between C++ libraries; the program's are fixed.
    if (typeid(exception) == typeid(std::exception))
        return {kind, "Unknown exception"};
    if (typeid(exception) == typeid(std::bad_alloc))
        return {kind, "bad allocation"};
    return {kind, exception.what()};
}

CExceptionBodyMixin GetExceptionBody(const std::exception& exception, const TThrowSite& site)
{
    if (const auto* body = dynamic_cast<const CExceptionBodyMixin*>(&exception); body && !body->IsFresh())
        return *body;
    TClassification classification = ClassifyException(exception);
    const u32 kind = classification.fKind;
    return CExceptionBodyMixin(false, site, kind,
                               {TExceptionFrame{site, kind, std::move(classification.fText), {}}});
}

void ObserveException(const std::exception& exception)
{
    GetExceptionBody(exception);
}
} // namespace NSQuorral
