#include "packing/StandardReferenceResolver.h"

#include "packing/ReferenceOnDisk.h"
#include "packing/SkipItems.h"

CStandardReferenceResolver::CStandardReferenceResolver(const CItemPtr& sourceRoot,
                                                       const NSTextPackage::TUTF16String& packageName,
                                                       const CItemPtr& document,
                                                       const CSkipItemsTree* skipItems,
                                                       const TOutsideShortcuts* shortcuts)
    : fSourceRoot(sourceRoot), fPackageName(packageName), fDocument(document), fSkipItems(skipItems),
      fOutsideShortcuts(shortcuts)
{
}

EReferenceResolveResult CStandardReferenceResolver::Resolve(const CSF10ReferenceChunk& reference)
{
    const CItemPtr item = NSVantlePacking::ResolveReferenceOnDisk(fSourceRoot, fPackageName, fDocument,
                                                                  reference, *fOutsideShortcuts);
    if (!item.IsEmpty())
        return NSVantlePacking::IsSkipItem(*fSkipItems, item) ? kReferenceSkipped : kReferenceResolved;
    const bool namesOtherPackage =
        !reference.fVantleName.GetText().empty() && reference.fVantleName != THashedString(fPackageName);
    return namesOtherPackage ? kReferenceInOtherPackage : kReferenceUnresolved;
}
