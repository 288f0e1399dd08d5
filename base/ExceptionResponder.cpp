#include "base/ExceptionResponder.h"

#include <windows.h>

namespace NSQuorral
{
namespace
{
IExceptionResponder* gResponder = nullptr;

[[noreturn]] void EndWithoutResponder()
{
    ExitProcess(0xFFFFFFFF);
}
} // namespace

void SetExceptionResponder(IExceptionResponder* responder)
{
    gResponder = responder;
}

void RespondToCurrentException()
{
    try
    {
        throw;
    }
    catch (const std::exception& exception)
    {
        if (!gResponder)
            EndWithoutResponder();
        gResponder->RespondToException(exception);
    }
    catch (...)
    {
        if (!gResponder)
            EndWithoutResponder();
        gResponder->RespondToUnknownException();
    }
}
} // namespace NSQuorral
