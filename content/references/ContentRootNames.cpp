#include "content/references/ContentRootNames.h"

#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"

namespace
{
// Touched from the application's one thread only.
const IContentRootNames* gInstalledNames = nullptr;
} // namespace

CInstalledContentRootNames::CInstalledContentRootNames(const IContentRootNames& names)
    : fPrevious(gInstalledNames)
{
    gInstalledNames = &names;
}

CInstalledContentRootNames::~CInstalledContentRootNames()
{
    gInstalledNames = fPrevious;
}

const IContentRootNames& GetContentRootNames()
{
    if (gInstalledNames == nullptr)
        NSQuorral::ThrowException(
            NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
            << NSQuorral::XIllegalCallSequence("No item database gives the root names"));
    return *gInstalledNames;
}
