#include "base/Throw.h"

namespace NSQuorral
{
void Throw(const std::exception& exception)
{
    ThrowException(CThrowContext(TThrowSite{}) << exception);
}

void Throw(const std::exception& exception, const TFixedName& objectType)
{
    CThrowContext context(TThrowSite{});
    context << exception;
    if (!objectType.IsEmpty())
        context.SetTargetObjectType(objectType);
    ThrowException(context);
}
} // namespace NSQuorral
