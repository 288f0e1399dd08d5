#include "content/references/ContentFailures.h"

#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"

namespace NSContentFailures
{
void ThrowFormatViolation(const std::string& message)
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                              << NSQuorral::XFormatViolation(message));
}
} // namespace NSContentFailures
