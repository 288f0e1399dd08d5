#include "base/TextFailure.h"

#include <climits>
#include <stdexcept>

#include "base/Quorral.h"

namespace NSTextPackage
{
void ThrowTextFailure(const std::exception& e)
{
    NSQuorral::TThrowSite site;
    NSQuorral::CThrowContext context(site);
    context << e;
    context.SetTargetObjectType(NSQuorral::GetUnicodeObjectType());
    NSQuorral::ThrowException(context);
}

int CheckedPlatformLength(std::size_t count, std::size_t unitsPerElement)
{
    if (count > std::size_t(INT_MAX) / unitsPerElement)
        ThrowTextFailure(std::length_error("Text too long for the platform"));
    return int(count * unitsPerElement);
}
} // namespace NSTextPackage
