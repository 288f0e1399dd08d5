#pragma once
// The one shape of every throw statement:
//
//     NSQuorral::XNotFound exception("");
//     NSQuorral::TThrowSite site;
//     NSQuorral::CThrowContext context(site);
//     context << exception; // first: properties set before it are dropped
//     context.SetTargetObjectType(NSQuorral::GetFileObjectType());
//     NSQuorral::ThrowException(context);
//
// or, the operations chaining, in one expression:
//
//     NSQuorral::ThrowException((NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
//                                << NSQuorral::XNotFound(""))
//                                   .SetTargetObjectType(NSQuorral::GetFileObjectType()));
//
// A re-throw in a catch handler streams the caught exception in: the thrown exception keeps its
// class and message and gains the new properties. The helpers of "base/Throw.h" write the shape
// for the common cases (class, message, object type); "base/Quorral.h" brings the classes, the
// names, the helpers and this machinery.
#include "base/ExceptionBody.h"

#include <exception>

namespace NSQuorral
{
class CThrowContext
{
public:
    explicit CThrowContext(const TThrowSite& site);

    // Attaches the exception to be thrown or re-thrown (AttachException).
    CThrowContext& operator<<(const std::exception& exception);
    CThrowContext& AttachException(const std::exception& exception);
    // The pending frame becomes a copy of frame; used to throw from a status code.
    CThrowContext& AttachFrame(const TExceptionFrame& frame);
    // Appended; when the body is read, the last value given for a key wins.
    CThrowContext& SetProperty(const TExceptionProperty& property);
    CThrowContext& SetTargetObjectType(const TFixedName& name);

    const CExceptionBodyMixin& GetBody() const { return fBody; }
    const TExceptionFrame& GetPendingFrame() const { return fPendingFrame; }

private:
    CExceptionBodyMixin fBody;
    TExceptionFrame fPendingFrame;
};

// Throws a new object of the class of the gathered kind, carrying the whole final body.
[[noreturn]] void ThrowException(CThrowContext& context);

// Throws the class of kind built from (body, message). Kinds 6 and 7 give XStdException; kind 5
// and kinds outside 6..43 give XStdException with "Unknown exception".
[[noreturn]] void ThrowConcreteException(u32 kind, const CExceptionBodyMixin& body,
                                         const std::string& message);
} // namespace NSQuorral
