#include "filelib/GlueFence.h"

#include "base/FileLibStatus.h"
#include "base/StatusCodes.h"

namespace NSFileLibInternals
{
u32 StatusCodeFromCurrentException(const NSQuorral::TThrowSite& site) noexcept
{
    try
    {
        return NSQuorral::StatusCodeFromCurrentException(NSFileLibSupport::GetFileLibStatusRange(),
                                                         NSFileLibSupport::GetFileLibStatusTable(),
                                                         NSFileLib::kFileLibUnknownError, site);
    }
    catch (...)
    {
        return NSFileLib::kFileLibUnknownError;
    }
}
} // namespace NSFileLibInternals
