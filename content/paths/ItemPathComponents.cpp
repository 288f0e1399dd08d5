#include "content/paths/ItemPathComponents.h"

#include "base/FileLibStatus.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibAccess.h"

#include <algorithm>

namespace
{
NSFileLibSupport::TDirSpecPtr GetDesktopFolder()
{
    u32 status = NSFileLib::kFileLibNotSet;
    NSFileLibSupport::TDirSpecPtr folder(NSFileLibSupport::GetFileLib()->GetDesktopDirectory(&status));
    NSFileLibSupport::ThrowIfFileLibError(status);
    return folder;
}
} // namespace

CItemPathWalk::CItemPathWalk()
    : fDesktopItem(GetItemDatabase().GetDesktopItem()), fDesktopFolder(GetDesktopFolder())
{
}

CItemPtr CItemPathWalk::Normalised(const CItemPtr& item) const
{
    if (item.IsEmpty() || !item->IsFileSystemFolder())
        return item;
    const NSFileLibSupport::TDirSpecPtr folder = item->GetDirSpec();
    u32 same = 0;
    if (folder && folder->IsEqual(fDesktopFolder.get(), &same) == NSFileLib::kFileLibOK && same != 0)
        return fDesktopItem;
    return item;
}

CItemPtr CItemPathWalk::UpwardOnPath(const CItemPtr& item) const
{
    if (item->IsVantleFile())
        return GetItemDatabase().GetDatabaseRoot();
    return Normalised(Normalised(item)->GetParent());
}

bool GetItemPathComponents(const CItemPtr& item, TPathComponents& components)
{
    const CItemPathWalk walk;
    bool inPackage = false;
    TPathComponents inward;
    for (CItemPtr current = walk.Normalised(item); !current.IsEmpty();
         current = walk.Normalised(current->GetParent()))
    {
        if (current->IsVantleFile())
        {
            inward.push_back(THashedString(current->GetDisplayName()));
            inward.push_back(THashedString(GetItemDatabase().GetDatabaseRoot()->GetName()));
            inPackage = true;
            break;
        }
        inward.push_back(THashedString(current->GetName()));
    }
    components.insert(components.end(), inward.rbegin(), inward.rend());
    return inPackage;
}
