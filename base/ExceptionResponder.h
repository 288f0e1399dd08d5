#pragma once
// Callbacks that a library calls without a status to answer (views, push buttons, the
// application object) hand what reaches their catch-all handler to the application's responder.
#include <exception>

namespace NSQuorral
{
class IExceptionResponder
{
public:
    // Neither operation may throw.
    virtual void RespondToException(const std::exception& exception) = 0;
    virtual void RespondToUnknownException() = 0;
    virtual ~IExceptionResponder() = default;
};

// The application object registers itself once, before the GUI library's run loop starts.
void SetExceptionResponder(IExceptionResponder* responder);

// Inside a catch-all handler: hands the exception being handled to the registered responder and
// returns. With no responder registered the process ends with exit code -1 (0xFFFFFFFF).
void RespondToCurrentException();
} // namespace NSQuorral
