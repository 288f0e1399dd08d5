#include "content/vfs/DatabaseInterface.h"

#include "base/TextCompare.h"
#include "content/vfs/ItemDatabase.h"
#include "gui/TrellisUtils.h"

namespace
{
// The GUI library's folder icon of the root.
constexpr u32 kRootFolderIcon = 3011;
} // namespace

CDatabaseInterface::CDatabaseInterface(CItemDatabase& database)
    : fDatabase(&database), fRootName(u"Vantles", u"Vantles" + 7)
{
}

bool CDatabaseInterface::IsSameItem(const NSVirtualFS::CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* otherRoot = dynamic_cast<const CDatabaseInterface*>(other);
    return otherRoot && otherRoot->fDatabase == fDatabase;
}

void CDatabaseInterface::GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener)
{
    children = fDatabase->GetMountedVantles();
}

CItemPtr CDatabaseInterface::FindChild(const NSTextPackage::TUTF16String& name)
{
    for (const CItemPtr& package : fDatabase->GetMountedVantles())
    {
        const NSTextPackage::TUTF16String& packageName =
            package->IsVantleFile() ? package->GetDisplayName() : package->GetName();
        if (NSTextPackage::CompareText(name, packageName, NSTextPackage::kCompareIgnoreCase) ==
            NSTextPackage::kCompareEqual)
            return package;
    }
    return {};
}

std::shared_ptr<NSTrellis::IIcon> CDatabaseInterface::GetIcon(u8 flag)
{
    return NSTrellisUtils::CreateIcon(kRootFolderIcon);
}
