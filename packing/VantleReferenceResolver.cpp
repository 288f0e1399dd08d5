#include "packing/VantleReferenceResolver.h"

#include "base/Throw.h"
#include "content/package/VantleIndexRow.h"
#include "content/references/PathComponents.h"

bool CVantleReferenceResolver::Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row)
{
    fEntries.insert_or_assign(row.fName, location);
    return true;
}

EReferenceResolveResult CVantleReferenceResolver::Resolve(const CSF10ReferenceChunk& reference)
{
    const CDatabasePath& path = reference.fDatabasePath;
    if (path.fVantleName.GetText().empty())
        return kReferenceUnresolved;
    if (path.fVantleName.GetText() != fInfo.fName)
        return kReferenceInOtherPackage;
    if (path.fComponents.empty() ||
        NSTextPackage::CompareText(path.fComponents.front().GetText(), fInfo.fName,
                                   NSTextPackage::kCompareRespectCase) != NSTextPackage::kCompareEqual)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    const TPathComponents inside(path.fComponents.begin() + 1, path.fComponents.end());
    const NSTextPackage::TUTF16String key = NSPathComponents::JoinComponents(inside, u':');
    return fEntries.count(key) != 0 ? kReferenceResolved : kReferenceUnresolved;
}
