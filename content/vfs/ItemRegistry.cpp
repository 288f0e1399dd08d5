#include "content/vfs/ItemRegistry.h"

#include "base/Throw.h"
#include "content/vfs/ShellFile.h"

#include <stdexcept>

void CItemRegistry::Register(const TShellItemPtr& key, const CItemPtr& item)
{
    auto* file = dynamic_cast<NSVirtualFS::CShellFile*>(item.Get());
    if (!file)
        NSQuorral::Throw<std::invalid_argument>();
    if (fInBatch)
        item->BeginUpdate();
    fItems.push_back(item);
    try
    {
        fCache.Insert(key, file);
    }
    catch (...)
    {
        fItems.pop_back();
        throw;
    }
}

void CItemRegistry::Unregister(const CItemPtr& item)
{
    // Held here until the end: the list's reference may be the last one.
    const CItemPtr keep = item;
    auto* file = dynamic_cast<NSVirtualFS::CShellFile*>(keep.Get());
    for (auto entry = fItems.begin(); entry != fItems.end(); ++entry)
    {
        if (entry->Get() == keep.Get())
        {
            fItems.erase(entry);
            if (fInBatch)
                keep->EndUpdate();
            break;
        }
    }
    if (file)
    {
        fCache.Remove(file);
        // Nobody finds it here any more: it need not watch its folder.
        file->StopWatching();
    }
}

CItemPtr CItemRegistry::Find(const TShellItemPtr& key) const
{
    return CItemPtr(fCache.Find(key));
}
