#include "packing/PackFailures.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

namespace NSVantlePacking
{
NSQuorral::TFixedName GetVantleNameObjectType()
{
    return "vantlename";
}

NSQuorral::TFixedName GetVantleSplashObjectType()
{
    return "vantlesplash";
}

NSQuorral::TFixedName GetVantleFileEntryObjectType()
{
    return "vantlefileentry";
}

NSQuorral::TFixedName GetVantleFileEntryTypeKey()
{
    return "vantlefileentrytype";
}

void ThrowFileEntryFailure(const std::exception& caught, const NSTextPackage::TUTF16String& displayPath,
                           const NSTextPackage::TUTF16String& relativePath, u32 packedType)
{
    NSQuorral::CThrowContext context(NSQuorral::TThrowSite{});
    context << caught;
    context.SetTargetObjectType(GetVantleFileEntryObjectType());
    context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetTargetObjectIDKey(),
                                                      NSTextPackage::UTF16ToUTF8(displayPath)));
    if (!relativePath.empty())
        context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetSecondaryObjectIDKey(),
                                                          NSTextPackage::UTF16ToUTF8(relativePath)));
    context.SetProperty(NSQuorral::MakeIntegerProperty(GetVantleFileEntryTypeKey(), packedType));
    NSQuorral::ThrowException(context);
}
} // namespace NSVantlePacking
