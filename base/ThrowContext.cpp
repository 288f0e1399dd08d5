#include "base/ThrowContext.h"

#include "base/ExceptionClasses.h"
#include "base/ExceptionClassification.h"

namespace NSQuorral
{
namespace
{
template <class TClass> [[noreturn]] void Throw(const CExceptionBodyMixin& body, const std::string& message)
{
    throw TClass(body, message);
}

CExceptionBodyMixin MakeFinalBody(const CThrowContext& context)
{
    const TExceptionFrame& pending = context.GetPendingFrame();
    if (context.GetBody().IsFresh())
        return AppendFrame(MakeBodyFromSite(pending.fSite), pending);
    return AppendFrame(context.GetBody(), pending);
}
} // namespace

CThrowContext::CThrowContext(const TThrowSite& site)
{
    fPendingFrame.fSite = site;
}

CThrowContext& CThrowContext::operator<<(const std::exception& exception)
{
    return AttachException(exception);
}

CThrowContext& CThrowContext::AttachException(const std::exception& exception)
{
    const auto* body = dynamic_cast<const CExceptionBodyMixin*>(&exception);
    fBody = body ? *body : CExceptionBodyMixin();
    if (fBody.IsFresh())
    {
        TClassification classification = ClassifyException(exception);
        fPendingFrame.fKind = classification.fKind;
        fPendingFrame.fMessage = std::move(classification.fText);
        fPendingFrame.fProperties.clear();
    }
    // A re-thrown exception keeps the pending frame as a context frame for the new properties.
    return *this;
}

CThrowContext& CThrowContext::AttachFrame(const TExceptionFrame& frame)
{
    fPendingFrame = frame;
    return *this;
}

CThrowContext& CThrowContext::SetProperty(const TExceptionProperty& property)
{
    fPendingFrame.fProperties.push_back(property);
    return *this;
}

CThrowContext& CThrowContext::SetTargetObjectType(const TFixedName& name)
{
    return SetProperty(MakeTargetObjectTypeProperty(name));
}

void ThrowException(CThrowContext& context)
{
    const CExceptionBodyMixin body = MakeFinalBody(context);
    const TExceptionFrame last = GetLastFrame(body);
    ThrowConcreteException(last.fKind, body, last.fMessage);
}

void ThrowConcreteException(u32 kind, const CExceptionBodyMixin& body, const std::string& message)
{
    switch (kind)
    {
    case kFailureCode_NonQuorralException:
    case kFailureCode_Exception:
        Throw<XStdException>(body, message);
    case kFailureCode_TunneledError:
        Throw<XTunneledError>(body, message);
    case kFailureCode_LogicError:
        Throw<XStdLogicError>(body, message);
    case kFailureCode_LogicError_Domain:
        Throw<XStdDomainError>(body, message);
    case kFailureCode_LogicError_InvalidArgument:
        Throw<XStdInvalidArgument>(body, message);
    case kFailureCode_LogicError_Length:
        Throw<XStdLengthError>(body, message);
    case kFailureCode_LogicError_OutOfRange:
        Throw<XStdOutOfRange>(body, message);
    case kFailureCode_LogicError_IllegalCallSequence:
        Throw<XIllegalCallSequence>(body, message);
    case kFailureCode_LogicError_InvariantCorrupt:
        Throw<XInvariantCorrupt>(body, message);
    case kFailureCode_BadAlloc:
        Throw<XStdBadAlloc>(body, message);
    case kFailureCode_RuntimeError:
        Throw<XStdRuntimeError>(body, message);
    case kFailureCode_RuntimeError_Overflow:
        Throw<XStdOverflowError>(body, message);
    case kFailureCode_RuntimeError_Underflow:
        Throw<XStdUnderflowError>(body, message);
    case kFailureCode_RuntimeError_RangeError:
        Throw<XStdRangeError>(body, message);
    case kFailureCode_RuntimeError_UnsupportedFormat:
        Throw<XUnsupportedFormat>(body, message);
    case kFailureCode_RuntimeError_FormatViolation:
        Throw<XFormatViolation>(body, message);
    case kFailureCode_RuntimeError_VersionTooOld:
        Throw<XVersionTooOld>(body, message);
    case kFailureCode_RuntimeError_VersionTooNew:
        Throw<XVersionTooNew>(body, message);
    case kFailureCode_RuntimeError_ReadFailure:
        Throw<XRead>(body, message);
    case kFailureCode_RuntimeError_WriteFailure:
        Throw<XWrite>(body, message);
    case kFailureCode_RuntimeError_OutOfSpace:
        Throw<XOutOfSpace>(body, message);
    case kFailureCode_RuntimeError_OutOfItems:
        Throw<XOutOfItems>(body, message);
    case kFailureCode_RuntimeError_Create:
        Throw<XCreate>(body, message);
    case kFailureCode_RuntimeError_Open:
        Throw<XOpen>(body, message);
    case kFailureCode_RuntimeError_Close:
        Throw<XClose>(body, message);
    case kFailureCode_RuntimeError_Delete:
        Throw<XDelete>(body, message);
    case kFailureCode_RuntimeError_ResolveFailure:
        Throw<XResolve>(body, message);
    case kFailureCode_RuntimeError_NotFound:
        Throw<XNotFound>(body, message);
    case kFailureCode_RuntimeError_AlreadyExists:
        Throw<XAlreadyExists>(body, message);
    case kFailureCode_RuntimeError_Permission:
        Throw<XPermission>(body, message);
    case kFailureCode_RuntimeError_Locked:
        Throw<XLocked>(body, message);
    case kFailureCode_RuntimeError_ReadOnly:
        Throw<XReadOnly>(body, message);
    case kFailureCode_RuntimeError_NotReady:
        Throw<XNotReady>(body, message);
    case kFailureCode_RuntimeError_Timeout:
        Throw<XTimeout>(body, message);
    case kFailureCode_RuntimeError_Abort:
        Throw<XAbort>(body, message);
    case kFailureCode_RuntimeError_SilentAbort:
        Throw<XSilentAbort>(body, message);
    case kFailureCode_UnitTestFailure:
        Throw<XUnitTestFailure>(body, message);
    default:
        // No class has this kind; a plain integer would escape every std::exception handler.
        Throw<XStdException>(body, "Unknown exception");
    }
}
} // namespace NSQuorral
