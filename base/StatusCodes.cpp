#include "base/StatusCodes.h"

#include "base/ExceptionClassification.h"
#include "base/ObjectTypeNames.h"
#include "base/Throw.h"
#include "base/ThrowContext.h"

namespace NSQuorral
{
namespace
{
constexpr u32 kSignBit = 0x80000000;

bool InRange(u32 status, const TStatusCodeRange& range)
{
    return range.fBase <= status && status < range.fLimit;
}

TFailureInfo DecodeTunnelledFailure(u32 status, const TStatusCodeRange& range)
{
    if (!InRange(status, range))
        return {};
    const u32 offset = status - range.fBase;
    if ((offset & kSignBit) != 0 || (offset & 0xFF) != kFailureCodeMarker)
        return {};
    return DecodeFailureCode(offset, GetRegisteredApplicationObjectTypeTable());
}

u32 TunnelledErrorCode(const TExceptionFrame& frame)
{
    const TPropertyValue value = FindProperty(frame, "error_code");
    if (value.GetTag() != kPropertyTag_Integer)
        return 0;
    return static_cast<u32>(value.GetValue());
}

TFixedName TargetObjectType(const TExceptionFrame& frame)
{
    const TPropertyValue value = FindProperty(frame, GetTargetObjectTypeKey());
    if (value.GetTag() != kPropertyTag_Name)
        return TFixedName();
    return TFixedName(value.GetText());
}
} // namespace

TFailureInfo FindStatusCodeRow(const TStatusCodeRow* table, u32 status)
{
    for (const TStatusCodeRow* row = table; row->fKind != kFailureCode_EndOfTable; ++row)
    {
        if (row->fStatus == status)
            return {row->fKind, row->fObjectType};
    }
    return {};
}

void ThrowByStatusCode(u32 status, const TStatusCodeRange& range, const TStatusCodeRow* table,
                       const TThrowSite& site)
{
    TFailureInfo info = table ? FindStatusCodeRow(table, status) : TFailureInfo();
    if (info.fKind == kFailureCode_UndefinedException)
        info = DecodeTunnelledFailure(status, range);
    if (info.fKind == kFailureCode_UndefinedException)
        NSQuorral::Throw(std::exception());

    TExceptionFrame frame{site, info.fKind, "", {}};
    if (!info.fObjectType.IsEmpty())
        frame.fProperties.push_back(MakeTargetObjectTypeProperty(info.fObjectType));
    ThrowException(CThrowContext(TThrowSite{}).AttachFrame(frame));
}

u32 StatusCodeFromException(const std::exception& exception, const TStatusCodeRange& range,
                            const TStatusCodeRow* table, const TThrowSite& site)
{
    const TExceptionFrame last = GetLastFrame(GetExceptionBody(exception, site));
    if (last.fKind == kFailureCode_TunneledError)
        return range.fBase + TunnelledErrorCode(last);

    const TFailureInfo info{last.fKind, TargetObjectType(last)};
    for (const TStatusCodeRow* row = table; row && row->fKind != kFailureCode_EndOfTable; ++row)
    {
        if (row->fKind == info.fKind && (row->fObjectType.IsEmpty() || row->fObjectType == info.fObjectType))
            return row->fStatus;
    }
    return range.fBase + EncodeFailureCode(info, GetRegisteredApplicationObjectTypeTable());
}

u32 StatusCodeFromCurrentException(const TStatusCodeRange& range, const TStatusCodeRow* table,
                                   u32 nonStandardStatus, const TThrowSite& site)
{
    try
    {
        throw;
    }
    catch (const std::exception& exception)
    {
        // Nothing may leave a callback, not even a failure to build the status.
        try
        {
            return StatusCodeFromException(exception, range, table, site);
        }
        catch (...)
        {
            return nonStandardStatus;
        }
    }
    catch (...)
    {
        return nonStandardStatus;
    }
}
} // namespace NSQuorral
